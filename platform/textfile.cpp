#include "platform/textfile.h"

#include "platform/codepage.h"
#include "platform/files.h"

namespace platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 character at i, or 0.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
  const auto at = [&](std::size_t k) { return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0; };
  const unsigned char c = at(0);
  const auto continues = [&](std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
      if ((at(k) & 0xC0) != 0x80) return false;
    }
    return true;
  };
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return continues(1, 2) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    // No overlong forms, no surrogates.
    if ((c == 0xE0 && at(1) < 0xA0) || (c == 0xED && at(1) > 0x9F)) return 0;
    return continues(1, 3) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if ((c == 0xF0 && at(1) < 0x90) || (c == 0xF4 && at(1) > 0x8F)) return 0;
    return continues(1, 4) ? 4 : 0;
  }
  return 0;
}

// Bytes that are not well-formed UTF-8 become U+FFFD, one each.
std::string CleanUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (const std::size_t n = Utf8Length(s, i)) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

// Well-formed UTF-8 with at least one character beyond ASCII: text that code
// page 932 would hardly ever give.
bool LooksLikeUtf8(std::string_view s) {
  bool beyondAscii = false;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = Utf8Length(s, i);
    if (n == 0) return false;
    beyondAscii = beyondAscii || n > 1;
    i += n;
  }
  return beyondAscii;
}

}  // namespace

std::string DecodeText(std::string_view bytes) {
  // Today's editors save UTF-8 (with a byte order mark or without); older ones,
  // and the program's own files, code page 932.
  if (bytes.starts_with(kBom)) return CleanUtf8(bytes.substr(kBom.size()));
  if (LooksLikeUtf8(bytes)) return std::string(bytes);
  return codepage::AnsiToUtf8(bytes);
}

TextLines SplitTextLines(std::string_view bytes) {
  // CR and LF never occur inside a character, so the whole file is decoded at
  // once and split afterwards.
  TextLines result;
  result.text = DecodeText(bytes);
  const std::string& text = result.text;
  std::size_t start = 0;
  const std::size_t size = text.size();
  while (start < size) {
    // A plain scan: find_first_of would test each byte against the set with a call.
    std::size_t end = start;
    while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
    result.spans.emplace_back(start, end - start);
    if (end == size) break;
    start = end + ((text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') ? 2 : 1);
  }
  return result;
}

TextLines ReadTextFile(const std::string& path) {
  std::string why;
  const std::optional<std::string> bytes = files::Read(path, &why);
  if (!bytes) return {{}, {}, why};
  return SplitTextLines(*bytes);
}

}  // namespace platform
