#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"

namespace {

using fake::Lines;
using platform::MenuId;
using Values = std::array<std::optional<std::string>, 10>;

// Where Form_Resize put every control it moves.
struct Layout {
  double listTop, listLeft, listWidth, listHeight;
  double labelLeft, codeLeft, codeWidth, buttonLeft, buttonWidth;
  std::array<double, 4> optionLeft;
  bool operator==(const Layout&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Layout& l) {
  return os << "list " << l.listTop << "," << l.listLeft << "," << l.listWidth << "," << l.listHeight
            << " label " << l.labelLeft << " code " << l.codeLeft << "/" << l.codeWidth << " button "
            << l.buttonLeft << "/" << l.buttonWidth << " options " << l.optionLeft[0] << ","
            << l.optionLeft[1] << "," << l.optionLeft[2] << "," << l.optionLeft[3];
}

// The layout of a left half `half` wide and `height` high, code box `codeWidth` wide.
Layout Expected(double half, double height, double codeWidth) {
  const double column = half + 120;
  return {0, 0, half, height, column, column, codeWidth, column, codeWidth, {column, column, column, column}};
}

const Lines kShowList0 = {"mnuViewList(0).Checked=False", "mnuViewList(1).Checked=False",
                          "mnuViewList(2).Checked=False", "mnuViewList(3).Checked=False",
                          "mnuViewList(0).Checked=True"};

class AppTest : public ::testing::Test {
 protected:
  Layout Now() {
    return {desk.list.top,   desk.list.left,   desk.list.width,   desk.list.height,
            desk.label.left, desk.code.left,   desk.code.width,   desk.button.left,
            desk.button.width,
            {desk.option(0).left, desk.option(1).left, desk.option(2).left, desk.option(3).left}};
  }
  // A drag moves the window without a resize, so only the exit records where it is.
  void StartWithModesOnThenDrag() {
    Start();
    for (MenuId id : {MenuId::mnuQCopy, MenuId::mnuTopPos, MenuId::mnuPasteMode}) desk.Choose(id);
    desk.window.left = 300;
    desk.window.top = 450;
    desk.TakeLog();
  }
  void Start() {
    form.Form_Load();
    desk.window.Show();
    desk.TakeLog();
  }

