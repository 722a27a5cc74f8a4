// Twips (1/1440 inch) as a screen's pixels and back: one conversion for every back end
// and for the sticky tick.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace platform {

// A window coordinate in whole pixels as the window systems keep it: the nearest, a half
// to the even neighbour, in 16 bits; nullopt beyond them (NaN too).
inline std::optional<std::int16_t> Pixel16(double pixels) {
  const double rounded = std::nearbyint(pixels);
  if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

struct Twips {
  double perPixelX = 15, perPixelY = 15;

  // A control's place or size: the nearest whole pixel.
  int X(double twips) const { return static_cast<int>(std::lround(twips / perPixelX)); }
  int Y(double twips) const { return static_cast<int>(std::lround(twips / perPixelY)); }
  double FromX(double pixels) const { return pixels * perPixelX; }
  double FromY(double pixels) const { return pixels * perPixelY; }
  // A window's place or size, which must fit the window system's 16 bits.
  std::optional<std::int16_t> WindowX(double twips) const { return Pixel16(twips / perPixelX); }
  std::optional<std::int16_t> WindowY(double twips) const { return Pixel16(twips / perPixelY); }
};

}  // namespace platform
