// The Windows back end: the window and its controls in the Win32 API, the system
// operations of Win32System.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/desktop.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_system.h"

namespace platform {

class Win32WindowSystem final : public WindowSystem {
 public:
  explicit Win32WindowSystem(std::function<void()> ended) : ended_(std::move(ended)) {}
  void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, int flags) override;
  void End() override { ended_(); }

 private:
  std::function<void()> ended_;
};

class Win32Desktop final : public Desktop {
 public:
  // system: the operating system's half, which the exit flushes. Check Ready() before use.
  Win32Desktop(HINSTANCE instance, const FormDesign& design, Win32System& system);
  ~Win32Desktop() override;
  Win32Desktop(const Win32Desktop&) = delete;
  Win32Desktop& operator=(const Win32Desktop&) = delete;

  // False when the window could not be made: nothing else may be used then.
  bool Ready() const { return list_ != nullptr; }
  void Attach(FormEvents& events) override { events_ = &events; }
  // Shows the window, within reach of a screen, with the focus in the list box.
  void Show();
  // The message loop, until End; the program's exit status.
  int Run();

  Window& Form() override { return form_; }
  ListBox& List() override { return *list_; }
  TextBox& CodeBox() override { return *code_; }
  Label& CodeLabel() override { return *label_; }
  Button& CopyButton() override { return *button_; }
  OptionButton& Option(int index) override { return *options_.at(index); }
  MenuItem& Menu(MenuId id) override { return *menus_.at(static_cast<int>(id)); }
  Timer& PasteTimer() override { return *timer_; }
  OpenDialog& Dialog() override { return *dialog_; }
  Screen& Display() override { return screen_; }
  Clipboard& Clip() override { return *clipboard_; }
  System& Sys() override { return system_; }
  WindowSystem& WinSys() override { return windowSystem_; }

  HWND hwnd() const { return form_.Handle(); }
  static constexpr UINT kCommandBase = 1000;  // a menu item's command is the base and its MenuId

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Command(WPARAM wParam, LPARAM lParam);
  void Close(int reason);
  void Ended();
  // The steps of building the window.
  static bool RegisterWindowClass(HINSTANCE instance);
  bool CreateFrame(HINSTANCE instance, const FormDesign& design);
  void CreateControls(const FormDesign& design);
  void CreateToolTip(HINSTANCE instance, const std::string& text);
  HWND AddControl(const wchar_t* kind, const ControlDesign& design, DWORD style, DWORD extendedStyle, HFONT font,
                  int id);
  void BuildMenu(HMENU parent, const MenuDesign& design);
  // A list was chosen: a screen reader is told which once the handler is done.
  void ListChosen();

  FormEvents* events_;
  Win32System& system_;
  Twips twips_;
  Win32Form form_;
  Win32Screen screen_;
  Win32WindowSystem windowSystem_;
  Win32Annotations annotations_;  // outlives the list box, which it names
  Win32Notice notice_;
  SelectionCopies copies_;
  bool menuCommand_ = false;  // a menu item's handler runs (not its shortcut's)
  bool listNoticeWaiting_ = false;
  std::unique_ptr<Win32ListBox> list_;
  std::unique_ptr<Win32TextBox> code_;
  std::unique_ptr<Win32Label> label_;
  std::unique_ptr<Win32Button> button_;
  std::unique_ptr<Win32OptionGroup> group_;
  std::array<std::unique_ptr<Win32OptionButton>, 4> options_;
  std::vector<std::unique_ptr<Win32MenuItem>> menus_;
  std::unique_ptr<Win32Timer> timer_;
  std::unique_ptr<Win32OpenDialog> dialog_;
  std::unique_ptr<Win32Clipboard> clipboard_;
  std::vector<ACCEL> accelerators_;
  HACCEL acceleratorTable_ = nullptr;
  HMENU bar_ = nullptr;
  int dpiY_ = 96;  // fonts are sized for the screen's
  std::vector<HFONT> fonts_;
  HWND toolTip_ = nullptr;
  bool console_ = false;  // the console's close is this desktop's to handle
  HWND focus_ = nullptr;  // the control that had the focus when the window was left
  bool ended_ = false;
};

}  // namespace platform
