#include "platform/shared/accessible.h"

#include <algorithm>

namespace platform {

std::string CaptionWords(const std::string& caption) {
  // Japanese captions put the access key in brackets after the words: "(&G)".
  const std::size_t key = caption.size() - 4;
  if (caption.size() >= 4 && caption.compare(key, 2, "(&") == 0 && caption.back() == ')') return caption.substr(0, key);
  return caption;
}

std::string ListBoxName(const std::string& name, const std::string& listTitle) {
  return listTitle.empty() ? name : name + "：" + listTitle;
}

std::string EntryDescription(const std::string& code, bool copied) { return copied ? CopyNotice(code) : code; }

std::string ListNotice(const std::string& listBoxName, const std::string& entry, const std::string& code) {
  return entry.empty() ? listBoxName : listBoxName + "、" + entry + "、" + code;
}

std::string CopyNotice(const std::string& text) { return "コピーしました：" + text; }

char32_t NextCharacter(std::u16string_view text, std::size_t& i) {
  const char32_t unit = text[i++];
  if (unit >= 0xD800 && unit < 0xDC00 && i < text.size() && text[i] >= 0xDC00 && text[i] < 0xE000) {
    return 0x10000 + ((unit - 0xD800) << 10) + (text[i++] - 0xDC00);
  }
  return unit;
}

int TypedEntry(const std::vector<TypedKeys>& entries, int selected, char32_t typed) {
  const auto starts = [typed](const TypedKeys& keys) { return keys.first == typed || keys.name == typed; };
  // After the selected entry to the end, then from the first up to the selected one itself.
  const auto after = entries.begin() + std::clamp<std::ptrdiff_t>(selected + 1, 0, std::ssize(entries));
  auto found = std::find_if(after, entries.end(), starts);
  if (found == entries.end() && (found = std::find_if(entries.begin(), after, starts)) == after) return -1;
  return static_cast<int>(found - entries.begin());
}

}  // namespace platform
