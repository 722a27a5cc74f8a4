#include <cmath>
#include <cstdint>
#include <optional>

#include "app/frmTovu.h"

namespace {

constexpr int kTickMilliseconds = 500;

// Pixels are 16-bit, rounded half to even; a value outside that range is the
// tick's failure, like any other.
std::optional<std::int16_t> Pixels(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) return std::nullopt;  // NaN too
  return static_cast<std::int16_t>(rounded);
}

}  // namespace

void frmTovu::mnuPasteMode_Click() {
  if (mnuPasteMode.Checked()) {
    mnuPasteMode.SetChecked(false);
    tmrPasteMode.SetInterval(0);
  } else {
    mnuPasteMode.SetChecked(true);
    tmrPasteMode.SetInterval(kTickMilliseconds);
  }
}

// Snaps the window to the top edge when its top lies in the screen's top tenth
// (or above it), and to the right edge when its right edge lies in the right
// tenth (or beyond). Any failure ends the tick quietly; what it did stays done.
void frmTovu::tmrPasteMode_Timer() {
  const auto top = Pixels(Me.Top() / Screen.TwipsPerPixelY());
  if (!top) return;
  const auto left = Pixels(Me.Left() / Screen.TwipsPerPixelX());
  if (!left) return;
  const auto right = Pixels(*left + Me.Width() / Screen.TwipsPerPixelX());
  if (!right) return;
  const auto screenWidth = Pixels(Screen.Width() / Screen.TwipsPerPixelX());
  if (!screenWidth) return;
  const auto screenHeight = Pixels(Screen.Height() / Screen.TwipsPerPixelY());
  if (!screenHeight) return;

  if (*screenHeight / 10.0 > *top) {
    if (!Me.SetTop(0)) return;
  }
  if (*screenWidth - *screenWidth / 10.0 < *right) {
    const int shift = *right - *screenWidth;
    if (shift < INT16_MIN || shift > INT16_MAX) return;
    const float newLeft = static_cast<float>(Me.Left()) -
                          static_cast<float>(shift) * static_cast<float>(Screen.TwipsPerPixelX());
    if (!std::isfinite(newLeft)) return;
    (void)Me.SetLeft(newLeft);
  }
}
