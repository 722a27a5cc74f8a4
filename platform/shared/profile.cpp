#include "platform/shared/profile.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/shared/text.h"
#include "platform/shared/textfile.h"

namespace profile {
namespace {

using platform::kUtf8Mark;
constexpr auto npos = std::string_view::npos;

using platform::Trim;
using platform::TrimLeft;
using platform::TrimRight;

// Bytes of the character at i. In Shift-JIS a trail byte may look like an ASCII letter, "["
// or "]", so it must travel with its lead byte. UTF-8 never reuses ASCII bytes.
std::size_t CharSize(std::string_view s, std::size_t i, bool dbcs) {
  if (!dbcs || i + 1 >= s.size() || !codepage::IsLeadByte(static_cast<unsigned char>(s[i]))) {
    return 1;
  }
  const auto trail = static_cast<unsigned char>(s[i + 1]);
  return trail >= 0x40 && trail <= 0xFC && trail != 0x7F ? 2 : 1;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Names match regardless of ASCII letter case; double-byte characters match exactly.
bool SameName(std::string_view a, std::string_view b, bool dbcs) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t n = CharSize(a, i, dbcs);
    if (n == 2 ? a.substr(i, 2) != b.substr(i, 2) : Lower(a[i]) != Lower(b[i])) return false;
    i += n;
  }
  return true;
}

// One pair of matching quotes around a value is not part of it.
std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// [begin, textEnd) is the line's text, [textEnd, end) its line end (none on a last line).
struct Line {
  std::size_t begin = 0, textEnd = 0, end = 0;
};

Line LineAt(std::string_view bytes, std::size_t begin) {
  const std::size_t textEnd = std::min(bytes.find_first_of("\r\n", begin), bytes.size());
  std::size_t end = textEnd;
  if (end < bytes.size()) {
    end += bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
  }
  return {begin, textEnd, end};
}

// kName: a line holding just a key's name; reads ignore it, writes fill it in.
enum class Kind { kBlank, kComment, kSection, kKey, kName };

struct Entry {
  Kind kind = Kind::kBlank;
  std::string_view name;   // of the section or key
  std::string_view value;  // kKey: after "=", blanks dropped, quotes kept
};

Entry Parse(std::string_view text, bool dbcs) {
  text = Trim(text.substr(0, text.find('\0')));
  if (text.empty()) return {Kind::kBlank, {}, {}};
  if (text[0] == ';') return {Kind::kComment, {}, {}};
  if (text[0] == '[') {
    std::size_t close = npos;
    for (std::size_t i = 1; i < text.size(); i += CharSize(text, i, dbcs)) {
      if (text[i] == ']') close = i;
    }
    // Without "]" the line is no section line and reads like any other.
    if (close != npos) return {Kind::kSection, Trim(text.substr(1, close - 1)), {}};
  }
  const std::size_t eq = text.find('=');  // "=" is never a trail byte
  if (eq == npos) return {Kind::kName, text, {}};
  return {Kind::kKey, TrimRight(text.substr(0, eq)), TrimLeft(text.substr(eq + 1))};
}

// Where the first matching section and its first matching key are. key is the first line
// with "=" for the name, else the first line holding just the name.
struct Place {
  std::optional<Line> section;
  std::optional<Line> key;
  Entry keyEntry;
  Line last;  // the section's last non-blank line: where a new key goes
};

Place Find(std::string_view bytes, bool utf8, std::string_view section, std::string_view key) {
  const bool dbcs = !utf8;
  Place place;
  for (std::size_t pos = utf8 ? kUtf8Mark.size() : 0; pos < bytes.size();) {
    const Line line = LineAt(bytes, pos);
    pos = line.end;
    const Entry entry = Parse(bytes.substr(line.begin, line.textEnd - line.begin), dbcs);
    if (entry.kind == Kind::kSection) {
      if (place.section) break;
      if (SameName(entry.name, section, dbcs)) place.section = place.last = line;
      continue;
    }
    if (!place.section) continue;
    if (entry.kind != Kind::kBlank) place.last = line;
    if ((entry.kind != Kind::kKey && entry.kind != Kind::kName) || !SameName(entry.name, key, dbcs) ||
        (place.key && entry.kind == Kind::kName)) {
      continue;
    }
    place.key = line;
    place.keyEntry = entry;
    if (entry.kind == Kind::kKey) break;
  }
  return place;
}

// A file saved as UTF-16 is not ours to parse; leave it alone rather than garble it.
bool IsUtf16(std::string_view bytes) {
  const platform::Marked marked = platform::ByteOrderMark(bytes);
  return marked == platform::Marked::kUtf16LittleEndian || marked == platform::Marked::kUtf16BigEndian;
}

std::string Encode(std::string_view utf8Text, bool utf8File) {
  return utf8File ? std::string(utf8Text) : codepage::Utf8ToAnsi(utf8Text);
}

// New lines end like the file's first line that has a line end.
std::string LineEnd(std::string_view bytes) {
  const std::size_t i = bytes.find_first_of("\r\n");
  if (i == npos) return "\r\n";
  if (bytes[i] == '\n') return "\n";
  return std::string(bytes.substr(i, i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1));
}

// Names that would read back as something else (another key, a comment, a section line, a
// second line) are never written.
bool CanWrite(std::string_view section, std::string_view key) {
  constexpr std::string_view kLineBreaks("\r\n\0", 3);
  return !section.empty() && section.find_first_of(kLineBreaks) == npos && !key.empty() &&
         key.find_first_of(kLineBreaks) == npos && key.find('=') == npos && key[0] != ';' && key[0] != '[';
}

}  // namespace

