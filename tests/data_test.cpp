// The shipped reference lists list1.nl2 ... list4.nl2 as the program reads
// them: code page 932 that decodes cleanly, CR LF lines of "name,&ref;", each
// reference in one file once. Which references each holds, data/make_lists.py asserts.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "platform/codepage.h"
#include "platform/textfile.h"

TEST(DataFiles, HoldEachReferenceOnceAsNameCommaCodeLines) {
  const std::regex entry("([^,]+),&([A-Za-z0-9]+);");
  std::set<std::string> references;
  const std::size_t kCounts[] = {52, 72, 32, 96};
  for (int n = 1; n <= 4; ++n) {
    const std::string path = std::string(TOVU_DATA_DIR) + "/list" + std::to_string(n) + ".nl2";
    const std::string raw(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
    const std::string text = codepage::AnsiToUtf8(raw);
    EXPECT_EQ(std::string::npos, text.find("\uFFFD")) << path;
    EXPECT_EQ(text, platform::DecodeText(raw)) << path << " is taken for UTF-8";
    std::size_t lines = 0;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2, ++lines) {
      end = text.find("\r\n", start);
      ASSERT_NE(std::string::npos, end) << path << ": the last line has no CR LF";
      const std::string line = text.substr(start, end - start);
      std::smatch m;
      ASSERT_TRUE(std::regex_match(line, m, entry) && line.find_first_of("\r\n") == std::string::npos)
          << path << ": " << line;
      EXPECT_TRUE(references.insert(m[2]).second) << m[2] << " twice";
      // The name shows the character and the reference, or the reference and a description.
      EXPECT_TRUE(m.str(1).ends_with(" " + m.str(2)) || m.str(1).starts_with(m.str(2) + " (")) << path << ": " << line;
    }
    EXPECT_EQ(kCounts[n - 1], lines) << path;
  }
}