  fake::FakeDesktop desk;
  frmTovu form{desk};
};

TEST_F(AppTest, AppFolderEndsInExactlyOneSeparator) {
  struct Row {
    char separator;
    std::string folder, expected;
  };
  // The trail bytes of ソ and 表 in code page 932 equal the backslash.
  const std::vector<Row> rows = {
      {'/', "/", "/"},          {'/', "/opt/tovu", "/opt/tovu/"},   {'/', "/home/u/ソ", "/home/u/ソ/"},
      {'\\', "D:\\", "D:\\"},   {'\\', "D:\\tools", "D:\\tools\\"}, {'\\', "C:\\表", "C:\\表\\"},
      {'\\', "C:\\ソ", "C:\\ソ\\"},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    desk.system.separator = rows[i].separator;
    desk.system.programFolder = rows[i].folder;
    EXPECT_EQ(rows[i].expected, form.GetAppFolder()) << "row " << i + 1;
  }
}

TEST_F(AppTest, ListPathInRootHasNoDoubledSeparator) {
  desk.system.separator = '\\';
  desk.system.programFolder = "D:\\";
  desk.system.files["D:\\list1.nl2"].bytes = "Alpha,&Alpha;";
  form.Form_Load();
  EXPECT_EQ((Lines{"Alpha", "&Alpha;"}), form.ListData[0]);
}

TEST_F(AppTest, StartupReadsListsThenSettingsThenStartsNotepadThenShowsList0) {
  desk.system.files["/opt/tovu/tovu.ini"].bytes = "[Setting]\r\nQuickCopy=True\r\nUpMemo=True\r\n";
  form.Form_Load();

  Lines expected;
  for (int k = 1; k <= 4; ++k) expected.push_back("Read /opt/tovu/list" + std::to_string(k) + ".nl2");
  expected.push_back("Exists /opt/tovu/tovu.ini");
  for (const char* key : {"QuickCopy", "TopPos", "PasteMode", "UpMemo", "ModeSave", "WinPosSave", "Top",
                          "Left", "Height", "Width"}) {
    expected.push_back(std::string("Get [Setting] ") + key + " \"\" 1024");
  }
  expected.insert(expected.end(), {"mnuModeSave.Checked=False", "cmdCopy.Enabled=False", "mnuQCopy.Checked=True",
                                   "mnuUpMemo.Checked=True", "Shell Notepad (1)"});
  expected.insert(expected.end(), kShowList0.begin(), kShowList0.end());
  EXPECT_EQ(expected, desk.TakeLog());
}

TEST_F(AppTest, FirstShowLaysOutDesignSizeAndRecordsGeometry) {
  form.Form_Load();
  desk.window.Show();
  EXPECT_EQ(Expected(1395, 4770, 1155), Now());
  EXPECT_EQ((Values{"False", "False", "False", "False", "False", "False", "4620", "7065", "5220", "2910"}),
            form.SettingValues);
}

TEST_F(AppTest, RightColumnFollowsTheLabelAsTheToolkitPlacedIt) {
  desk.label.grid = desk.code.grid = 15;  // whole pixels
  Start();
  desk.window.UserResize(2800, 4770);     // half 1400: the label asks for 1520, gets 1515
  EXPECT_EQ(1515, desk.label.left);
  EXPECT_EQ(1515, desk.code.left);
  EXPECT_EQ(1515, desk.button.left);
  EXPECT_EQ(1515, desk.option(3).left);
  EXPECT_EQ(1155, desk.code.width);       // 1160 asked, 1155 placed
  EXPECT_EQ(1155, desk.button.width);     // the button takes the code box's width as placed
}

TEST_F(AppTest, CodeBoxKeepsItsWidthUpToClientWidth480) {
  Start();
  desk.window.UserResize(481, 3000);
  EXPECT_EQ(Expected(240.5, 3000, 0.5), Now());
  desk.window.UserResize(2790, 4770);
  desk.window.UserResize(480, 2000);
  EXPECT_EQ(Expected(240, 2000, 1155), Now());
}

// Neither state is recorded, not even by the exit: the last normal geometry is stored.
TEST_F(AppTest, MinimisedWritesOnlyListPositionAndRecordsNothing) {
  Start();
  const Values normal = form.SettingValues;
  desk.list.top = desk.list.left = 7;
  desk.window.left = desk.window.top = -32000;  // where the system parks a minimised window
  desk.window.SetState(platform::StateMinimized);
  EXPECT_EQ(Expected(1395, 4770, 1155), Now());
  form.mnuExit_Click();
  EXPECT_EQ(normal, form.SettingValues);
}

TEST_F(AppTest, MaximisedFollowsClientAreaAndRecordsNothing) {
  Start();
  const Values normal = form.SettingValues;
  desk.window.left = desk.window.top = -60;
  desk.window.width = 15360 + 120;
  desk.window.height = 11000 + 450;
  desk.window.SetState(platform::StateMaximized);
  EXPECT_EQ(Expected(7680, 11000, 7440), Now());
  form.mnuExit_Click();
  EXPECT_EQ(normal, form.SettingValues);
}

TEST_F(AppTest, NegativePositionIsRecordedWithMinusSign) {
  Start();
  desk.window.left = -120;
  desk.window.top = -45;
  desk.window.UserResize(3000, 4000);
  EXPECT_EQ("-45", form.SettingValues[6]);
  EXPECT_EQ("-120", form.SettingValues[7]);
}

// Modes on, mode saving off: the marks alone are cleared, then ten writes and the end.
const Lines kExitWithoutModeSave = {
    "mnuQCopy.Checked=False", "mnuTopPos.Checked=False", "mnuPasteMode.Checked=False",
    "Write QuickCopy=False",  "Write TopPos=False",      "Write PasteMode=False",
    "Write UpMemo=False",     "Write ModeSave=False",    "Write WinPosSave=False",
    "Write Top=450",          "Write Left=300",         "Write Height=5220",
    "Write Width=2910",       "End"};

TEST_F(AppTest, ExitFromMenuClearsModeMarksOnlyWritesTenKeysAndEnds) {
  StartWithModesOnThenDrag();
  desk.Choose(MenuId::mnuExit);
  EXPECT_EQ(kExitWithoutModeSave, desk.TakeLog());
  // The modes' effects stay for the moment that remains.
  EXPECT_FALSE(desk.button.enabled);
  EXPECT_EQ(500, desk.timer.interval);
  EXPECT_TRUE(desk.windowSystem.ended);
}

TEST_F(AppTest, CloseRequestExitsAsTheMenuDoes) {
  StartWithModesOnThenDrag();
  bool cancel = false;
  form.Form_QueryUnload(cancel, platform::CloseBySession);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(kExitWithoutModeSave, desk.TakeLog());
}

}  // namespace
