// Reading text files the way the program's data files are written.
#pragma once

#include <string>
#include <string_view>

#include "platform/system.h"

namespace platform {

// A text file's bytes as UTF-8: a file that starts with a UTF-8 byte order
// mark, or that is well-formed UTF-8 beyond ASCII, is UTF-8 already; anything
// else is code page 932. A byte that does not decode becomes U+FFFD.
std::string DecodeText(std::string_view bytes);

// Splits a file's bytes into lines at CR LF, a lone CR or LF (the end is not
// part of the line), decoded by DecodeText. A last line without an end counts;
// an end at the very end adds no empty line.
TextLines SplitTextLines(std::string_view bytes);

// Reads a file and splits it as above; a file that cannot be read gives no
// lines and the reason.
TextLines ReadTextFile(const std::string& path);

}  // namespace platform
