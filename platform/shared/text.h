// Blanks as the program's text formats know them (the settings file, command
// lines, setting values): space and tab, nothing else.
#pragma once

#include <string_view>

namespace platform {

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

constexpr std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

constexpr std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

}  // namespace platform
