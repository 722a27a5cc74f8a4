#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"

namespace {

using fake::Lines;
using platform::MenuId;
using Values = std::array<std::optional<std::string>, 10>;

const char kIni[] = "/opt/tovu/tovu.ini";

class SettingsTest : public ::testing::Test {
 protected:
  void Ini(const std::string& body) { desk.system.files[kIni].bytes = "[Setting]\r\n" + body; }
  // What startup changed, less the showing of the first list and the file reads.
  Lines LoadLog() {
    form.Form_Load();
    Lines log = desk.TakeLog();
    std::erase_if(log, [](const std::string& line) {
      for (const char* skipped : {"mnuViewList", "Read ", "Exists ", "Get "}) {
        if (line.rfind(skipped, 0) == 0) return true;
      }
      return false;
    });
    return log;
  }
  // The profile writes of the exit, in order.
  Lines ExitWrites() {
    desk.TakeLog();
    form.mnuExit_Click();
    Lines writes;
    for (const std::string& line : desk.TakeLog()) {
      if (line.rfind("Write ", 0) == 0) writes.push_back(line.substr(6));
    }
    return writes;
  }

  fake::FakeDesktop desk;
  frmTovu form{desk};
};

TEST_F(SettingsTest, MissingFileGivesDefaultsAndExitWritesANewFile) {
  form.Form_Load();
  EXPECT_EQ((Values{"False", "False", "False", "False", "False", "False", "False", {}, {}, {}}), form.SettingValues);
  desk.window.Show();
  form.mnuExit_Click();
  EXPECT_EQ(
      "[Setting]\r\nQuickCopy=False\r\nTopPos=False\r\nPasteMode=False\r\nUpMemo=False\r\nModeSave=False\r\n"
      "WinPosSave=False\r\nTop=4620\r\nLeft=7065\r\nHeight=5220\r\nWidth=2910\r\n",
      desk.system.files[kIni].bytes);
}

TEST_F(SettingsTest, MissingFileAndNeverNormalWindowWritesTopFalseOnly) {
  desk.window.state = platform::StateMinimized;  // started minimised, closed from the taskbar
  form.Form_Load();
  desk.window.Show();
  EXPECT_EQ((Lines{"QuickCopy=False", "TopPos=False", "PasteMode=False", "UpMemo=False", "ModeSave=False",
                   "WinPosSave=False", "Top=False", "Left (remove)", "Height (remove)", "Width (remove)"}),
            ExitWrites());
  EXPECT_EQ(
      "[Setting]\r\nQuickCopy=False\r\nTopPos=False\r\nPasteMode=False\r\nUpMemo=False\r\nModeSave=False\r\n"
      "WinPosSave=False\r\nTop=False\r\n",
      desk.system.files[kIni].bytes);
}

TEST_F(SettingsTest, KeysMissingFromTheFileReadAsEmptyAndFlagsAsFalse) {
  Ini("QuickCopy=\r\nTopPos=yes\r\n");
  EXPECT_EQ((Lines{"mnuModeSave.Checked=False"}), LoadLog());
  EXPECT_EQ((Values{"", "yes", "", "", "", "", "", "", "", ""}), form.SettingValues);
}

TEST_F(SettingsTest, FlagsReadInAnyCaseOrAsNumbersAndModesApplyInOrder) {
  Ini("QuickCopy=true\r\nTopPos=-1\r\nPasteMode=1\r\nUpMemo=FALSE\r\nModeSave=0\r\nWinPosSave=0\r\n");
  EXPECT_EQ((Lines{"mnuModeSave.Checked=False", "cmdCopy.Enabled=False", "mnuQCopy.Checked=True",
                   "SetWindowPos -1 0 0 0 0 3", "mnuTopPos.Checked=True", "SetWindowPos 0 0 0 0 0 3",
                   "mnuPasteMode.Checked=True", "tmrPasteMode.Interval=500"}),
            LoadLog());
  EXPECT_FALSE(desk.menu(MenuId::mnuUpMemo).checked);
}

TEST_F(SettingsTest, SavedWindowPositionIsRestoredInOrderAndRecorded) {
  Ini("WinPosSave=True\r\nTop=1500\r\nLeft=-3000\r\nHeight=6000\r\nWidth=4000\r\n");
  // The Height write records the geometry of that moment; Width still gets its saved value.
  EXPECT_EQ((Lines{"mnuModeSave.Checked=False", "mnuWinPosSave.Checked=True", "Top=1500", "Left=-3000",
                   "Height=6000", "Width=4000"}),
            LoadLog());
  EXPECT_EQ((Values{"", "", "", "", "", "True", "1500", "-3000", "6000", "4000"}), form.SettingValues);
  EXPECT_EQ(4000 - 120, desk.list.width * 2);
}

TEST_F(SettingsTest, WindowPositionIsIgnoredWithoutWinPosSaveYetRewritten) {
  Ini("WinPosSave=False\r\nTop=1500\r\nLeft=3000\r\nHeight=6000\r\nWidth=4000\r\n");
  EXPECT_EQ((Lines{"mnuModeSave.Checked=False"}), LoadLog());
  desk.window.Show();
  EXPECT_EQ((Lines{"QuickCopy=False", "TopPos=False", "PasteMode=False", "UpMemo=False", "ModeSave=False",
                   "WinPosSave=False", "Top=4620", "Left=7065", "Height=5220", "Width=2910"}),
            ExitWrites());
}

TEST_F(SettingsTest, GeometryTheWindowCannotTakeIsSkipped) {
  Ini("WinPosSave=1\r\nTop=12.5abc\r\nLeft=abc\r\nHeight=\r\nWidth=1e40\r\n");
  EXPECT_EQ((Lines{"mnuModeSave.Checked=False", "mnuWinPosSave.Checked=True", "Top=12.5", "Left=0", "Height=0",
                   "Width=1e+40"}),
            LoadLog());
  EXPECT_EQ(12.5, desk.window.top);
  EXPECT_EQ(0, desk.window.left);
  EXPECT_EQ(5220, desk.window.height);
  EXPECT_EQ(2910, desk.window.width);
}

TEST_F(SettingsTest, ModesComeBackOnlyWhileModeSaveIsChecked) {
  for (const bool modeSave : {false, true}) {
    fake::FakeDesktop d;
    frmTovu f(d);
    f.Form_Load();
    d.window.Show();
    for (MenuId id : {MenuId::mnuQCopy, MenuId::mnuTopPos, MenuId::mnuPasteMode, MenuId::mnuUpMemo}) d.Choose(id);
    if (modeSave) d.Choose(MenuId::mnuModeSave);
    f.mnuExit_Click();

    fake::FakeDesktop next;
    next.system.files = d.system.files;
    frmTovu nextForm(next);
    nextForm.Form_Load();
    for (MenuId id : {MenuId::mnuQCopy, MenuId::mnuTopPos, MenuId::mnuPasteMode, MenuId::mnuModeSave}) {
      EXPECT_EQ(modeSave, next.menu(id).checked) << "ModeSave " << modeSave << ", item " << static_cast<int>(id);
    }
    EXPECT_EQ(modeSave, !next.button.enabled);
    EXPECT_EQ(modeSave ? 500 : 0, next.timer.interval);
    EXPECT_TRUE(next.menu(MenuId::mnuUpMemo).checked);
  }
}

TEST_F(SettingsTest, HiddenFileIsMissingAtStartYetWrittenAtExit) {
  Ini("QuickCopy=True\r\nModeSave=True\r\n");
  desk.system.files[kIni].hidden = true;
  form.Form_Load();
  EXPECT_EQ((Values{"False", "False", "False", "False", "False", "False", "False", {}, {}, {}}), form.SettingValues);
  desk.window.Show();
  form.mnuExit_Click();
  EXPECT_EQ("[Setting]\r\nQuickCopy=False\r\nModeSave=False\r\nTopPos=False\r\nPasteMode=False\r\n"
            "UpMemo=False\r\nWinPosSave=False\r\nTop=4620\r\nLeft=7065\r\nHeight=5220\r\nWidth=2910\r\n",
            desk.system.files[kIni].bytes);
}

TEST_F(SettingsTest, UnwritableSettingsStillEndTheProgramAndChangeNothing) {
  for (const bool folder : {false, true}) {
    fake::FakeDesktop d;
    frmTovu f(d);
    d.system.files[kIni] = {"[Setting]\r\nUpMemo=True\r\n", false, !folder, folder};
    f.Form_Load();
    d.window.Show();
    f.mnuExit_Click();
    EXPECT_TRUE(d.windowSystem.ended) << "folder " << folder;
    EXPECT_EQ("[Setting]\r\nUpMemo=True\r\n", d.system.files[kIni].bytes) << "folder " << folder;
  }
}

TEST_F(SettingsTest, StartupOptionsFlipOnlyTheirOwnMark) {
  form.Form_Load();
  desk.TakeLog();
  form.mnuUpMemo_Click();
  form.mnuModeSave_Click();
  form.mnuWinPosSave_Click();
  form.mnuModeSave_Click();
  EXPECT_EQ((Lines{"mnuUpMemo.Checked=True", "mnuModeSave.Checked=True", "mnuWinPosSave.Checked=True",
                   "mnuModeSave.Checked=False"}),
            desk.TakeLog());
  EXPECT_FALSE(desk.system.files.contains(kIni));
}

}  // namespace
