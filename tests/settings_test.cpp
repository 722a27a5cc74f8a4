#include <limits>

#include "handlers.h"
#include "settings/values.h"

class SettingsTest : public Handlers {};

static const char kIni[] = "/opt/tovu/tovu.ini";

// A window never normal keeps Top "False" and writes no geometry; modes switched on go in as off without mode
// saving, their marks cleared, from the menu's exit as from a close request. A hidden file, or one that cannot be
// replaced, is the system's to keep (Win32Test, PosixSystemTest).
TEST_F(SettingsTest, TheExitWritesEveryKeyAndEndsTheProgram) {
  const std::string flags =
      "[Setting]\r\nQuickCopy=False\r\nTopPos=False\r\nPasteMode=False\r\nUpMemo=False\r\n"
      "ModeSave=False\r\nWinPosSave=False\r\n";
  const std::string geometry = "Top=4620\r\nLeft=7065\r\nHeight=5220\r\nWidth=2910\r\n";
  const struct {
    int state;
    std::string written;
    bool modesOn = false;
  } rows[] = {{platform::StateNormal, flags + geometry},
              {platform::StateNormal, flags + geometry, true},
              {platform::StateMinimized, flags + "Top=False\r\n"}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    Program run;
    run.desk.window.state = rows[i].state;
    run.Start();
    if (rows[i].modesOn) {
      for (MenuId id : {MenuId::mnuQCopy, MenuId::mnuTopPos, MenuId::mnuPasteMode}) run.desk.Choose(id);
    }
    rows[i].modesOn ? run.desk.window.RequestClose() : run.desk.Choose(MenuId::mnuExit);
    EXPECT_EQ(rows[i].written, run.desk.system.files[kIni].bytes) << "row " << i + 1;
    EXPECT_TRUE(run.desk.windowSystem.ended) << "row " << i + 1;
  }
}

