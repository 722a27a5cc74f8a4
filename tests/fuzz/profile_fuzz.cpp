// The profile reader and writer on any file: a write reads back, a repeated
// write changes nothing, and every other line stays byte for byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

#include "platform/codepage.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace {

// A name or value that reads back as written: one line, no blanks at its ends,
// not in quotes, and held by code page 932.
bool Plain(const std::string& s) {
  return s.find_first_of(std::string("\r\n\0", 3)) == std::string::npos && platform::Trim(s) == s &&
         !(s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0]) &&
         codepage::AnsiToUtf8(codepage::Utf8ToAnsi(s)) == s && s.size() < 1000;
}

std::pair<std::size_t, std::size_t> LineAround(const std::string& s, std::size_t i);

// The file's lines, each with its line end.
std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < s.size();) {
    const auto [begin, end] = LineAround(s, i);
    lines.push_back(s.substr(begin, end - begin));
    i = end;
  }
  return lines;
}

// The line of text that holds position i, with its line end.
std::pair<std::size_t, std::size_t> LineAround(const std::string& s, std::size_t i) {
  std::size_t begin = s.find_last_of("\r\n", i == 0 ? 0 : i - 1);
  begin = (begin == std::string::npos || i == 0) ? 0 : begin + 1;
  std::size_t end = s.find_first_of("\r\n", i);
  end = end == std::string::npos ? s.size() : end + 1;
  if (end < s.size() && s[end - 1] == '\r' && s[end] == '\n') ++end;
  return {begin, end};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(16);
  const std::string key = input.ConsumeRandomLengthString(16);
  const std::optional<std::string> value =
      input.ConsumeBool() ? std::optional<std::string>(input.ConsumeRandomLengthString(32)) : std::nullopt;
  const std::optional<std::string> file =
      input.ConsumeBool() ? std::optional<std::string>(input.ConsumeRemainingBytesAsString()) : std::nullopt;

  const std::optional<std::string> read = profile::Get(file, section, key, 1024);
  if (read && codepage::Utf8ToAnsi(*read).size() > 1023) std::abort();
  const std::optional<std::string> written = profile::Put(file, section, key, value);
  if (!written) return 0;
  const std::string& before = file ? *file : std::string();
  if (profile::Put(written, section, key, value)) std::abort();  // a second write changes nothing
  const bool utf8 = before.starts_with("\xEF\xBB\xBF");
  if (value && Plain(*value) && Plain(section) && Plain(key) && !utf8 &&
      profile::Get(written, section, key, 1024) != value) {
    std::abort();
  }
  if (!value) {
    // A removal takes whole lines out and leaves the others as they were.
    if (profile::Get(written, section, key, 1024)) std::abort();
    std::size_t at = 0, kept = 0;
    const std::vector<std::string> old = Lines(before);
    for (const std::string& line : old) {
      if (written->compare(at, line.size(), line) == 0) at += line.size(), ++kept;
    }
    if (at != written->size() || kept == old.size()) std::abort();
    return 0;
  }
  // Only one place changed: what comes before it and after it is the old file's.
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < written->size() && before[prefix] == (*written)[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < written->size() - prefix &&
         before[before.size() - 1 - suffix] == (*written)[written->size() - 1 - suffix]) {
    ++suffix;
  }
  // The bytes of the old file that changed lie within one line of it.
  if (prefix < before.size() - suffix) {
    const auto [begin, end] = LineAround(before, prefix);
    if (before.size() - suffix > end) std::abort();
  }
  return 0;
}
