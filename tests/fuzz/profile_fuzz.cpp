// The profile reader and writer on any file: a write reads back, a repeated
// write changes nothing, and every other line stays byte for byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/codepage.h"
#include "platform/shared/profile.h"
#include "platform/shared/text.h"

namespace {

// A name or value that reads back as written: one line, no blanks at its ends,
// not in quotes, and held by code page 932.
bool Plain(const std::string& s) {
  return s.find_first_of(std::string("\r\n\0", 3)) == std::string::npos && platform::Trim(s) == s &&
         !(s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0]) &&
         codepage::AnsiToUtf8(codepage::Utf8ToAnsi(s)) == s && s.size() < 1000;
}

// Where each line of the file starts, as the writer reads lines (ending at CR LF,
// CR or LF), and the file's end. Properties are stated on these places in the
// old file's bytes: the new file, split again, may join a CR and an LF that a
// removal brought side by side.
std::vector<std::size_t> LineStarts(std::string_view s) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'))) starts.push_back(i + 1);
  }
  if (starts.back() != s.size()) starts.push_back(s.size());
  return starts;
}

// now is old with some whole lines taken out, the others' bytes kept in order.
bool LinesTakenOut(std::string_view old, std::string_view now) {
  const std::vector<std::size_t> starts = LineStarts(old);
  std::vector<std::size_t> reached{0};  // how much of now the lines kept so far can make
  for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
    const std::string_view line = old.substr(starts[i], starts[i + 1] - starts[i]);
    for (std::size_t k = 0, n = reached.size(); k < n; ++k) {
      if (now.substr(reached[k], line.size()) == line) reached.push_back(reached[k] + line.size());
    }
    std::sort(reached.begin(), reached.end());
    reached.erase(std::unique(reached.begin(), reached.end()), reached.end());
  }
  return reached.back() == now.size();
}

// now is old with at most one of its lines changed, and lines added.
bool OneLineChanged(std::string_view old, std::string_view now) {
  const std::vector<std::size_t> starts = LineStarts(old);
  std::size_t head = 0, tail = 0;
  while (head < old.size() && head < now.size() && old[head] == now[head]) ++head;
  const auto first = std::upper_bound(starts.begin(), starts.end(), head) - 1;  // the first line changed
  while (tail < old.size() - *first && tail < now.size() - *first &&
         old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
    ++tail;
  }
  const auto last = std::lower_bound(starts.begin(), starts.end(), old.size() - tail);  // the first kept after it
  return last - first <= 1;
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
    if (profile::Get(written, section, key, 1024) || !LinesTakenOut(before, *written)) std::abort();
    return 0;
  }
  if (!OneLineChanged(before, *written)) std::abort();
  return 0;
}
