#include "platform/textfile.h"

#include "platform/codepage.h"

namespace platform {

TextLines SplitTextLines(std::string_view bytes) {
  // CR and LF never occur inside a Shift-JIS character, so the whole file is
  // decoded at once and split afterwards.
  const std::string text = codepage::AnsiToUtf8(bytes);
  TextLines result;
  std::size_t start = 0;
  const std::size_t size = text.size();
  while (start < size) {
    // A plain scan: find_first_of would test each byte against the set with a call.
    std::size_t end = start;
    while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
    result.lines.emplace_back(text, start, end - start);
    if (end == size) break;
    start = end + ((text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') ? 2 : 1);
  }
  return result;
}

}  // namespace platform
