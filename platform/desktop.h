// One back end: the window built from its design, its controls, and the system.
#pragma once

#include "platform/controls.h"
#include "platform/design.h"
#include "platform/events.h"
#include "platform/system.h"

namespace platform {

struct Desktop {
  virtual ~Desktop() = default;

  // Where the window's events go; until then they are dropped.
  virtual void Attach(FormEvents& events) = 0;

  virtual Window& Form() = 0;
  virtual ListBox& List() = 0;
  virtual TextBox& CodeBox() = 0;
  virtual Label& CodeLabel() = 0;
  virtual Button& CopyButton() = 0;
  virtual OptionButton& Option(int index) = 0;  // 0 to 3
  virtual MenuItem& Menu(MenuId id) = 0;
  virtual Timer& PasteTimer() = 0;
  virtual OpenDialog& Dialog() = 0;
  virtual Screen& Display() = 0;
  virtual Clipboard& Clip() = 0;
  virtual System& Sys() = 0;
  virtual WindowSystem& WinSys() = 0;
};

}  // namespace platform
