#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"

namespace {

using fake::Lines;
using platform::MenuId;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Form_Load();
    desk.window.Show();
    desk.TakeLog();
  }
  // Screen and window in pixels of tpp twips each; sticky mode on.
  void Place(double screenWidth, double screenHeight, double tpp, double left, double top, double width) {
    desk.screen.width = screenWidth * tpp;
    desk.screen.height = screenHeight * tpp;
    desk.screen.tppX = desk.screen.tppY = tpp;
    desk.window.left = left * tpp;
    desk.window.top = top * tpp;
    desk.window.width = width * tpp;
    if (!desk.menu(MenuId::mnuPasteMode).checked) desk.Choose(MenuId::mnuPasteMode);
    desk.TakeLog();
  }

  fake::FakeDesktop desk;
  frmTovu form{desk};
};

TEST_F(WindowTest, AlwaysOnTopStacksMarksThenRaises) {
  desk.Choose(MenuId::mnuTopPos);
  EXPECT_EQ((Lines{"SetWindowPos -1 0 0 0 0 3", "mnuTopPos.Checked=True", "SetWindowPos 0 0 0 0 0 3"}),
            desk.TakeLog());
  desk.Choose(MenuId::mnuTopPos);
  EXPECT_EQ((Lines{"SetWindowPos 1 0 0 0 0 3", "mnuTopPos.Checked=False", "SetWindowPos 0 0 0 0 0 3"}),
            desk.TakeLog());
  EXPECT_FALSE(desk.menu(MenuId::mnuTopPos).checked);
}

TEST_F(WindowTest, StickyModeRunsTheTimerOnlyWhileChecked) {
  desk.Choose(MenuId::mnuPasteMode);
  EXPECT_EQ((Lines{"mnuPasteMode.Checked=True", "tmrPasteMode.Interval=500"}), desk.TakeLog());
  desk.Choose(MenuId::mnuPasteMode);
  EXPECT_EQ((Lines{"mnuPasteMode.Checked=False", "tmrPasteMode.Interval=0"}), desk.TakeLog());
  desk.window.top = 0;  // well inside the top band
  desk.Tick();
  EXPECT_EQ(Lines{}, desk.TakeLog());
  EXPECT_FALSE(desk.menu(MenuId::mnuPasteMode).checked);
}

TEST_F(WindowTest, StickyTickSnapsToTopAndRightEdges) {
  struct Row {
    double screenWidth, screenHeight, tpp, left, top, width;  // pixels
    Lines expected;                                           // the tick's writes
  };
  const std::vector<Row> rows = {
      // 1024 x 768 at 15 twips per pixel: top below 76.8, right above 921.6.
      {1024, 768, 15, 100, 76, 240, {"Top=0"}},
      {1024, 768, 15, 100, 77, 240, {}},
      {1024, 768, 15, 100, 76.5, 240, {"Top=0"}},  // 76.5 rounds to even 76
      {1024, 768, 15, 100, 77.5, 240, {}},         // and 77.5 to 78
      {1024, 768, 15, 682, 300, 240, {"Left=11760"}},
      {1024, 768, 15, 681, 300, 240, {}},
      {1024, 768, 15, 700, 300, 240, {"Left=11760"}},  // 84 pixels to the right: +1260 twips
      {1024, 768, 15, 700.5, 300, 240, {"Left=11767.5"}},  // the fraction of a pixel stays
      {1024, 768, 15, 900, 300, 240, {"Left=11760"}},  // past the edge: pulled back
      {1024, 768, 15, 900, -50, 240, {"Top=0", "Left=11760"}},
      {1024, 768, 15, 784, 0, 240, {"Top=0", "Left=11760"}},  // already in the corner
      {1024, 768, 15, -300, 700, 240, {}},  // no rule for the left or bottom edge
      // 800 x 600: thresholds 60 and 720 exactly are not moved.
      {800, 600, 15, 100, 59, 240, {"Top=0"}},
      {800, 600, 15, 100, 60, 240, {}},
      {800, 600, 15, 481, 100, 240, {"Left=8400"}},
      {800, 600, 15, 480, 100, 240, {}},
      // 120 dpi, 1280 x 1024 at 12 twips per pixel: top below 102.4, right above 1152.
      {1280, 1024, 12, 100, 102, 200, {"Top=0"}},
      {1280, 1024, 12, 100, 103, 200, {}},
      {1280, 1024, 12, 953, 500, 200, {"Left=12960"}},
      {1280, 1024, 12, 952, 500, 200, {}},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& r = rows[i];
    Place(r.screenWidth, r.screenHeight, r.tpp, r.left, r.top, r.width);
    const double height = desk.window.height;
    desk.Tick();
    EXPECT_EQ(r.expected, desk.TakeLog()) << "row " << i + 1;
    EXPECT_EQ(r.width * r.tpp, desk.window.width) << "row " << i + 1;
    EXPECT_EQ(height, desk.window.height) << "row " << i + 1;
  }
}

TEST_F(WindowTest, StickyTickLeavesAWindowBeyond16BitPixelsUntouched) {
  for (const auto& [left, top] : {std::pair{40000.0, 10.0}, std::pair{10.0, -40000.0}, std::pair{32700.0, 10.0}}) {
    Place(1024, 768, 15, left, top, 240);
    desk.Tick();
    EXPECT_EQ(Lines{}, desk.TakeLog()) << left << "," << top;
    EXPECT_EQ(left * 15, desk.window.left);
  }
}

TEST_F(WindowTest, RefusedMoveEndsTheTickAndKeepsWhatItDid) {
  Place(1024, 768, 15, 900, 10, 240);
  desk.window.refuseMovesAfter = desk.window.moveWrites + 1;
  desk.Tick();
  EXPECT_EQ((Lines{"Top=0", "Left=11760"}), desk.TakeLog());
  EXPECT_EQ(0, desk.window.top);
  EXPECT_EQ(900 * 15, desk.window.left);

  desk.window.refuseMovesAfter = -1;
  Place(1024, 768, 15, 900, 10, 240);
  desk.window.state = platform::StateMaximized;
  desk.Tick();
  EXPECT_EQ(Lines{"Top=0"}, desk.TakeLog());
  EXPECT_EQ(10 * 15, desk.window.top);
  EXPECT_EQ(900 * 15, desk.window.left);
}

}  // namespace
