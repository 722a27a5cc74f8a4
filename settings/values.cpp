#include "settings/values.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "platform/shared/text.h"

namespace settings {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at the start of text (sign, digits, fraction,
// exponent), 0 when it does not start with one.
std::size_t NumberLength(std::string_view text) {
  std::size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only when digits follow it: "2e" is the number 2.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

double ParseNumber(std::string_view number) {
  bool negative = false;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
    negative = number[0] == '-';
    number.remove_prefix(1);
  }
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  // Out of range leaves value alone: too large (no exponent, or a positive one)
  // is infinity, which no window takes; too small is 0.
  if (error == std::errc::result_out_of_range) {
    const std::size_t exponent = number.find_first_of("eE");
    const bool tiny = exponent != std::string_view::npos && exponent + 1 < number.size() && number[exponent + 1] == '-';
    value = tiny ? 0 : HUGE_VAL;
  }
  return negative ? -value : value;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string FlagText(bool flag) { return flag ? "True" : "False"; }

bool ReadFlag(const std::optional<std::string>& value) {
  if (!value) return false;
  const std::string_view text = platform::Trim(*value);
  if (EqualsNoCase(text, "True")) return true;
  if (EqualsNoCase(text, "False")) return false;
  const std::size_t length = NumberLength(text);
  if (length == 0 || length != text.size()) return false;
  return ParseNumber(text) != 0;
}

double ReadNumber(std::string_view text) {
  text = platform::TrimLeft(text);
  const std::size_t length = NumberLength(text);
  return length == 0 ? 0 : ParseNumber(text.substr(0, length));
}

std::string NumberText(float value) {
  if (value == 0) return "0";  // never "-0"
  std::array<char, 32> buffer{};
  auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 7);
  (void)error;  // 32 characters hold any float
  std::string text(buffer.data(), end);
  std::replace(text.begin(), text.end(), 'e', 'E');
  return text;
}

}  // namespace settings
