// How setting values are written as text and read back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace settings {

std::string FlagText(bool flag);  // "True" or "False"

// "True"/"False" in any letter case, or a decimal number (0 False, else True).
// Anything else, or no value at all, reads as False: a hand-edited file must
// not keep the program from starting.
bool ReadFlag(const std::optional<std::string>& value);

// The longest decimal number at the start of the text, after leading blanks;
// 0 when there is none.
double ReadNumber(std::string_view text);

// A geometry value as single-precision decimal text: whole numbers as plain
// digits, fractions with at most seven significant digits.
std::string NumberText(float value);

}  // namespace settings
