#include <gtest/gtest.h>

#include <string>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"

namespace {

using fake::Lines;
using platform::MenuId;

const char kQuotedPath[] = "\"/home/u/My Pages/a.htm\"";

class NotepadTest : public ::testing::Test {
 protected:
  void UpMemo(bool on) {
    desk.system.files["/opt/tovu/tovu.ini"].bytes = std::string("[Setting]\r\nUpMemo=") + (on ? "True" : "False");
  }
  // What startup did about Notepad: its starts and the mark of the startup option.
  Lines StartupLaunch() {
    form.Form_Load();
    Lines launch;
    for (const std::string& line : desk.TakeLog()) {
      if (line.rfind("Shell ", 0) == 0 || line.rfind("mnuUpMemo", 0) == 0) launch.push_back(line);
    }
    return launch;
  }

  fake::FakeDesktop desk;
  frmTovu form{desk};
};

TEST_F(NotepadTest, NewStartsAnEmptyNotepadEachTime) {
  desk.Choose(MenuId::mnuNew);
  desk.Choose(MenuId::mnuNew);
  EXPECT_EQ((Lines{"Shell Notepad (1)", "Shell Notepad (1)"}), desk.TakeLog());
}

TEST_F(NotepadTest, CommandLineGoesToNotepadAsGivenAndUpMemoOffLeavesTheMark) {
  desk.system.commandLine = kQuotedPath;
  UpMemo(false);
  EXPECT_EQ((Lines{"Shell Notepad \"/home/u/My Pages/a.htm\" (1)"}), StartupLaunch());
}

TEST_F(NotepadTest, CommandLineWithUpMemoStartsOneNotepadThenChecksTheOption) {
  desk.system.commandLine = "a.htm  b.htm";
  UpMemo(true);
  EXPECT_EQ((Lines{"Shell Notepad a.htm  b.htm (1)", "mnuUpMemo.Checked=True"}), StartupLaunch());
}

TEST_F(NotepadTest, UpMemoWithoutCommandLineChecksTheOptionThenStartsNotepad) {
  UpMemo(true);
  EXPECT_EQ((Lines{"mnuUpMemo.Checked=True", "Shell Notepad (1)"}), StartupLaunch());
}

TEST_F(NotepadTest, UpMemoOffStartsNothingWithoutCommandLine) {
  UpMemo(false);
  EXPECT_EQ(Lines{}, StartupLaunch());
}

TEST_F(NotepadTest, OpenSetsTheDialogAndPassesThePathUnquoted) {
  desk.dialog.answers = {"/home/u/My Pages/a.htm", std::nullopt, "/home/u/b.css"};
  for (int use = 0; use < 3; ++use) desk.Choose(MenuId::mnuOpen);
  EXPECT_TRUE(desk.dialog.cancelError);
  EXPECT_EQ(
      "HTMLﾌｧｲﾙ(*.htm,*.html)|*.htm;*.html|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|CSSﾌｧｲﾙ(*.css)|*.css|"
      "すべてのﾌｧｲﾙ(*.*)|*.*|",
      desk.dialog.filter);
  EXPECT_EQ(4096, desk.dialog.flags);
  // Cancel starts nothing; every later use preselects the file chosen before.
  EXPECT_EQ((Lines{"Shell Notepad /home/u/My Pages/a.htm (1)", "Shell Notepad /home/u/b.css (1)"}), desk.TakeLog());
  EXPECT_EQ((Lines{"", "/home/u/My Pages/a.htm", "/home/u/My Pages/a.htm"}), desk.dialog.shownWith);
}

TEST_F(NotepadTest, NotepadThatCannotStartIsQuiet) {
  desk.system.canStart = false;
  desk.system.commandLine = "a.htm";
  desk.system.files["/opt/tovu/list1.nl2"].bytes = "A,1";
  form.Form_Load();
  EXPECT_EQ(Lines{"A"}, desk.list.items);
  desk.dialog.answers = {"/home/u/a.htm"};
  desk.Choose(MenuId::mnuOpen);
  desk.Choose(MenuId::mnuNew);
  desk.list.Select(0);
  EXPECT_EQ("1", desk.code.text);
  EXPECT_EQ(Lines{}, desk.system.started);
  EXPECT_FALSE(desk.windowSystem.ended);
}

}  // namespace
