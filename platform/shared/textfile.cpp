#include "platform/shared/textfile.h"

#include "platform/codepage.h"
#include "platform/files.h"

namespace platform {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

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
      out += kReplacement;
      ++i;
    }
  }
  return out;
}

// UTF-8 with at least one character beyond ASCII and at most a few stray bytes,
// outweighed four to one by the trailing bytes of well-formed characters: an editor's
// UTF-8 with a byte pasted from elsewhere. Code page 932 text hardly ever looks so: its
// double-byte characters are mostly stray bytes to UTF-8, so it is told after a few.
bool ReadsAsUtf8(std::string_view s) {
  constexpr std::size_t kFew = 16;
  std::size_t trailing = 0, stray = 0;
  for (std::size_t i = 0; i < s.size();) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t n = Utf8Length(s, i);
    if (n > 0) {
      trailing += n - 1, i += n;
    } else if (++stray > kFew && 4 * stray > trailing) {
      return false;
    } else {
      ++i;
    }
  }
  return trailing > 0 && trailing >= 4 * stray;
}

// UTF-16 after its byte order mark; a lone surrogate or an odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view s, bool bigEndian) {
  std::string out(s.size() / 2 * 3 + 3, '\0');
  char* end = out.data();
  const auto unit = [&](std::size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
    return bigEndian ? a << 8 | b : b << 8 | a;
  };
  std::size_t i = 0;
  for (; i + 1 < s.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < s.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
      const char32_t pair = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      for (const int shift : {18, 12, 6, 0})
        *end++ = static_cast<char>((shift == 18 ? 0xF0 : 0x80) | ((pair >> shift) & 0x3F));
      i += 2;
      continue;
    }
    end = codepage::AppendUtf8(end, c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c);
  }
  if (i < s.size()) end = codepage::AppendUtf8(end, 0xFFFD);
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

}  // namespace

Marked ByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return Marked::kUtf8;
  if (bytes.starts_with("\xFF\xFE")) return Marked::kUtf16LittleEndian;
  if (bytes.starts_with("\xFE\xFF")) return Marked::kUtf16BigEndian;
  return Marked::kNothing;
}

std::string DecodeText(std::string_view bytes) {
  // Today's editors save UTF-8 (with a byte order mark or without), Notepad's
  // "Unicode" UTF-16 with one; older editors, and the program's own files, code page 932.
  std::string text;
  const Marked marked = ByteOrderMark(bytes);
  if (marked == Marked::kUtf16LittleEndian || marked == Marked::kUtf16BigEndian) {
    text = Utf16ToUtf8(bytes.substr(2), marked == Marked::kUtf16BigEndian);
  } else if (marked == Marked::kUtf8) {
    text = CleanUtf8(bytes.substr(kUtf8Mark.size()));
  } else if (ReadsAsUtf8(bytes)) {
    text = CleanUtf8(bytes);
  } else {
    text = codepage::AnsiToUtf8(bytes);
  }
  // A NUL is no text, and a Windows control would end a name or a code there.
  for (std::size_t nul = text.find('\0'); nul != std::string::npos; nul = text.find('\0', nul)) {
    text.replace(nul, 1, kReplacement);
  }
  return text;
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
