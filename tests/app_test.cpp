#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/frmTovu.h"
#include "fake_desktop.h"

namespace {

using fake::Lines;
using platform::MenuId;
using Values = std::array<std::optional<std::string>, 10>;

// The fake keeps file lookups and profile reads out of its log; this one puts
// them in, so the order of the startup steps can be read off one record.
class TracingSystem final : public platform::System {
 public:
  TracingSystem(fake::FakeSystem& inner, fake::Shared& s) : inner_(inner), s_(s) {}
  std::string ProgramFolder() const override { return inner_.ProgramFolder(); }
  char PathSeparator() const override { return inner_.PathSeparator(); }
  std::string CommandLine() const override { return inner_.CommandLine(); }
  bool Shell(const std::string& line, int style) override { return inner_.Shell(line, style); }
  bool FileExists(const std::string& path) const override {
    s_.Log("Exists " + path);
    return inner_.FileExists(path);
  }
  platform::TextLines ReadTextLines(const std::string& path) const override {
    s_.Log("Read " + path);
    return inner_.ReadTextLines(path);
  }
  std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& byDefault, std::size_t size,
                                      const std::string& path) override {
    s_.Log("Get [" + section + "] " + key + " \"" + byDefault + "\" " + std::to_string(size));
    return inner_.GetPrivateProfileString(section, key, byDefault, size, path);
  }
  void WritePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value, const std::string& path) override {
    inner_.WritePrivateProfileString(section, key, value, path);
  }
  void SetWindowPos(platform::WindowHandle w, platform::WindowHandle after, int x, int y, int cx, int cy,
                    int flags) override {
    inner_.SetWindowPos(w, after, x, y, cx, cy, flags);
  }
  void End() override { inner_.End(); }

 private:
  fake::FakeSystem& inner_;
  fake::Shared& s_;
};

class TracingDesktop final : public platform::Desktop {
 public:
  explicit TracingDesktop(fake::FakeDesktop& d) : d_(d), system_(d.system, d.s) {}
  void Attach(platform::FormEvents& events) override { d_.Attach(events); }
  platform::Window& Form() override { return d_.Form(); }
  platform::ListBox& List() override { return d_.List(); }
  platform::TextBox& CodeBox() override { return d_.CodeBox(); }
  platform::Label& CodeLabel() override { return d_.CodeLabel(); }
  platform::Button& CopyButton() override { return d_.CopyButton(); }
  platform::OptionButton& Option(int index) override { return d_.Option(index); }
  platform::MenuItem& Menu(MenuId id) override { return d_.Menu(id); }
  platform::Timer& PasteTimer() override { return d_.PasteTimer(); }
  platform::OpenDialog& Dialog() override { return d_.Dialog(); }
  platform::Screen& Display() override { return d_.Display(); }
  platform::Clipboard& Clip() override { return d_.Clip(); }
  platform::System& Sys() override { return system_; }

 private:
  fake::FakeDesktop& d_;
  TracingSystem system_;
};

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
  TracingDesktop traced(desk);
  frmTovu tracedForm(traced);
  tracedForm.Form_Load();

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
  EXPECT_EQ((Values{"False", "False", "False", "False", "False", "False", "False", {}, {}, {}}),
            form.SettingValues);
  desk.window.Show();
  EXPECT_EQ(Expected(1395, 4770, 1155), Now());
  EXPECT_EQ((Values{"False", "False", "False", "False", "False", "False", "4620", "7065", "5220", "2910"}),
            form.SettingValues);
}

TEST_F(AppTest, CodeBoxKeepsItsWidthUpToClientWidth480) {
  Start();
  desk.window.UserResize(481, 3000);
  EXPECT_EQ(Expected(240.5, 3000, 0.5), Now());
  desk.window.UserResize(480, 2000);
  EXPECT_EQ(Expected(240, 2000, 0.5), Now());
  desk.window.UserResize(2790, 4770);
  desk.window.UserResize(480, 2000);
  EXPECT_EQ(Expected(240, 2000, 1155), Now());
}

TEST_F(AppTest, MinimisedWritesOnlyListPositionAndRecordsNothing) {
  Start();
  const Values normal = form.SettingValues;
  desk.list.top = desk.list.left = 7;
  desk.window.left = desk.window.top = -32000;  // where the system parks a minimised window
  desk.window.SetState(platform::vbMinimized);
  EXPECT_EQ(Expected(1395, 4770, 1155), Now());
  EXPECT_EQ(normal, form.SettingValues);
}

TEST_F(AppTest, MaximisedFollowsClientAreaAndRecordsNothing) {
  Start();
  const Values normal = form.SettingValues;
  desk.window.left = desk.window.top = -60;
  desk.window.width = 15360 + 120;
  desk.window.height = 11000 + 450;
  desk.window.SetState(platform::vbMaximized);
  EXPECT_EQ(Expected(7680, 11000, 7440), Now());
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
    "Write Top=4620",         "Write Left=7065",         "Write Height=5220",
    "Write Width=2910",       "End"};

TEST_F(AppTest, ExitFromMenuClearsModeMarksOnlyWritesTenKeysAndEnds) {
  Start();
  for (MenuId id : {MenuId::mnuQCopy, MenuId::mnuTopPos, MenuId::mnuPasteMode}) desk.Choose(id);
  desk.TakeLog();
  desk.Choose(MenuId::mnuExit);
  EXPECT_EQ(kExitWithoutModeSave, desk.TakeLog());
  // The modes' effects stay for the moment that remains.
  EXPECT_FALSE(desk.button.enabled);
  EXPECT_EQ(500, desk.timer.interval);
  EXPECT_TRUE(desk.system.ended);
}

TEST_F(AppTest, CloseRequestExitsAsTheMenuDoes) {
  Start();
  for (MenuId id : {MenuId::mnuQCopy, MenuId::mnuTopPos, MenuId::mnuPasteMode}) desk.Choose(id);
  desk.TakeLog();
  bool cancel = false;
  form.Form_QueryUnload(cancel, platform::vbAppWindows);
  EXPECT_FALSE(cancel);
  EXPECT_EQ(kExitWithoutModeSave, desk.TakeLog());
}

TEST_F(AppTest, ExitWhileMaximisedOrMinimisedStoresLastNormalGeometry) {
  for (int state : {platform::vbMaximized, platform::vbMinimized}) {
    fake::FakeDesktop d;
    frmTovu f(d);
    f.Form_Load();
    d.window.Show();
    d.window.left = d.window.top = -60;
    d.window.width = d.window.height = 20000;
    d.window.SetState(state);
    d.TakeLog();
    f.mnuExit_Click();
    const Lines log = d.TakeLog();
    EXPECT_EQ((Lines{"Write Top=4620", "Write Left=7065", "Write Height=5220", "Write Width=2910", "End"}),
              Lines(log.end() - 5, log.end()))
        << "state " << state;
  }
}

}  // namespace
