// A window without the program: the back end's own window built from the
// program's design, whose only handler ends it when it is closed. What starting
// and closing cost without lists, settings and handlers, to hold Tovu against.
#pragma once

#include "platform/controls.h"
#include "platform/events.h"

namespace bench {

struct BareEvents final : platform::FormEvents {
  explicit BareEvents(platform::WindowSystem& windows) : windows(windows) {}
  platform::WindowSystem& windows;
  void Form_QueryUnload(bool&, int) override { windows.End(); }
  void Form_Load() override {}
  void Form_Resize() override {}
  void lstMain_Click() override {}
  void cmdCopy_Click() override {}
  void optList_Click(int) override {}
  void tmrPasteMode_Timer() override {}
  void mnuNew_Click() override {}
  void mnuOpen_Click() override {}
  void mnuExit_Click() override {}
  void mnuViewList_Click(int) override {}
  void mnuQCopy_Click() override {}
  void mnuTopPos_Click() override {}
  void mnuPasteMode_Click() override {}
  void mnuUpMemo_Click() override {}
  void mnuModeSave_Click() override {}
  void mnuWinPosSave_Click() override {}
};

}  // namespace bench
