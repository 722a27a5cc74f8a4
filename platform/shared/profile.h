// One value of an INI ("profile") file, read or written the way the Windows
// profile functions do it, so a settings file written by either reads the same
// in the other. Only bytes go in and out: the caller reads and writes the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// file: the INI file's bytes, or nullopt when there is no file. section/key/value are UTF-8.
// Returns the value as UTF-8, cut to at most bufferSize-1 bytes of ANSI (CP932) text, never in
// the middle of a double-byte character; nullopt when the file, section or key is missing.
std::optional<std::string> Get(const std::optional<std::string>& file, std::string_view section, std::string_view key,
                               std::size_t bufferSize);

// Applies one write. value nullopt removes the key. Returns the file's new bytes, or nullopt
// when the file must be left exactly as it is (nothing to change; also: removing a key that is
// not there, with or without a file, creates nothing).
std::optional<std::string> Put(const std::optional<std::string>& file, std::string_view section, std::string_view key,
                               const std::optional<std::string>& value);

}  // namespace profile