// Flags in any case or as numbers; modes switched on in order, after the window
// is restored; geometry ignored without WinPosSave, skipped where the window cannot take it.
TEST_F(SettingsTest, StartupAppliesWhatTheFileHolds) {
  const std::pair<std::string, Lines> rows[] = {
      {"QuickCopy=\r\nTopPos=yes\r\nWinPosSave=False\r\nTop=1500\r\nLeft=3000\r\nHeight=6000\r\n",
       {"mnuModeSave.Checked=False"}},
      {"QuickCopy=true\r\nTopPos=-1\r\nPasteMode=1\r\nUpMemo=FALSE\r\nModeSave=0\r\nWinPosSave=0\r\n",
       {"mnuModeSave.Checked=False", "cmdCopy.Enabled=False", "mnuQCopy.Checked=True", "SetWindowPos -1 0 0 0 0 3",
        "mnuTopPos.Checked=True", "SetWindowPos 0 0 0 0 0 3", "mnuPasteMode.Checked=True",
        "tmrPasteMode.Interval=500"}},
      {"TopPos=True\r\n",
       {"mnuModeSave.Checked=False", "SetWindowPos -1 0 0 0 0 3", "mnuTopPos.Checked=True",
        "SetWindowPos 0 0 0 0 0 3"}},
      {"WinPosSave=1\r\nTop=12.5abc\r\nLeft=abc\r\nHeight=\r\nWidth=1e40\r\n",
       {"mnuModeSave.Checked=False", "mnuWinPosSave.Checked=True", "Top=12.5", "Left=0", "Height=0", "Width=1e+40"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    Program run;
    run.File("tovu.ini", "[Setting]\r\n" + rows[i].first);
    run.form.Form_Load();
    EXPECT_EQ(rows[i].second, run.Taken({"mnuModeSave", "mnuWinPosSave", "mnuQCopy", "mnuTopPos", "mnuPasteMode",
                                         "mnuUp", "cmd", "SetWindowPos", "tmr", "Top", "Left", "Height", "Width"}))
        << "row " << i + 1;
  }
}

// Beside the program while its folder takes a new file, else the user's own file, which a file beside the program
// seeds until it exists; the exit falls back to the user's own when the folder no longer takes one (made read-only,
// removed). With no folder of the program's known, nothing is read from the current folder.
TEST_F(SettingsTest, TheSettingsLiveBesideTheProgramWhileItsFolderTakesThem) {
  const std::string beside = kIni, own = "/home/user/.config/tovu/tovu.ini";
  // The program's folder; what stands (L: the folder takes no new file, S: a file beside the program, O: the user's
  // own file, X: the folder takes none by the exit); the file startup reads; the file the exit writes.
  // clang-format off
  const std::tuple<std::string, std::string, std::string, std::string> rows[] = {
      {"/opt/tovu", "SO", beside, beside}, {"/opt/tovu", "L", beside, own}, {"/opt/tovu", "LS", beside, own},
      {"/opt/tovu", "LSO", own, own},      {"", "O", own, own},             {"/opt/tovu", "SX", beside, own}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto& [folder, stands, read, written] = rows[i];
    const auto has = [&s = stands](char c) { return s.find(c) != std::string::npos; };
    Program run;
    run.desk.system.programFolder = folder;
    if (has('L')) run.desk.system.lockedFolders.insert("/opt/tovu");
    if (has('S')) run.desk.system.files[beside].bytes = "[Setting]\r\nTop=1\r\n";
    if (has('O')) run.desk.system.files[own].bytes = "[Setting]\r\nTop=2\r\n";
    EXPECT_EQ(read, run.form.ChooseSettingsFiles().read) << "row " << i + 1;
    run.form.Form_Load();
    EXPECT_EQ(folder.empty(), run.Taken({"Read "}).empty()) << "row " << i + 1;  // the lists
    if (has('X')) run.desk.system.lockedFolders.insert("/opt/tovu");
    run.form.mnuExit_Click();
    EXPECT_TRUE(run.desk.system.files[written].bytes.ends_with("Width=2910\r\n")) << "row " << i + 1;
  }
}

// Hand-edited garbage reads as False, or as the number it starts with, rather than stopping the program.
TEST(Values, ReadFlagReadNumberAndNumberText) {
  for (const char* yes : {"True", "true", "tRuE", "1", "-1", "2.5", "1e3"}) EXPECT_TRUE(settings::ReadFlag(yes)) << yes;
  for (const char* no : {"False", "FALSE", "0", "0.0", "-0", "", "yes", "Truex", "1x", "e1", "."}) {
    EXPECT_FALSE(settings::ReadFlag(no)) << no;
  }
  EXPECT_FALSE(settings::ReadFlag(std::nullopt));
  const double kInfinity = std::numeric_limits<double>::infinity();
  // clang-format off
  const std::pair<std::string, double> numbers[] = {
      {"1515", 1515}, {"  42", 42}, {"\t8", 8}, {"-120", -120}, {"+7", 7}, {"12.5abc", 12.5}, {".5", 0.5}, {"5.", 5},
      {"1e3", 1000}, {"1E-2", 0.01}, {"2e", 2}, {"2e+", 2}, {"2ex", 2}, {"1e400", kInfinity}, {"-1e400", -kInfinity},
      {"-0.5x", -0.5}, {"1.2.3", 1.2}, {"1 2", 1}, {"abc", 0}, {"", 0}, {"-", 0}, {".", 0}, {"0x10", 0}, {"False", 0}};
  for (const auto& [text, number] : numbers) EXPECT_EQ(number, settings::ReadNumber(text)) << "\"" << text << "\"";
  const std::pair<float, std::string> texts[] = {
      {1515, "1515"}, {-120, "-120"}, {0.5f, "0.5"}, {12.5f, "12.5"}, {1234567, "1234567"}, {12345678, "1.234568E+07"},
      {1.0f / 3, "0.3333333"}, {-0.0f, "0"}, {0, "0"}, {0.1f, "0.1"}, {0.00001f, "1E-05"}, {-7065.25f, "-7065.25"}};
  // clang-format on
  for (const auto& [value, text] : texts) EXPECT_EQ(text, settings::NumberText(value)) << value;
}
