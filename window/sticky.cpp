#include <cmath>
#include <cstdint>

#include "app/frmTovu.h"
#include "platform/shared/twips.h"

namespace {

constexpr int kTickMilliseconds = 500;

// Pixels are 16-bit, rounded half to even; a value outside that range is the
// tick's failure, like any other.
using platform::Pixel16;

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

// Snaps the window to the top edge when its top lies in the top tenth of its
// monitor (or above it), and to the right edge when its right edge lies in the
// right tenth (or beyond): the monitor that holds the window, so that it can stay on
// any of several. Any failure ends the tick quietly; what it did stays done.
void frmTovu::tmrPasteMode_Timer() {
  const auto top = Pixel16(window.Top() / screen.TwipsPerPixelY());
  if (!top) return;
  const auto left = Pixel16(window.Left() / screen.TwipsPerPixelX());
  if (!left) return;
  const auto right = Pixel16(*left + window.Width() / screen.TwipsPerPixelX());
  if (!right) return;
  const auto screenWidth = Pixel16(screen.Width() / screen.TwipsPerPixelX());
  if (!screenWidth) return;
  const auto screenHeight = Pixel16(screen.Height() / screen.TwipsPerPixelY());
  if (!screenHeight) return;
  const auto screenLeft = Pixel16(screen.Left() / screen.TwipsPerPixelX());
  if (!screenLeft) return;
  const auto screenTop = Pixel16(screen.Top() / screen.TwipsPerPixelY());
  if (!screenTop) return;

  if (*screenHeight / 10.0 > *top - *screenTop) {
    if (!window.SetTop(*screenTop * screen.TwipsPerPixelY())) return;
  }
  if (*screenWidth - *screenWidth / 10.0 < *right - *screenLeft) {
    const int shift = *right - (*screenLeft + *screenWidth);
    if (shift < INT16_MIN || shift > INT16_MAX) return;
    const float newLeft =
        static_cast<float>(window.Left()) - static_cast<float>(shift) * static_cast<float>(screen.TwipsPerPixelX());
    if (!std::isfinite(newLeft)) return;
    (void)window.SetLeft(newLeft);
  }
}
