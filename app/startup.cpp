#include "app/frmTovu.h"

using platform::MenuId;

frmTovu::frmTovu(platform::Desktop& desktop)
    : window(desktop.Form()),
      lstMain(desktop.List()),
      txtCode(desktop.CodeBox()),
      lblCode(desktop.CodeLabel()),
      cmdCopy(desktop.CopyButton()),
      optList({&desktop.Option(0), &desktop.Option(1), &desktop.Option(2), &desktop.Option(3)}),
      mnuViewList({&desktop.Menu(MenuId::mnuViewList0), &desktop.Menu(MenuId::mnuViewList1),
                   &desktop.Menu(MenuId::mnuViewList2), &desktop.Menu(MenuId::mnuViewList3)}),
      mnuQCopy(desktop.Menu(MenuId::mnuQCopy)),
      mnuTopPos(desktop.Menu(MenuId::mnuTopPos)),
      mnuPasteMode(desktop.Menu(MenuId::mnuPasteMode)),
      mnuUpMemo(desktop.Menu(MenuId::mnuUpMemo)),
      mnuModeSave(desktop.Menu(MenuId::mnuModeSave)),
      mnuWinPosSave(desktop.Menu(MenuId::mnuWinPosSave)),
      tmrPasteMode(desktop.PasteTimer()),
      cdlTovu(desktop.Dialog()),
      screen(desktop.Display()),
      clipboard(desktop.Clip()),
      system(desktop.Sys()),
      windowSystem(desktop.WinSys()) {
  desktop.Attach(*this);
}

std::string frmTovu::GetAppFolder() const {
  std::string folder = system.ProgramFolder();
  // Strings are UTF-8, where no byte of a multi-byte character equals the
  // separator, so the last byte is the last character's. A folder the system
  // cannot tell stays empty: no file is looked for in the current folder.
  if (!folder.empty() && folder.back() != system.PathSeparator()) folder += system.PathSeparator();
  return folder;
}

void frmTovu::Form_Load() {
  LoadLists();
  LoadSettings();
  StartNotepadAtStartup();
  mnuViewList_Click(0);
}

void frmTovu::Form_QueryUnload(bool& /*cancel*/, int /*unloadMode*/) {
  // Every close, whatever its source, is the same orderly exit; it is never refused.
  mnuExit_Click();
}

void frmTovu::mnuExit_Click() {
  if (!mnuModeSave.Checked()) {
    mnuQCopy.SetChecked(false);
    mnuTopPos.SetChecked(false);
    mnuPasteMode.SetChecked(false);
  }
  RecordOptions();
  RecordNormalGeometry();
  SaveSettings();
  windowSystem.End();
}
