#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

namespace codepage {
namespace {

// One converter per direction and thread, opened on first use: iconv_open costs
// far more than converting a list file.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of in; each byte sequence iconv refuses is replaced by
  // `replacement` and skipped (one byte, or a whole UTF-8 character), and
  // counted in *refused.
  std::string Convert(std::string_view in, std::string_view replacement, bool skipWholeChar, int* refused = nullptr) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      // No converter on this system: keep ASCII, never pass bytes off as text.
      for (char c : in) {
        if (static_cast<unsigned char>(c) < 0x80)
          out += c;
        else
          out += replacement;
      }
      return out;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 3 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
      if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        const size_t used = static_cast<size_t>(dst - out.data());
        out.resize(out.size() * 2);
        dst = out.data() + used;
        dstLeft = out.size() - used;
        continue;
      }
      // EILSEQ or EINVAL (a character cut off at the end): replace and go on.
      if (refused) ++*refused;
      size_t skip = 1;
      if (skipWholeChar) {
        // The character's continuation bytes go with it; anything else is kept.
        while (skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
      }
      src += skip;
      srcLeft -= skip;
      const size_t used = static_cast<size_t>(dst - out.data());
      if (dstLeft < replacement.size()) {
        out.resize(out.size() * 2 + replacement.size());
        dst = out.data() + used;
        dstLeft = out.size() - used;
      }
      std::copy(replacement.begin(), replacement.end(), dst);
      dst += replacement.size();
      dstLeft -= replacement.size();
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    return out;
  }

 private:
  iconv_t cd_;
};

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Where glibc's CP932 and Windows' code page 932 differ, the program follows
// Windows, where its files are written: five single bytes Windows decodes and
// glibc does not, and characters glibc maps to JIS bytes that Windows lacks.
std::optional<char32_t> WindowsByte(unsigned char c) {
  switch (c) {
    case 0x80: return U'\u0080';
    case 0xA0: return U'\uF8F0';
    case 0xFD: return U'\uF8F1';
    case 0xFE: return U'\uF8F2';
    case 0xFF: return U'\uF8F3';
    default: return std::nullopt;
  }
}

std::optional<std::string> WindowsBytes(char32_t c) {
  switch (c) {
    case U'\u0080': return "\x80";
    case U'\uF8F0': return "\xA0";
    case U'\uF8F1': return "\xFD";
    case U'\uF8F2': return "\xFE";
    case U'\uF8F3': return "\xFF";
    case U'\u00A2':
    case U'\u00A3':
    case U'\u00A5':
    case U'\u00AC':
    case U'\u2014':
    case U'\u2016':
    case U'\u203E':
    case U'\u2212':
    case U'\u301C': return "?";
    default: return std::nullopt;
  }
}

// The code point of a well-formed UTF-8 sequence of up to three bytes at i, and its length.
std::pair<char32_t, std::size_t> CodePointAt(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const auto continues = [&](std::size_t k) { return i + k < s.size() && (byte(k) & 0xC0) == 0x80; };
  if (byte(0) >= 0xC2 && byte(0) < 0xE0 && continues(1)) {
    return {static_cast<char32_t>(((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F)), 2};
  }
  if (byte(0) >= 0xE0 && byte(0) < 0xF0 && continues(1) && continues(2)) {
    return {static_cast<char32_t>(((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F)), 3};
  }
  return {0xFFFD, 1};
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);  // code page 932 keeps ASCII as it is
  thread_local Converter toUtf8("UTF-8", "CP932");
  // The bytes Windows decodes and glibc does not are ones iconv refuses: most
  // texts hold none, and are decoded in one go.
  int refused = 0;
  std::string whole = toUtf8.Convert(ansi, "\xEF\xBF\xBD", false, &refused);
  if (refused == 0) return whole;
  std::string out;
  std::size_t run = 0;  // start of the bytes iconv has still to decode
  for (std::size_t i = 0; i < ansi.size();) {
    const auto c = static_cast<unsigned char>(ansi[i]);
    if (IsLeadByte(c) && i + 1 < ansi.size() && IsTrailByte(static_cast<unsigned char>(ansi[i + 1]))) {
      i += 2;
    } else if (const std::optional<char32_t> windows = WindowsByte(c)) {
      out += toUtf8.Convert(ansi.substr(run, i - run), "\xEF\xBF\xBD", false);
      char utf8[3];
      out.append(utf8, AppendUtf8(utf8, *windows));
      run = ++i;
    } else {
      ++i;
    }
  }
  return out + toUtf8.Convert(ansi.substr(run), "\xEF\xBF\xBD", false);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter toAnsi("CP932", "UTF-8");
  std::string out;
  std::size_t run = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      ++i;
      continue;
    }
    const auto [c, length] = CodePointAt(utf8, i);
    if (const std::optional<std::string> windows = WindowsBytes(c)) {
      out += toAnsi.Convert(utf8.substr(run, i - run), "?", true) + *windows;
      run = i + length;
    }
    i += length;
  }
  return out + toAnsi.Convert(utf8.substr(run), "?", true);
}

}  // namespace codepage
