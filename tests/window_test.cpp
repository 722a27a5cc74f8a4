#include "handlers.h"

class WindowTest : public Handlers {};

// Screen and window in pixels of tpp twips each, a second monitor of the same size at (x, y) beside the primary.
TEST_F(WindowTest, StickyTickSnapsToTopAndRightEdges) {
  // clang-format off
  const struct {
    double screenWidth, screenHeight, tpp, left, top, width;  // pixels
    Lines expected;                                           // the tick's writes
    int x = 0, y = 0;                                         // the second monitor
  } rows[] = {
      // 1024 x 768 at 15 twips per pixel: top below 76.8, right above 921.6.
      {1024, 768, 15, 100, 76.5, 240, {"Top=0"}},       {1024, 768, 15, 100, 77.5, 240, {}},  // half to even
      {1024, 768, 15, 700.5, 300, 240, {"Left=11767.5"}},  // the fraction of a pixel stays
      {1024, 768, 15, 900, -50, 240, {"Top=0", "Left=11760"}},  // past the edges: pulled back
      // Beyond 16-bit pixels the tick fails quietly.
      {1024, 768, 15, 40000, 10, 240, {}},  {1024, 768, 15, 10, -40000, 240, {}},  {1024, 768, 15, 32700, 10, 240, {}},
      // 800 x 600: thresholds 60 and 720 exactly are not moved.
      {800, 600, 15, 100, 59, 240, {"Top=0"}},          {800, 600, 15, 100, 60, 240, {}},
      {800, 600, 15, 481, 100, 240, {"Left=8400"}},     {800, 600, 15, 480, 100, 240, {}},
      // 120 dpi, 1280 x 1024 at 12 twips per pixel: top below 102.4, right above 1152.
      {1280, 1024, 12, 100, 102, 200, {"Top=0"}},       {1280, 1024, 12, 100, 103, 200, {}},
      {1280, 1024, 12, 953, 500, 200, {"Left=12960"}},  {1280, 1024, 12, 952, 500, 200, {}},
      // On the monitor that holds the window, right of, left of or below the primary.
      {1024, 768, 15, 1300, 300, 240, {}, 1024},        {1024, 768, 15, 1800, 300, 240, {"Left=27120"}, 1024},
      {1024, 768, 15, 1300, 50, 240, {"Top=0"}, 1024},  {1024, 768, 15, -500, 50, 240, {"Top=0"}, -1024},
      {1024, 768, 15, -300, 300, 240, {"Left=-3600"}, -1024},  {1024, 768, 15, -600, 300, 240, {}, -1024},
      {1024, 768, 15, 100, 800, 240, {"Top=11520"}, 0, 768},   {1024, 768, 15, 100, 845, 240, {}, 0, 768},
  };
  // clang-format on
  Start(), desk.Choose(MenuId::mnuPasteMode);  // sticky mode on
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const auto& r = rows[i];
    const int w = static_cast<int>(r.screenWidth), h = static_cast<int>(r.screenHeight);
    desk.screen.monitors = {{0, 0, w, h}, {r.x, r.y, w, h}};
    desk.screen.tppX = desk.screen.tppY = r.tpp;
    desk.window.left = r.left * r.tpp, desk.window.top = r.top * r.tpp, desk.window.width = r.width * r.tpp;
    desk.TakeLog();
    const double height = desk.window.height;
    desk.Tick();
    EXPECT_EQ(r.expected, desk.TakeLog()) << "row " << i + 1;
    EXPECT_EQ(r.width * r.tpp, desk.window.width) << "row " << i + 1;
    EXPECT_EQ(height, desk.window.height) << "row " << i + 1;
  }
}
