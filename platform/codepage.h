// Text in the ANSI code page (932, Shift-JIS), the code page the program and its
// data files are written for. Inside the program every string is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace codepage {

// Code page 932 bytes to UTF-8; a byte that does not decode becomes U+FFFD.
std::string AnsiToUtf8(std::string_view ansi);

// UTF-8 to code page 932; a character the code page lacks becomes '?'.
std::string Utf8ToAnsi(std::string_view utf8);

// True for the first byte of a two-byte Shift-JIS character.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// True for a byte that may follow a lead byte.
constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Writes a character of the Basic Multilingual Plane as UTF-8 at out; returns the end.
inline char* AppendUtf8(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

}  // namespace codepage
