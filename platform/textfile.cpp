#include "platform/textfile.h"

#include "platform/codepage.h"

namespace platform {

TextLines SplitTextLines(std::string_view bytes) {
  // CR and LF never occur inside a Shift-JIS character, so the whole file is
  // decoded at once and split afterwards.
  const std::string text = codepage::AnsiToUtf8(bytes);
  TextLines result;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      result.lines.emplace_back(text, start);
      break;
    }
    result.lines.emplace_back(text, start, end - start);
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return result;
}

}  // namespace platform
