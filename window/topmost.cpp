#include "app/frmTovu.h"

using platform::InsertBottom;
using platform::InsertTop;
using platform::InsertTopmost;

namespace {
constexpr int kKeepPlaceAndSize = platform::kKeepSize | platform::kKeepPlace;
}

// Off goes to the bottom first, which drops the topmost state; the final
// InsertTop brings the window back in front of the other ordinary windows.
void frmTovu::mnuTopPos_Click() {
  if (mnuTopPos.Checked()) {
    windowSystem.SetWindowPos(window.hWnd(), InsertBottom, 0, 0, 0, 0, kKeepPlaceAndSize);
    mnuTopPos.SetChecked(false);
  } else {
    windowSystem.SetWindowPos(window.hWnd(), InsertTopmost, 0, 0, 0, 0, kKeepPlaceAndSize);
    mnuTopPos.SetChecked(true);
  }
  windowSystem.SetWindowPos(window.hWnd(), InsertTop, 0, 0, 0, 0, kKeepPlaceAndSize);
}
