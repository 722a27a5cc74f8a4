// Code page 932 through Windows' own tables. Always 932, whatever the system's
// ANSI code page: the list and settings files are written in it.
#include <windows.h>

#include "platform/codepage.h"
#include "platform/win32/wide.h"

namespace codepage {
namespace {

constexpr UINT kShiftJis = 932;

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Decodes bytes that all decode; false when one of them does not.
bool Decode(std::string_view ansi, std::wstring& out) {
  const int size = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, ansi.data(), size, nullptr, 0);
  if (length <= 0) return false;
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(length));
  MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, ansi.data(), size, out.data() + at, length);
  return true;
}

// A single byte outside the table's double-byte part: Windows maps 0x80, 0xA0
// and 0xFD to 0xFF, yet calls them invalid when asked to report those; a byte
// that truly does not decode comes back as the code page's default character.
bool DecodeSingle(char c, std::wstring& out) {
  static const WCHAR unknown = [] {
    CPINFOEXW info{};
    return GetCPInfoExW(kShiftJis, 0, &info) ? info.UnicodeDefaultChar : WCHAR{0x30FB};
  }();
  WCHAR wide = 0;
  if (MultiByteToWideChar(kShiftJis, 0, &c, 1, &wide, 1) != 1 || wide == unknown) return false;
  out += wide;
  return true;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  std::wstring wide;
  if (Decode(ansi, wide)) return platform::Utf8(wide);
  // Character by character, each byte that does not decode becoming U+FFFD on
  // its own, as on Linux: a stray lead byte does not swallow the byte after it.
  wide.clear();
  for (std::size_t i = 0; i < ansi.size();) {
    const auto c = static_cast<unsigned char>(ansi[i]);
    const std::size_t length =
        IsLeadByte(c) && i + 1 < ansi.size() && IsTrailByte(static_cast<unsigned char>(ansi[i + 1])) ? 2 : 1;
    if (Decode(ansi.substr(i, length), wide) || (length == 1 && DecodeSingle(ansi[i], wide))) {
      i += length;
    } else {
      wide += L'\xFFFD';
      ++i;
    }
  }
  return platform::Utf8(wide);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::wstring wide = platform::Wide(utf8);
  // One '?' per character the code page lacks, a pair of surrogates included.
  std::wstring single;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const bool pair = wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                      wide[i + 1] < 0xE000;
    single += pair ? L'?' : wide[i];
    if (pair) ++i;
  }
  if (single.empty()) return {};
  // No best fit: a character the code page lacks becomes '?', never a look-alike.
  const int size = static_cast<int>(single.size());
  std::string ansi(static_cast<std::size_t>(
                       WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, single.data(), size, nullptr, 0, "?", nullptr)),
                   '\0');
  WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, single.data(), size, ansi.data(), static_cast<int>(ansi.size()),
                      "?", nullptr);
  return ansi;
}

}  // namespace codepage
