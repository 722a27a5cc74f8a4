#include "app/frmTovu.h"

void frmTovu::cmdCopy_Click() {
  if (txtCode.Text().empty()) return;  // keep what the user copied elsewhere
  clipboard.Clear();
  clipboard.SetText(txtCode.Text());
}

// The button is enabled exactly while instant copy is off.
void frmTovu::mnuQCopy_Click() {
  if (mnuQCopy.Checked()) {
    cmdCopy.SetEnabled(true);
    mnuQCopy.SetChecked(false);
  } else {
    cmdCopy.SetEnabled(false);
    mnuQCopy.SetChecked(true);
  }
}
