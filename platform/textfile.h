// Reading text files the way the program's data files are written.
#pragma once

#include <string_view>

#include "platform/system.h"

namespace platform {

// Splits a file's bytes into lines at CR LF, a lone CR or LF (the end is not
// part of the line) and decodes each from the ANSI code page. A last line
// without an end counts; an end at the very end adds no empty line.
TextLines SplitTextLines(std::string_view bytes);

}  // namespace platform
