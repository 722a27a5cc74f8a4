// The Linux back end: the window and its controls on Qt Widgets, the system
// operations from POSIX.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/posix/posix_system.h"
#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"

namespace platform {

class QtScreen final : public Screen {
 public:
  explicit QtScreen(const QtForm& form) : form_(form) {}
  double Left() const override { return form_.Scale().FromX(Pixels().x()); }
  double Top() const override { return form_.Scale().FromY(Pixels().y()); }
  double Width() const override;
  double Height() const override;
  double TwipsPerPixelX() const override { return form_.Scale().perPixelX; }
  double TwipsPerPixelY() const override { return form_.Scale().perPixelY; }

 private:
  QRect Pixels() const;
  const QtForm& form_;
};

class QtClipboard final : public Clipboard {
 public:
  // copied: runs after each text put on the clipboard, for a screen reader to confirm.
  explicit QtClipboard(std::function<void(const std::string&)> copied) : copied_(std::move(copied)) {}
  void Clear() override;
  void SetText(const std::string& text) override;

 private:
  std::function<void(const std::string&)> copied_;
};

// "desc|*.a;*.b|..." as Qt name filters "desc (*.a *.b)", in the same order.
QStringList NameFilters(const std::string& filter);

// The Qt platform to run on, given QT_QPA_PLATFORM (null when unset) and whether
// an X display answers; nullopt keeps the setting. The window places itself and
// stays on top through X11 (Xwayland on Wayland), so X wherever there is one,
// unless the setting names a platform Tovu is tried on; without X, what the
// setting names other than X, else Wayland.
std::optional<std::string> PlatformFor(const char* setting, bool xDisplay);

class QtOpenDialog final : public OpenDialogBase {
 public:
  explicit QtOpenDialog(QWidget* parent) : parent_(parent) {}
  bool ShowOpen() override;

 private:
  QWidget* parent_;
};

// Stacking through the window manager's always-on-top state; End through the
// event loop.
class QtWindowSystem final : public WindowSystem {
 public:
  // ended: writes what the system holds, detaches the window's handlers and
  // leaves the event loop.
  QtWindowSystem(QtForm& form, std::function<void()> ended) : form_(form), ended_(std::move(ended)) {}
  void SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, int flags) override;
  void End() override { ended_(); }

 private:
  QtForm& form_;
  std::function<void()> ended_;
};

class QtDesktop final : public Desktop {
 public:
  // system: the operating system's half, which the exit flushes.
  QtDesktop(const FormDesign& design, PosixSystem& system);
  ~QtDesktop() override;

  void Attach(FormEvents& events) override { events_ = &events; }
  // Shows the window, within reach of a screen, with the focus in the list box;
  // from then on every ending saves the settings (SaveOnEveryEnding).
  void Show();

  Window& Form() override { return *form_; }
  ListBox& List() override { return *list_; }
  TextBox& CodeBox() override { return *code_; }
  Label& CodeLabel() override { return *label_; }
  Button& CopyButton() override { return *button_; }
  OptionButton& Option(int index) override { return *options_.at(index); }
  MenuItem& Menu(MenuId id) override { return *menus_.at(static_cast<int>(id)); }
  Timer& PasteTimer() override { return *timer_; }
  OpenDialog& Dialog() override { return *dialog_; }
  Screen& Display() override { return *screen_; }
  Clipboard& Clip() override { return clipboard_; }
  System& Sys() override { return system_; }
  WindowSystem& WinSys() override { return *windowSystem_; }

  QtForm& qtForm() { return *form_; }
  QAction* action(MenuId id) { return menus_.at(static_cast<int>(id))->action(); }

 private:
  void BuildControls(const FormDesign& design);
  void BuildMenus(const FormDesign& design);
  template <typename Parent>
  // Builds one menu item or submenu; adds each shortcut it gives to shortcuts.
  void BuildMenu(Parent* parent, const MenuDesign& design, QList<QKeySequence>& shortcuts);
  // The program stopped from outside still saves its settings: TERM, HUP and
  // INT close the window through the event loop, as a session's end does; an
  // exit without the program's own end (the X server gone, and Qt with it)
  // saves what the handlers still know, without asking the window.
  void SaveOnEveryEnding();
  static void ExitWithoutEnd();
  void Ended();

  FormEvents* events_;
  bool ended_ = false;
  bool lost_ = false;  // the display is gone: nothing is shown any more
  std::unique_ptr<QtForm> form_;
  std::unique_ptr<QtListBox> list_;
  std::unique_ptr<QtTextBox> code_;
  std::unique_ptr<QtLabel> label_;
  std::unique_ptr<QtButton> button_;
  std::array<std::unique_ptr<QtOptionButton>, 4> options_;
  std::vector<std::unique_ptr<QtMenuItem>> menus_;
  std::unique_ptr<QtTimer> timer_;
  std::unique_ptr<QtOpenDialog> dialog_;
  std::unique_ptr<QtScreen> screen_;
  std::unique_ptr<QtNotice> notice_;
  QtClipboard clipboard_;
  PosixSystem& system_;
  std::unique_ptr<QtWindowSystem> windowSystem_;
};

}  // namespace platform
