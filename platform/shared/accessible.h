// What the back ends share to serve people who work by keyboard and screen
// reader: the list box's name, what is said of an entry, a chosen list and a
// copy, and where a typed character moves the list box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// Whether a copy is heard with the entry: one made while the selection's handler
// runs (instant copy) is, in the entry's description; any other is told on its own.
class SelectionCopies {
 public:
  // Runs the selection's handler, lstMain_Click.
  template <typename Handler>
  void Select(Handler handler) {
    selecting_ = true, copied_ = false;
    handler();
    selecting_ = false;
  }
  // A text went to the clipboard: true when it is heard with the entry.
  bool Copy() {
    copied_ = copied_ || selecting_;
    return selecting_;
  }
  // Whether the last selection's handler copied.
  bool Copied() const { return copied_; }

 private:
  bool selecting_ = false;
  bool copied_ = false;
};

// What a screen reader is told once a list is chosen: the list box's name, then
// the entry selected and its code, if one is.
std::string ListNotice(const std::string& listBoxName, const std::string& entry, const std::string& code);

// What a screen reader is told of a copy: "コピーしました：&Gamma;".
std::string CopyNotice(const std::string& text);

// What a typed character is matched against in one entry: its first character,
// and the one after a symbol and a blank where the entry puts them before its
// name ("Α Alpha", "… hellip", "𝔄 Afr"), so that a Latin letter reaches every
// entry. Whole characters (a surrogate pair is one), in the toolkit's case
// folding; 0 where there is none, which no typed character is.
struct TypedKeys {
  char32_t first = 0;
  char32_t name = 0;
};

// The character at text[i], a surrogate pair as one (a lone surrogate as
// itself); i moves past it.
char32_t NextCharacter(std::u16string_view text, std::size_t& i);

// An entry's keys from its text; fold(c) is c in the toolkit's case folding.
template <typename Fold>
TypedKeys KeysOf(std::u16string_view text, Fold fold) {
  TypedKeys keys;
  std::size_t i = 0;
  if (!text.empty()) keys.first = fold(NextCharacter(text, i));
  if (i + 1 < text.size() && text[i] == u' ') keys.name = fold(NextCharacter(text, ++i));
  return keys;
}

// Where a typed character, folded, moves a list box: to the next entry after
// the selected one (from the first when none is, around the end) that starts
// with it or whose name does; -1 when none does. The back ends keep each
// entry's keys as they add it: asking the toolkit for every entry's text costs
// a message each on Windows, seconds on a long list.
int TypedEntry(const std::vector<TypedKeys>& entries, int selected, char32_t typed);

}  // namespace platform
