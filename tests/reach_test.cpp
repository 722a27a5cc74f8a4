#include "platform/reach.h"

#include <gtest/gtest.h>

namespace {

using platform::PixelRect;

TEST(Reach, OnlyAWindowOutOfReachMoves) {
  // Two screens side by side; a panel 30 pixels high at the top of the left one.
  const std::vector<platform::ScreenArea> screens = {{{0, 0, 1024, 768}, {0, 30, 1024, 738}},
                                                     {{1024, 0, 1280, 1024}, {1024, 0, 1280, 1024}}};
  const struct {
    PixelRect frame, expected;
  } rows[] = {
      {{200, 100, 190, 360}, {200, 100, 190, 360}},          // an ordinary restore stays exactly
      {{-150, 500, 190, 360}, {-150, 500, 190, 360}},        // partly off: its title bar is in reach
      {{900, -20, 190, 360}, {900, -20, 190, 360}},
      {{-26667, 200, 190, 360}, {0, 200, 190, 360}},         // Left=-400000 twips
      {{500, 5000, 190, 360}, {1024, 664, 190, 360}},        // below both: the taller one is nearer
      {{3000, 100, 190, 360}, {2114, 100, 190, 360}},        // right of the right screen
      {{100, -360, 190, 360}, {100, 30, 190, 360}},          // title bar above every screen
      {{100, 100, 32767, 32767}, {100, 100, 1024, 738}},     // cut to the nearest screen
      {{-40000, -40000, 32767, 32767}, {0, 30, 1024, 738}},
  };
  for (const auto& [frame, expected] : rows) {
    const PixelRect got = platform::InReach(frame, 24, screens);
    EXPECT_EQ(expected, got) << frame.left << "," << frame.top << " " << frame.width << "x" << frame.height << " -> "
                             << got.left << "," << got.top << " " << got.width << "x" << got.height;
  }
}

}  // namespace
