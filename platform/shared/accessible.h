// What the back ends share to serve people who work by keyboard and screen
// reader: the list box's name, what is said of an entry, a chosen list and a
// copy, and where a typed character moves the list box.
#pragma once

#include <string>

namespace platform {

// A caption as words, without the access key that follows them: "ギリシャ文字(&G)"
// as "ギリシャ文字".
std::string CaptionWords(const std::string& caption);

// The list box's name, then the title of the list it shows once one is chosen:
// "参照一覧：ギリシャ文字".
std::string ListBoxName(const std::string& name, const std::string& listTitle);

// What a screen reader says after an entry's text: its code, and that the code
// went to the clipboard when it did (instant copy), so that one utterance says both.
std::string EntryDescription(const std::string& code, bool copied);

// What a screen reader is told once a list is chosen: the list box's name, then
// the entry selected and its code, if one is.
std::string ListNotice(const std::string& listBoxName, const std::string& entry, const std::string& code);

// What a screen reader is told of a copy: "コピーしました：&Gamma;".
std::string CopyNotice(const std::string& text);

// Where a typed character moves a list box: to the next entry after the
// selected one (from the first when none is, around the end) whose text starts
// with it, or whose name does where the entry puts a symbol and a blank before
// it ("Α Alpha", "… hellip"), so that a Latin letter reaches every entry. -1
// when none does. textAt(i) gives entry i as the toolkit's string of UTF-16 units,
// read only as far as the search goes; same(a, b) compares two units in the
// toolkit's own case folding.
template <typename TextAt, typename Unit, typename Same>
int TypedEntry(int count, int selected, Unit typed, TextAt textAt, Same same) {
  for (int step = 1; step <= count; ++step) {
    const int i = ((selected < 0 ? -1 : selected) + step) % count;
    const auto text = textAt(i);
    if (text.size() > 0 && same(text[0], typed)) return i;
    if (text.size() > 2 && text[1] == u' ' && same(text[2], typed)) return i;
  }
  return -1;
}

}  // namespace platform
