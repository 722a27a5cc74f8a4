// Reading text files the way the program's data files are written.
#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace platform {

// What a text file's byte order mark says it holds.
enum class Marked { kNothing, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };
Marked ByteOrderMark(std::string_view bytes);
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A text file's bytes as UTF-8: a file that starts with a byte order mark is
// UTF-8 or UTF-16; one that is UTF-8 beyond ASCII but for a few stray bytes is
// UTF-8; anything else is code page 932. A byte that does not decode, and a NUL,
// become U+FFFD.
std::string DecodeText(std::string_view bytes);

// Splits a file's bytes into lines at CR LF, a lone CR or LF (the end is not
// part of the line), decoded by DecodeText. A last line without an end counts;
// an end at the very end adds no empty line.
TextLines SplitTextLines(std::string_view bytes);

// Reads a file and splits it as above; a file that cannot be read gives no
// lines and the reason.
TextLines ReadTextFile(const std::string& path);

}  // namespace platform
