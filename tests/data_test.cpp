// The shipped lists read as they are written: code page 932 that decodes
// cleanly (never taken for UTF-8), CR LF lines of "name,&reference;", each
// reference once, the name showing the character or describing it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "platform/codepage.h"
#include "platform/shared/textfile.h"

TEST(DataFiles, HoldEachReferenceOnceAsNameCommaCodeLines) {
  const std::regex line("([^,\r\n]+),&([A-Za-z0-9]+);\r\n");
  std::set<std::string> references;
  const std::size_t kCounts[] = {52, 72, 32, 96};
  for (int n = 1; n <= 4; ++n) {
    const std::string path = std::string(TOVU_DATA_DIR) + "/list" + std::to_string(n) + ".nl2";
    const std::string raw(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
    const std::string text = codepage::AnsiToUtf8(raw);
    EXPECT_TRUE(text.find("\uFFFD") == std::string::npos && text == platform::DecodeText(raw)) << path;
    std::size_t lines = 0, read = 0;
    for (std::sregex_iterator m(text.begin(), text.end(), line), end; m != end; ++m, ++lines) {
      const std::string name = (*m)[1], reference = (*m)[2];
      EXPECT_TRUE(references.insert(reference).second) << reference << " twice";
      EXPECT_TRUE(name.ends_with(" " + reference) || name.starts_with(reference + " (")) << path << ": " << name;
      read += m->length();
    }
    EXPECT_EQ(std::pair(kCounts[n - 1], text.size()), std::pair(lines, read)) << path;
  }
}
