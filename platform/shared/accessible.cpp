#include "platform/shared/accessible.h"

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

}  // namespace platform
