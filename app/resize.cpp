#include "app/frmTovu.h"

// The list box takes the left half of the client area; the right column starts
// 120 twips right of the half and ends 120 twips short of the right edge.
// Arithmetic is single precision, as the window's properties are.
void frmTovu::Form_Resize() {
  lstMain.SetTop(window.ScaleTop());
  lstMain.SetLeft(window.ScaleLeft());
  const float height = static_cast<float>(window.ScaleHeight());
  const float half = static_cast<float>(window.ScaleWidth()) / 2;
  if (height > 0) lstMain.SetHeight(height);
  if (half > 0) {
    lstMain.SetWidth(half);
    lblCode.SetLeft(half + 120);
    // The column follows the label as the toolkit placed it, rounding and all.
    txtCode.SetLeft(lblCode.Left());
    cmdCopy.SetLeft(lblCode.Left());
    for (std::size_t i = 0; i < optList.size(); ++i) optList[i].SetLeft(lblCode.Left());
  }
  if (half - 240 > 0) {
    txtCode.SetWidth(half - 240);
    cmdCopy.SetWidth(txtCode.Width());
  }
  RecordNormalGeometry();
}
