#include "handlers.h"
#include "raising_rules.h"

class AppTest : public Handlers {
 protected:
  // The list box's size, the right column's left edge (-1 unless every control
  // in it shares it) and the code box's width (-1 unless the button shares it).
  std::string Layout() {
    double column = desk.label.left;
    for (double left : {desk.code.left, desk.button.left, desk.options[0]->left, desk.options[1]->left,
                        desk.options[2]->left, desk.options[3]->left}) {
      if (left != column) column = -1;
    }
    const double listWidth = desk.list.top == 0 && desk.list.left == 0 ? desk.list.width : -1;
    return fake::Num(listWidth) + "x" + fake::Num(desk.list.height) + " column " + fake::Num(column) + " code " +
           fake::Num(desk.button.width == desk.code.width ? desk.code.width : -1);
  }
  std::string Recorded() const {
    const auto& v = form.SettingValues;
    using S = frmTovu::Setting;
    return *v[S::Top] + " " + *v[S::Left] + " " + *v[S::Height] + " " + *v[S::Width];
  }
};

TEST_F(AppTest, AppFolderEndsInExactlyOneSeparator) {
  // The trail bytes of ソ and 表 in code page 932 equal the backslash.
  // clang-format off
  const std::tuple<char, std::string, std::string> rows[] = {
      {'/', "/", "/"},        {'/', "/opt/tovu", "/opt/tovu/"},   {'/', "/home/u/ソ", "/home/u/ソ/"},
      {'\\', "D:\\", "D:\\"}, {'\\', "D:\\tools", "D:\\tools\\"}, {'\\', "C:\\表", "C:\\表\\"},
      {'\\', "C:\\ソ", "C:\\ソ\\"}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    std::tie(desk.system.separator, desk.system.programFolder, std::ignore) = rows[i];
    EXPECT_EQ(std::get<2>(rows[i]), form.GetAppFolder()) << "row " << i + 1;
  }
}

// Each row follows the one before. Only a normal window's geometry is recorded,
// not even the exit records a minimised or maximised one.
TEST_F(AppTest, LayoutFollowsTheClientAreaAndOnlyANormalWindowIsRecorded) {
  using platform::StateMaximized, platform::StateMinimized, platform::StateNormal;
  // clang-format off
  const struct {
    int state;
    double grid, left, top, clientWidth, clientHeight;
    std::string layout, recorded;
  } rows[] = {
      {StateNormal, 0, 7065, 4620, 2790, 4770, "1395x4770 column 1515 code 1155", "4620 7065 5220 2910"},
      {StateNormal, 0, -120, -45, 481, 3000, "240.5x3000 column 360.5 code 0.5", "-45 -120 3450 601"},
      {StateNormal, 0, -120, -45, 480, 2000, "240x2000 column 360 code 0.5", "-45 -120 2450 600"},
      // Whole pixels: the label asks for 1520 and gets 1515, the code box 1160 and gets 1155.
      {StateNormal, 15, 0, 0, 2800, 4770, "1400x4770 column 1515 code 1155", "0 0 5220 2920"},
      // Where the system parks a minimised window.
      {StateMinimized, 15, -32000, -32000, 2800, 4770, "1400x4770 column 1515 code 1155", "0 0 5220 2920"},
      {StateMaximized, 15, -60, -60, 15360, 11000, "7680x11000 column 7800 code 7440", "0 0 5220 2920"},
  };
  // clang-format on
  Start();
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    desk.label.grid = desk.code.grid = rows[i].grid;
    desk.list.top = desk.list.left = 7;
    desk.window.left = rows[i].left, desk.window.top = rows[i].top;
    desk.window.SetClientSize(rows[i].clientWidth, rows[i].clientHeight);
    desk.window.SetState(rows[i].state);
    EXPECT_EQ(rows[i].layout, Layout()) << "row " << i + 1;
    EXPECT_EQ(rows[i].recorded, Recorded()) << "row " << i + 1;
  }
  form.mnuExit_Click();
  EXPECT_EQ("0 0 5220 2920", Recorded());
}

// The raising rules, kept by the fake as by the real back ends.
TEST(RaisingRules, KeptByTheFake) {
  struct Fake final : RulesBackend {
    fake::FakeDesktop desk;
    Fake() { desk.Attach(events); }
    platform::Desktop& Desk() override { return desk; }
    void Show() override { desk.window.Show(); }
    void Pump(int milliseconds) override {
      for (int t = desk.timer.interval; t > 0 && t <= milliseconds; t += desk.timer.interval) desk.Tick();
    }
    void Click(int entry) override { desk.list.Select(entry); }
    void SetState(int state) override { desk.window.SetState(state); }
    void RequestClose() override { desk.window.RequestClose(); }
    void Choose(platform::MenuId id) override { desk.Choose(id); }
  };
  EXPECT_EQ("", Broken<Fake>("fake"));
}
