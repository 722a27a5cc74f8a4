#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"
#include "platform/codepage.h"

namespace {

using fake::Lines;
using platform::MenuId;

// What the user sees of the list choice.
struct Shown {
  int list;
  std::array<bool, 4> marks;
  int option;
  Lines items;
  int index;
  std::string code;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
  os << "list " << s.list << " marks " << s.marks[0] << s.marks[1] << s.marks[2] << s.marks[3] << " option "
     << s.option << " index " << s.index << " code \"" << s.code << "\" items";
  for (const std::string& item : s.items) os << " [" << item << "]";
  return os;
}

std::array<bool, 4> Mark(int list) { return {list == 0, list == 1, list == 2, list == 3}; }

Shown StateOf(fake::FakeDesktop& d, const frmTovu& f) {
  std::array<bool, 4> marks{};
  for (int i = 0; i < 4; ++i) marks[i] = d.menu(static_cast<MenuId>(static_cast<int>(MenuId::mnuViewList0) + i)).checked;
  return {f.CurrentList, marks, d.selectedOption, d.list.items, d.list.index, d.code.text};
}

// The record of one run of the list choice.
Lines Marking(int list) {
  Lines log;
  for (int i = 0; i < 4; ++i) log.push_back("mnuViewList(" + std::to_string(i) + ").Checked=False");
  log.push_back("mnuViewList(" + std::to_string(list) + ").Checked=True");
  return log;
}

class ListsTest : public ::testing::Test {
 protected:
  // Files are written as the program's data files are: code page 932.
  void File(int list, const std::string& utf8) {
    desk.system.files["/opt/tovu/list" + std::to_string(list + 1) + ".nl2"].bytes = codepage::Utf8ToAnsi(utf8);
  }
  void Start() {
    form.Form_Load();
    desk.TakeLog();
  }
  Shown Now() { return StateOf(desk, form); }

  fake::FakeDesktop desk;
  frmTovu form{desk};
};

TEST_F(ListsTest, EveryLayoutOfTheSameFileGivesTheSameList) {
  const Lines greek = {"Α", "&Alpha;", "表", "&#34920;", "  ", "&nbsp;"};
  const std::vector<std::string> files = {
      "Α,&Alpha;,表,&#34920;,  ,&nbsp;",
      "Α,&Alpha;\r\n表,&#34920;\r\n  ,&nbsp;\r\n",
      "Α\r\n&Alpha;\r\n表\r\n&#34920;\r\n  \r\n&nbsp;",
      "Α\r&Alpha;\r表\r&#34920;\r  \r&nbsp;\r",
      "Α\n&Alpha;\n表\n&#34920;\n  \n&nbsp;\n",
      "\r\n\r\nΑ,&Alpha;\r\n\r\n\n\r表\r\n&#34920;\r\n\r\n  ,&nbsp;\r\n\r\n\r\n",
  };
  std::vector<std::string> bytes;
  for (const std::string& file : files) bytes.push_back(codepage::Utf8ToAnsi(file));
  // As today's editors save it: UTF-8, with a byte order mark or without.
  bytes.push_back("\xEF\xBB\xBF" + files[1]);
  bytes.push_back(files[2]);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    fake::FakeDesktop d;
    frmTovu f(d);
    d.system.files["/opt/tovu/list1.nl2"].bytes = bytes[i];
    f.Form_Load();
    EXPECT_EQ(greek, f.ListData[0]) << "file " << i + 1;
    EXPECT_EQ((Lines{"Α", "表", "  "}), d.list.items) << "file " << i + 1;
  }
}

TEST_F(ListsTest, TrailingCommaShiftsRolesAndOddLastNameIsNoEntry) {
  File(0, "A,\r\n1\r\nB,2");
  File(1, "A,1,B");
  Start();
  EXPECT_EQ((Lines{"A", "", "1", "B", "2"}), form.ListData[0]);
  EXPECT_EQ((Lines{"A", "1"}), desk.list.items);
  desk.list.Select(1);
  EXPECT_EQ("B", desk.code.text);
  desk.Choose(MenuId::mnuViewList1);
  EXPECT_EQ(Lines{"A"}, desk.list.items);
}

