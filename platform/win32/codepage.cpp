// Code page 932 through Windows' own table. Always 932, whatever the system's
// ANSI code page: the list and settings files are written in it.
#include <windows.h>

#include <array>
#include <memory>

#include "platform/codepage.h"
#include "platform/win32/wide.h"

namespace codepage {
namespace {

constexpr UINT kShiftJis = 932;
constexpr char16_t kNone = 0xFFFF;  // no character: the byte does not decode

// Windows' table, asked once per byte and per lead byte that a text holds:
// converting character by character through the system costs several times
// more than the lookup.
class Table {
 public:
  char16_t Single(unsigned char c) {
    if (!singles_) {
      singles_ = std::make_unique<std::array<char16_t, 256>>();
      for (int i = 0; i < 256; ++i) (*singles_)[i] = Ask(static_cast<char>(i));
    }
    return (*singles_)[c];
  }
  char16_t Double(unsigned char lead, unsigned char trail) {
    auto& row = doubles_[lead];
    if (!row) {
      row = std::make_unique<std::array<char16_t, 256>>();
      row->fill(kNone);
      for (int t = 0x40; t <= 0xFC; ++t) (*row)[t] = Ask(static_cast<char>(lead), static_cast<char>(t));
    }
    return (*row)[trail];
  }

 private:
  static char16_t Ask(char c) {
    WCHAR wide = 0;
    if (MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, &c, 1, &wide, 1) == 1) return wide;
    // Windows maps 0xA0 and 0xFD to 0xFF, yet calls them invalid when asked to
    // report those; a byte that truly does not decode comes back as the code
    // page's default character.
    static const WCHAR unknown = [] {
      CPINFOEXW info{};
      return GetCPInfoExW(kShiftJis, 0, &info) ? info.UnicodeDefaultChar : WCHAR{0x30FB};
    }();
    return MultiByteToWideChar(kShiftJis, 0, &c, 1, &wide, 1) == 1 && wide != unknown ? wide : kNone;
  }
  static char16_t Ask(char lead, char trail) {
    const char pair[2] = {lead, trail};
    WCHAR wide = 0;
    return MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, pair, 2, &wide, 1) == 1 ? wide : kNone;
  }

  std::unique_ptr<std::array<char16_t, 256>> singles_;
  std::array<std::unique_ptr<std::array<char16_t, 256>>, 256> doubles_;
};

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  static Table table;  // the window's thread is the only one
  // No byte becomes more than three of UTF-8.
  std::string out(ansi.size() * 3, '\0');
  char* end = out.data();
  for (std::size_t i = 0; i < ansi.size();) {
    const auto c = static_cast<unsigned char>(ansi[i]);
    if (c < 0x80) {
      *end++ = static_cast<char>(c);
      ++i;
      continue;
    }
    // Each byte that does not decode becomes U+FFFD on its own, as on Linux: a
    // stray lead byte does not swallow the byte after it.
    char16_t wide = kNone;
    if (IsLeadByte(c) && i + 1 < ansi.size() && IsTrailByte(static_cast<unsigned char>(ansi[i + 1]))) {
      wide = table.Double(c, static_cast<unsigned char>(ansi[i + 1]));
      if (wide != kNone) i += 2;
    }
    if (wide == kNone) {
      wide = table.Single(c);
      if (wide == kNone || IsLeadByte(c)) wide = 0xFFFD;
      ++i;
    }
    end = AppendUtf8(end, wide);
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::wstring wide = platform::Wide(utf8);
  // One '?' per character the code page lacks, a pair of surrogates included.
  std::wstring single;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const bool pair =
        wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000;
    single += pair ? L'?' : wide[i];
    if (pair) ++i;
  }
  if (single.empty()) return {};
  // No best fit: a character the code page lacks becomes '?', never a look-alike.
  const int size = static_cast<int>(single.size());
  std::string ansi(static_cast<std::size_t>(WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, single.data(), size,
                                                                nullptr, 0, "?", nullptr)),
                   '\0');
  WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, single.data(), size, ansi.data(), static_cast<int>(ansi.size()),
                      "?", nullptr);
  return ansi;
}

}  // namespace codepage
