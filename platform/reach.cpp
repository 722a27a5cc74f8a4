#include "platform/reach.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

std::int64_t Overlap(const PixelRect& a, const PixelRect& b) {
  const std::int64_t w = std::min<std::int64_t>(std::int64_t{a.left} + a.width, std::int64_t{b.left} + b.width) -
                         std::max(a.left, b.left);
  const std::int64_t h = std::min<std::int64_t>(std::int64_t{a.top} + a.height, std::int64_t{b.top} + b.height) -
                         std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// How far apart two rectangles are: 0 when they touch or overlap.
std::int64_t Gap(const PixelRect& a, const PixelRect& b) {
  const auto along = [](std::int64_t a0, std::int64_t a1, std::int64_t b0, std::int64_t b1) {
    return std::max<std::int64_t>({0, b0 - a1, a0 - b1});
  };
  const std::int64_t dx = along(a.left, std::int64_t{a.left} + a.width, b.left, std::int64_t{b.left} + b.width);
  const std::int64_t dy = along(a.top, std::int64_t{a.top} + a.height, b.top, std::int64_t{b.top} + b.height);
  return dx * dx + dy * dy;
}

}  // namespace

PixelRect InReach(PixelRect frame, int title, const std::vector<ScreenArea>& screens) {
  if (screens.empty()) return frame;
  // The nearest screen: the one the frame covers most, else the closest.
  const ScreenArea* nearest = &screens.front();
  for (const ScreenArea& screen : screens) {
    const std::int64_t overlap = Overlap(frame, screen.whole), best = Overlap(frame, nearest->whole);
    if (overlap > best || (overlap == best && best == 0 && Gap(frame, screen.whole) < Gap(frame, nearest->whole))) {
      nearest = &screen;
    }
  }
  const PixelRect& area = nearest->available;
  frame.width = std::min(frame.width, area.width);
  frame.height = std::min(frame.height, area.height);
  const PixelRect titleBar{frame.left, frame.top, frame.width, std::max(1, title)};
  const bool reachable = std::any_of(screens.begin(), screens.end(),
                                     [&](const ScreenArea& s) { return Overlap(titleBar, s.whole) > 0; });
  if (!reachable) {
    frame.left = std::clamp(frame.left, area.left, area.left + area.width - frame.width);
    frame.top = std::clamp(frame.top, area.top, area.top + area.height - frame.height);
  }
  return frame;
}

}  // namespace platform
