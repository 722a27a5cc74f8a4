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

// The file's lines, each with its line end (CR LF, CR or LF).
std::vector<std::string> Lines(std::string_view s) {
  std::vector<std::string> lines;
  for (std::size_t i = 0, end; i < s.size(); i = end) {
    end = s.find_first_of("\r\n", i);
    end = end == std::string_view::npos ? s.size() : end + (s.substr(end, 2) == "\r\n" ? 2 : 1);
    lines.emplace_back(s.substr(i, end - i));
  }
  return lines;
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
  const std::vector<std::string> old = Lines(before), now = Lines(*written);
  if (!value) {
    // A removal takes whole lines out and leaves the others as they were.
    if (profile::Get(written, section, key, 1024)) std::abort();
    std::size_t at = 0;
    for (const std::string& line : old) at += at < now.size() && now[at] == line;
    if (at != now.size() || now.size() == old.size()) std::abort();
    return 0;
  }
  // A write changes one line of the old file at most; it may add lines.
  std::size_t head = 0, tail = 0;
  while (head < old.size() && head < now.size() && old[head] == now[head]) ++head;
  while (tail < old.size() - head && tail < now.size() - head &&
         old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
    ++tail;
  }
  if (old.size() - head - tail > 1) std::abort();
  return 0;
}
