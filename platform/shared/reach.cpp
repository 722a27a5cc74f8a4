#include "platform/shared/reach.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

std::int64_t Overlap(const PixelRect& a, const PixelRect& b) {
  const std::int64_t w =
      std::min<std::int64_t>(std::int64_t{a.left} + a.width, std::int64_t{b.left} + b.width) - std::max(a.left, b.left);
  const std::int64_t h =
      std::min<std::int64_t>(std::int64_t{a.top} + a.height, std::int64_t{b.top} + b.height) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// How far a point is from a rectangle, squared: 0 inside it. In floating point: the
// square of a distance across the whole 32-bit plane does not fit 64 bits.
double Distance(std::int64_t x, std::int64_t y, const PixelRect& r) {
  const auto dx =
      static_cast<double>(std::max<std::int64_t>({0, r.left - x, x - (std::int64_t{r.left} + r.width - 1)}));
  const auto dy = static_cast<double>(std::max<std::int64_t>({0, r.top - y, y - (std::int64_t{r.top} + r.height - 1)}));
  return dx * dx + dy * dy;
}

// How far apart two rectangles are, squared: 0 where they touch or overlap.
double Gap(const PixelRect& a, const PixelRect& b) {
  const auto apart = [](std::int64_t a, std::int64_t aLength, std::int64_t b, std::int64_t bLength) {
    return static_cast<double>(std::max<std::int64_t>({0, b - (a + aLength), a - (b + bLength)}));
  };
  const double dx = apart(a.left, a.width, b.left, b.width), dy = apart(a.top, a.height, b.top, b.height);
  return dx * dx + dy * dy;
}

}  // namespace

std::size_t HoldingScreen(const PixelRect& frame, const std::vector<PixelRect>& screens) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < screens.size(); ++i) {
    const std::int64_t area = Overlap(frame, screens[i]), most = Overlap(frame, screens[best]);
    if (area > most || (area == 0 && most == 0 && Gap(frame, screens[i]) < Gap(frame, screens[best]))) best = i;
  }
  return best;
}

PixelRect InReach(PixelRect frame, int title, const std::vector<ScreenArea>& screens) {
  if (screens.empty()) return frame;
  // The nearest screen: the one holding the frame's top left corner, else the
  // one closest to it.
  const ScreenArea* nearest = &screens.front();
  for (const ScreenArea& screen : screens) {
    if (Distance(frame.left, frame.top, screen.whole) < Distance(frame.left, frame.top, nearest->whole)) {
      nearest = &screen;
    }
  }
  const PixelRect& area = nearest->available;
  frame.width = std::min(frame.width, area.width);
  frame.height = std::min(frame.height, area.height);
  const PixelRect titleBar{frame.left, frame.top, frame.width, std::max(1, title)};
  const bool reachable =
      std::any_of(screens.begin(), screens.end(), [&](const ScreenArea& s) { return Overlap(titleBar, s.whole) > 0; });
  if (!reachable) {
    frame.left = std::clamp(frame.left, area.left, area.left + area.width - frame.width);
    frame.top = std::clamp(frame.top, area.top, area.top + area.height - frame.height);
  }
  return frame;
}

}  // namespace platform
