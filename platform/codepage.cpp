#include "platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

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
  // `replacement` and skipped (one byte, or a whole UTF-8 character).
  std::string Convert(std::string_view in, std::string_view replacement, bool skipWholeChar) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      // No converter on this system: keep ASCII, never pass bytes off as text.
      for (char c : in) {
        if (static_cast<unsigned char>(c) < 0x80) out += c;
        else out += replacement;
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

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  if (IsAscii(ansi)) return std::string(ansi);  // code page 932 keeps ASCII as it is
  thread_local Converter toUtf8("UTF-8", "CP932");
  return toUtf8.Convert(ansi, "\xEF\xBF\xBD", false);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter toAnsi("CP932", "UTF-8");
  return toAnsi.Convert(utf8, "?", true);
}

}  // namespace codepage
