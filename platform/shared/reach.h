// Where a restored window goes so that a person can reach it, whatever the
// settings file said: a monitor unplugged since, or a hand-edited position.
#pragma once

#include <cstddef>
#include <vector>

namespace platform {

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

struct ScreenArea {
  PixelRect whole;      // the screen
  PixelRect available;  // less its panels and task bars
};

// The screen a window is on: the one that holds the most of its frame, else the one
// nearest to it (as Windows picks a window's monitor). An index into screens, 0 when empty.
std::size_t HoldingScreen(const PixelRect& frame, const std::vector<PixelRect>& screens);

// frame: the window's outer frame; title: the height of its title bar. A frame
// larger than the available area of the screen nearest to its top left corner
// is cut to that area; one with no part of its title bar on any screen is moved
// into that area. Any other frame stays exactly where it is.
PixelRect InReach(PixelRect frame, int title, const std::vector<ScreenArea>& screens);

}  // namespace platform