TEST_F(ListsTest, UnreadableFileGivesAListWithoutEntriesAndLeavesTheOthers) {
  const std::vector<std::optional<fake::FakeFile>> files = {
      fake::FakeFile{"only"}, fake::FakeFile{""}, fake::FakeFile{"\r\n\r\n\n\r"},
      fake::FakeFile{"", false, false, true}, std::nullopt};
  for (std::size_t i = 0; i < files.size(); ++i) {
    fake::FakeDesktop d;
    frmTovu f(d);
    d.system.files["/opt/tovu/list1.nl2"].bytes = "A,1";
    if (files[i]) d.system.files["/opt/tovu/list2.nl2"] = *files[i];
    d.system.files["/opt/tovu/list3.nl2"].bytes = "C,3";
    f.Form_Load();
    EXPECT_EQ(1u, f.ListData[1].size()) << "file " << i + 1;
    EXPECT_EQ((Lines{"A", "1"}), f.ListData[0]) << "file " << i + 1;
    EXPECT_EQ((Lines{"C", "3"}), f.ListData[2]) << "file " << i + 1;
    d.option(1).Click();
    EXPECT_EQ((Shown{1, Mark(1), 1, {}, -1, ""}), StateOf(d, f)) << "file " << i + 1;
    d.option(2).Click();
    EXPECT_EQ((Shown{2, Mark(2), 2, {"C"}, -1, ""}), StateOf(d, f)) << "file " << i + 1;
  }
}

TEST_F(ListsTest, ListFromMenuOrOptionIsShownOnceWithOneMarkAndOneOption) {
  File(0, "A,1,B,2");
  File(2, "C,3,D,4,E,5");
  Start();
  desk.list.Select(1);
  desk.Choose(MenuId::mnuViewList2);
  EXPECT_EQ((Shown{2, Mark(2), 2, {"C", "D", "E"}, -1, "2"}), Now());
  // From the menu the option button raises its own click, which shows the list first.
  Lines twice = Marking(2);
  for (const std::string& line : Marking(2)) twice.push_back(line);
  EXPECT_EQ(twice, desk.TakeLog());

  desk.option(0).Click();
  EXPECT_EQ((Shown{0, Mark(0), 0, {"A", "B"}, -1, "2"}), Now());
  EXPECT_EQ(Marking(0), desk.TakeLog());
}

TEST_F(ListsTest, ChoosingTheShownListAgainRefillsAndKeepsTheCode) {
  File(0, "A,1,B,2");
  Start();
  desk.list.Select(1);
  desk.list.items.push_back("stale");
  desk.Choose(MenuId::mnuViewList0);
  EXPECT_EQ((Shown{0, Mark(0), 0, {"A", "B"}, -1, "2"}), Now());
}

TEST_F(ListsTest, SelectingShowsTheEntrysCodeByArrowKeysAndClicks) {
  File(0, "A,1,Empty,,C,3");
  File(1, "X,x");
  Start();
  desk.code.text = "typed";
  form.lstMain_Click();  // nothing selected: nothing to show
  EXPECT_EQ("typed", desk.code.text);
  Lines codes;
  for (int i = 0; i < 3; ++i) {
    desk.list.Down();
    codes.push_back(desk.code.text);
  }
  EXPECT_EQ((Lines{"1", "", "3"}), codes);
  desk.option(1).Click();
  desk.list.Select(0);
  EXPECT_EQ("x", desk.code.text);
}

TEST_F(ListsTest, EveryEntryOfAVeryLongListKeepsItsOwnCode) {
  std::string text;
  for (int p = 0; p < 35000; ++p) text += "n" + std::to_string(p) + ",c" + std::to_string(p) + "\r\n";
  File(0, text);
  Start();
  ASSERT_EQ(35000u, desk.list.items.size());
  desk.list.Select(34999);
  EXPECT_EQ("c34999", desk.code.text);
  desk.list.Select(16384);
  EXPECT_EQ("c16384", desk.code.text);
}

}  // namespace
