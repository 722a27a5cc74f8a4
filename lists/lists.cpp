#include <algorithm>

#include "app/frmTovu.h"

namespace {

const char* const kListFiles[] = {"list1.nl2", "list2.nl2", "list3.nl2", "list4.nl2"};

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> pieces;
  pieces.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1);
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) break;
    pieces.emplace_back(text, start, comma - start);
    start = comma + 1;
  }
  pieces.emplace_back(text, start);
  return pieces;
}

}  // namespace

// The file's non-empty lines joined with commas, or why it could not be read: a
// one-line text without a comma, which makes a list without entries.
std::string frmTovu::ReadListFile(const std::string& path) const {
  const platform::TextLines file = system.ReadTextLines(path);
  if (file.error) return *file.error;
  std::string joined;
  joined.reserve(file.text.size() + 1);
  for (std::size_t i = 0; i < file.Count(); ++i) {
    const std::string_view line = file.Line(i);
    if (line.empty()) continue;
    joined += line;
    joined += ',';
  }
  if (joined.empty()) return "Invalid procedure call or argument";
  joined.pop_back();
  return joined;
}

void frmTovu::LoadLists() {
  for (std::size_t k = 0; k < ListData.size(); ++k) {
    const std::string folder = GetAppFolder();
    // Without the program's folder there is no list to read, and never the current folder's.
    ListData[k] = SplitAtCommas(folder.empty() ? "File not found" : ReadListFile(folder + kListFiles[k]));
  }
}

void frmTovu::mnuViewList_Click(int index) {
  if (index < 0 || index >= static_cast<int>(ListData.size())) return;
  CurrentList = static_cast<std::int16_t>(index);
  for (std::size_t i = 0; i < mnuViewList.size(); ++i) mnuViewList[i].SetChecked(false);
  mnuViewList[index].SetChecked(true);
  // From the menu this raises optList_Click, which shows the list once already;
  // the refill below still leaves it in the list box exactly once.
  optList[index].SetValue(true);
  lstMain.Clear();
  const std::vector<std::string>& list = ListData[index];
  // Names only; a trailing name without its code is no entry.
  for (std::size_t i = 0; i + 1 < list.size(); i += 2) lstMain.AddItem(list[i]);
}

void frmTovu::optList_Click(int index) { mnuViewList_Click(index); }

void frmTovu::lstMain_Click() {
  const int position = lstMain.ListIndex();
  if (position < 0) return;
  // Positions are not held to 16 bits, so every name of a long list keeps its code.
  const std::size_t code = 2 * static_cast<std::size_t>(position) + 1;
  const std::vector<std::string>& list = ListData[CurrentList];
  if (code >= list.size()) return;
  txtCode.SetText(list[code]);
  if (mnuQCopy.Checked()) cmdCopy_Click();
}