std::optional<std::string> Get(const std::optional<std::string>& file, std::string_view section, std::string_view key,
                               std::size_t bufferSize) {
  if (!file || IsUtf16(*file) || Trim(section).empty() || Trim(key).empty()) return std::nullopt;
  const bool utf8 = file->starts_with(kUtf8Mark);
  const Place place = Find(*file, utf8, Encode(Trim(section), utf8), Encode(Trim(key), utf8));
  if (!place.key || place.keyEntry.kind != Kind::kKey) return std::nullopt;

  const std::string_view value = Unquote(place.keyEntry.value);
  std::string ansi = utf8 ? codepage::Utf8ToAnsi(value) : std::string(value);
  const std::size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
  std::size_t size = 0;
  while (size < ansi.size() && size + CharSize(ansi, size, true) <= limit) {
    size += CharSize(ansi, size, true);
  }
  ansi.resize(size);
  return codepage::AnsiToUtf8(ansi);
}

std::optional<std::string> Put(const std::optional<std::string>& file, std::string_view section, std::string_view key,
                               const std::optional<std::string>& value) {
  const std::string_view bytes = file ? std::string_view(*file) : std::string_view();
  section = Trim(section);
  key = Trim(key);
  if (IsUtf16(bytes) || !CanWrite(section, key)) return std::nullopt;
  const bool utf8 = bytes.starts_with(kUtf8Mark);
  const std::string sectionText = Encode(section, utf8), keyText = Encode(key, utf8);
  std::optional<std::string> text;
  if (value) {
    // A line end in a value would start lines of its own; keep what a read would see.
    const std::string_view v(*value);
    text = Encode(v.substr(0, v.find_first_of(std::string_view("\r\n\0", 3))), utf8);
  }

  const Place place = Find(bytes, utf8, sectionText, keyText);
  const std::string eol = LineEnd(bytes);
  std::string out(bytes);
  if (!place.section) {
    if (!text) return std::nullopt;
    if (bytes.size() > (utf8 ? kUtf8Mark.size() : 0) && bytes.back() != '\r' && bytes.back() != '\n') {
      out += eol;
    }
    out += "[" + sectionText + "]" + eol + keyText + "=" + *text + eol;
  } else if (place.key) {
    const Line& line = *place.key;
    if (!text) {
      // Every line of the key goes, so that none reads as it afterwards.
      for (std::optional<Line> next = line; next; next = Find(out, utf8, sectionText, keyText).key) {
        out.erase(next->begin, next->end - next->begin);
      }
    } else if (place.keyEntry.kind == Kind::kKey && Unquote(place.keyEntry.value) == *text) {
      return std::nullopt;
    } else {
      out.replace(line.begin, line.textEnd - line.begin, std::string(place.keyEntry.name) + "=" + *text);
    }
  } else {
    if (!text) return std::nullopt;
    const Line& last = place.last;
    out.insert(last.end, (last.end == last.textEnd ? eol : "") + keyText + "=" + *text + eol);
  }
  if (out == bytes) return std::nullopt;
  return out;
}

}  // namespace profile
