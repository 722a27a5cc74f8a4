// The window's controls as Win32 child windows. Each keeps the twips the
// handlers see; the window procedure turns their notifications into handlers.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/design.h"
#include "platform/events.h"
#include "platform/shared/accessible.h"
#include "platform/shared/twips.h"
#include "platform/win32/win32_accessible.h"

namespace platform {

// The back end's own messages to the main window.
enum : UINT {
  kSessionEndMessage = WM_APP + 1,  // a console's close, passed to the window's thread
  kListRedrawMessage,               // after a refill: the list box takes its entries (Win32ListBox::Redraw)
  kListNoticeMessage,               // after a list is chosen: a screen reader is told which
};

// A child window's place in its parent's client area, in pixels.
RECT ChildRect(HWND child);
void MoveChild(HWND child, int x, int y);
void SizeChild(HWND child, int width, int height);

// A refill reaches the list box once, when the handler that makes it is done:
// the entries wait here until the message loop runs (or someone asks the list
// box), so that a refill replaced within the same handler costs nothing.
class Win32ListBox final : public ListBox {
 public:
  // name: what assistive technology calls the list box, where no label stands before it.
  Win32ListBox(HWND hwnd, const Twips& twips, Win32Annotations& names, std::string name);
  void Clear() override;
  void AddItem(const std::string& item) override;
  int ListIndex() const override;
  void SetTop(double v) override;
  void SetLeft(double v) override;
  void SetWidth(double v) override;
  void SetHeight(double v) override;
  HWND hwnd() const { return hwnd_; }
  void Redraw();
  // After LBN_SELCHANGE: whether the selection really changed (a click on the
  // selected entry notifies too).
  bool SelectionChanged();
  // Its name for assistive technology follows the list it shows.
  void ShowsList(const std::string& title) {
    title_ = title;
    names_.Name(hwnd_, ListBoxName(name_, title));
  }
  // What a screen reader is told of the list once it is chosen, its code box holding code.
  std::string Notice(const std::string& code) const;
  // The selected entry's description for assistive technology (the others have none).
  void Describe(const std::string& description) { names_.Describe(hwnd_, ListIndex(), description); }

 private:
  std::wstring Text(int entry) const;
  // A typed character moves to the entry TypedEntry finds, where the list box
  // itself would look at the first character alone.
  static LRESULT CALLBACK Keys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
  void Typed(wchar_t unit);
  void Quiet();
  void Insert() const;  // the waiting entries into the list box
  HWND hwnd_;
  const Twips& twips_;
  Win32Annotations& names_;
  std::string name_;
  std::string title_;
  bool quiet_ = false;
  int selected_ = -1;                    // as last notified
  mutable std::string waiting_;          // names, each ended by a NUL
  mutable std::vector<TypedKeys> keys_;  // the list box's entries', uppercase
  wchar_t high_ = L'\0';                 // a typed high surrogate, until its low one comes
};

class Win32TextBox final : public TextBox {
 public:
  Win32TextBox(HWND hwnd, const Twips& twips) : hwnd_(hwnd), twips_(twips) {}
  std::string Text() const override;
  void SetText(const std::string& v) override;
  double Left() const override { return twips_.FromX(ChildRect(hwnd_).left); }
  void SetLeft(double v) override { MoveChild(hwnd_, twips_.X(v), ChildRect(hwnd_).top); }
  double Width() const override;
  void SetWidth(double v) override;

 private:
  HWND hwnd_;
  const Twips& twips_;
};

class Win32Label final : public Label {
 public:
  Win32Label(HWND hwnd, const Twips& twips) : hwnd_(hwnd), twips_(twips) {}
  double Left() const override { return twips_.FromX(ChildRect(hwnd_).left); }
  void SetLeft(double v) override { MoveChild(hwnd_, twips_.X(v), ChildRect(hwnd_).top); }

 private:
  HWND hwnd_;
  const Twips& twips_;
};

class Win32Button final : public Button {
 public:
  Win32Button(HWND hwnd, const Twips& twips) : hwnd_(hwnd), twips_(twips) {}
  void SetEnabled(bool v) override { EnableWindow(hwnd_, v); }
  void SetLeft(double v) override { MoveChild(hwnd_, twips_.X(v), ChildRect(hwnd_).top); }
  void SetWidth(double v) override;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
  const Twips& twips_;
};

// The four option buttons of one group. Windows checks an auto radio button
// itself when the user clicks it or moves to it; BM_SETCHECK raises nothing, so
// the group raises optList_Click itself, whenever the selection changes.
class Win32OptionGroup {
 public:
  Win32OptionGroup(FormEvents*& events, const Twips& twips) : events_(events), twips_(twips) {}
  void Add(HWND hwnd) { buttons_[count_++] = hwnd; }
  void Select(int index);  // by the program: checks it, clears the others
  void Unselect(int index);
  void Clicked(HWND hwnd);  // BN_CLICKED: the user checked it
  bool Owns(HWND hwnd) const;
  void SetLeft(int index, double v) { MoveChild(buttons_[index], twips_.X(v), ChildRect(buttons_[index]).top); }

 private:
  void Raise(int index);
  FormEvents*& events_;
  const Twips& twips_;
  std::array<HWND, 4> buttons_{};
  int count_ = 0;
  int selected_ = 0;  // the design selects the first
};

class Win32OptionButton final : public OptionButton {
 public:
  Win32OptionButton(Win32OptionGroup& group, int index) : group_(group), index_(index) {}
  void SetValue(bool v) override { v ? group_.Select(index_) : group_.Unselect(index_); }
  void SetLeft(double v) override { group_.SetLeft(index_, v); }

 private:
  Win32OptionGroup& group_;
  int index_;
};

// The check mark lives in the menu itself; Windows never flips it.
class Win32MenuItem final : public MenuItem {
 public:
  // checked: runs when the handler checks the item (a List item names the list box).
  Win32MenuItem(HMENU bar, UINT command, std::function<void()> checked = {})
      : bar_(bar), command_(command), onChecked_(std::move(checked)) {}
  bool Checked() const override;
  void SetChecked(bool v) override;

 private:
  HMENU bar_;
  UINT command_;
  std::function<void()> onChecked_;
};

class Win32Timer final : public Timer {
 public:
  explicit Win32Timer(HWND hwnd) : hwnd_(hwnd) {}
  void SetInterval(int milliseconds) override;
  static constexpr UINT_PTR kId = 1;

 private:
  HWND hwnd_;
};

class Win32Clipboard final : public Clipboard {
 public:
  // copied: runs after each text put on the clipboard, for a screen reader to confirm.
  Win32Clipboard(HWND owner, std::function<void(const std::string&)> copied)
      : owner_(owner), copied_(std::move(copied)) {}
  void Clear() override;
  void SetText(const std::string& text) override;

 private:
  bool Open() const;
  HWND owner_;
  std::function<void(const std::string&)> copied_;
};

class Win32OpenDialog final : public OpenDialogBase {
 public:
  explicit Win32OpenDialog(HWND owner) : owner_(owner) {}
  bool ShowOpen() override;

 private:
  HWND owner_;
};

}  // namespace platform
