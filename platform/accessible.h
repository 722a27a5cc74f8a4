// What the back ends share to serve people who work by keyboard and screen
// reader: the list box's name, and where a typed character moves it.
#pragma once

#include <string>

namespace platform {

// A caption as words, without the access key that follows them: "ギリシャ文字(&G)"
// as "ギリシャ文字".
std::string CaptionWords(const std::string& caption);

// The list box's name, then the title of the list it shows once one is chosen:
// "参照一覧：ギリシャ文字".
std::string ListBoxName(const std::string& name, const std::string& listTitle);

// Where a typed character moves a list box: to the next entry after the
// selected one (from the first when none is, around the end) whose text starts
// with it, or whose name does where the entry puts a symbol and a blank before
// it ("Α Alpha", "… hellip"), so that a Latin letter reaches every entry. -1
// when none does. Texts are the toolkit's strings of UTF-16 units; same(a, b)
// compares two units in the toolkit's own case folding.
template <typename Texts, typename Unit, typename Same>
int TypedEntry(const Texts& texts, int selected, Unit typed, Same same) {
  const int count = static_cast<int>(texts.size());
  for (int step = 1; step <= count; ++step) {
    const int i = ((selected < 0 ? -1 : selected) + step) % count;
    const auto& text = texts[i];
    if (text.size() > 0 && same(text[0], typed)) return i;
    if (text.size() > 2 && text[1] == u' ' && same(text[2], typed)) return i;
  }
  return -1;
}

}  // namespace platform
