// A FormEvents that records the handlers a back end raises, and does nothing else.
#pragma once

#include <string>
#include <vector>

#include "platform/events.h"

// clang-format off
#define RECORD(handler, ...) \
  void handler(__VA_ARGS__) override { calls.push_back(#handler); }
struct Recorder final : platform::FormEvents {
  std::vector<std::string> calls;
  RECORD(Form_Load) RECORD(Form_Resize) RECORD(Form_QueryUnload, bool&, int) RECORD(lstMain_Click)
  RECORD(cmdCopy_Click) RECORD(optList_Click, int) RECORD(tmrPasteMode_Timer) RECORD(mnuNew_Click) RECORD(mnuOpen_Click)
  RECORD(mnuExit_Click) RECORD(mnuViewList_Click, int) RECORD(mnuQCopy_Click) RECORD(mnuTopPos_Click)
  RECORD(mnuPasteMode_Click) RECORD(mnuUpMemo_Click) RECORD(mnuModeSave_Click) RECORD(mnuWinPosSave_Click)
};
// clang-format on
#undef RECORD
