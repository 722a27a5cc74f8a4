#include "app/frmTovu.h"

using platform::HWND_BOTTOM;
using platform::HWND_TOP;
using platform::HWND_TOPMOST;

namespace {
constexpr int kKeepPlaceAndSize = platform::SWP_NOSIZE | platform::SWP_NOMOVE;
}

// Off goes to the bottom first, which drops the topmost state; the final
// HWND_TOP brings the window back in front of the other ordinary windows.
void frmTovu::mnuTopPos_Click() {
  if (mnuTopPos.Checked()) {
    system.SetWindowPos(window.hWnd(), HWND_BOTTOM, 0, 0, 0, 0, kKeepPlaceAndSize);
    mnuTopPos.SetChecked(false);
  } else {
    system.SetWindowPos(window.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
    mnuTopPos.SetChecked(true);
  }
  system.SetWindowPos(window.hWnd(), HWND_TOP, 0, 0, 0, 0, kKeepPlaceAndSize);
}
