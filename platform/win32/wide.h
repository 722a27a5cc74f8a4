// UTF-8, the program's strings, to and from UTF-16, Windows' own.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace platform
