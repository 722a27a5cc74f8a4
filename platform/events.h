// The window's handlers, as the back ends raise them. frmTovu implements this;
// a back end calls it inside the operation that caused the event, and only on a
// real change.
#pragma once

#include "platform/design.h"

namespace platform {

struct FormEvents {
  virtual ~FormEvents() = default;

  // Once, before the window is first shown.
  virtual void Form_Load() = 0;
  virtual void Form_Resize() = 0;
  // Every close request of the window; a handler may set cancel to keep it open.
  virtual void Form_QueryUnload(bool& cancel, int unloadMode) = 0;
  virtual void lstMain_Click() = 0;
  virtual void cmdCopy_Click() = 0;
  virtual void optList_Click(int index) = 0;
  virtual void tmrPasteMode_Timer() = 0;

  virtual void mnuNew_Click() = 0;
  virtual void mnuOpen_Click() = 0;
  virtual void mnuExit_Click() = 0;
  virtual void mnuViewList_Click(int index) = 0;
  virtual void mnuQCopy_Click() = 0;
  virtual void mnuTopPos_Click() = 0;
  virtual void mnuPasteMode_Click() = 0;
  virtual void mnuUpMemo_Click() = 0;
  virtual void mnuModeSave_Click() = 0;
  virtual void mnuWinPosSave_Click() = 0;
};

// Where events go before the window is attached: nowhere. Also the base of a
// window that answers only some of them.
struct NullEvents : FormEvents {
  void Form_Load() override {}
  void Form_Resize() override {}
  void Form_QueryUnload(bool&, int) override {}
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

// Why a close was requested, as Form_QueryUnload receives it.
enum CloseReason { CloseFromWindow = 0, CloseBySession = 2 };

// Raises the click handler of a menu item; submenus and separators have none.
inline void RaiseMenuClick(FormEvents& e, MenuId id) {
  switch (id) {
    case MenuId::None: break;
    case MenuId::mnuNew: e.mnuNew_Click(); break;
    case MenuId::mnuOpen: e.mnuOpen_Click(); break;
    case MenuId::mnuExit: e.mnuExit_Click(); break;
    case MenuId::mnuViewList0: e.mnuViewList_Click(0); break;
    case MenuId::mnuViewList1: e.mnuViewList_Click(1); break;
    case MenuId::mnuViewList2: e.mnuViewList_Click(2); break;
    case MenuId::mnuViewList3: e.mnuViewList_Click(3); break;
    case MenuId::mnuQCopy: e.mnuQCopy_Click(); break;
    case MenuId::mnuTopPos: e.mnuTopPos_Click(); break;
    case MenuId::mnuPasteMode: e.mnuPasteMode_Click(); break;
    case MenuId::mnuUpMemo: e.mnuUpMemo_Click(); break;
    case MenuId::mnuModeSave: e.mnuModeSave_Click(); break;
    case MenuId::mnuWinPosSave: e.mnuWinPosSave_Click(); break;
  }
}

}  // namespace platform
