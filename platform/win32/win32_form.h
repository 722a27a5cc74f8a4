// The main window on Win32: a top-level window with a menu bar, its geometry in
// twips as the handlers see it.
#pragma once

#include <windows.h>

#include <optional>
#include <tuple>
#include <vector>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/shared/reach.h"
#include "platform/win32/win32_controls.h"

namespace platform {

inline PixelRect PixelRectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }
// The monitors, whole and less their task bars.
std::vector<ScreenArea> Screens();

class Win32Form final : public Window {
 public:
  Win32Form(FormEvents*& events, const Twips& twips) : events_(events), twips_(twips) {}
  void SetHandle(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }

  double Left() const override { return twips_.FromX(Outer().left); }
  double Top() const override { return twips_.FromY(Outer().top); }
  double Width() const override { return twips_.FromX(Outer().right - Outer().left); }
  double Height() const override { return twips_.FromY(Outer().bottom - Outer().top); }
  bool SetLeft(double twips) override;
  bool SetTop(double twips) override;
  bool SetWidth(double twips) override;
  bool SetHeight(double twips) override;
  double ScaleLeft() const override { return 0; }
  double ScaleTop() const override { return 0; }
  double ScaleWidth() const override { return twips_.FromX(Client().right); }
  double ScaleHeight() const override { return twips_.FromY(Client().bottom); }
  int WindowState() const override;
  WindowHandle hWnd() const override { return reinterpret_cast<WindowHandle>(hwnd_); }

  // Sizes the window so that its client area below the menu bar is this many
  // pixels, however the menu bar wraps at that width.
  void SetClientSize(int width, int height);
  // WM_SIZE: raises Form_Resize when the state or a size changed since the last
  // time, or always (the first show).
  void RaiseResize(bool always);
  void ForgetRaised() { raised_.reset(); }

  // The frame in the screen's pixels.
  RECT Outer() const;

 private:
  RECT Client() const;
  // Moves or sizes the frame; false when the window refuses (minimised or
  // maximised, or beyond the 16-bit coordinates windows are kept to).
  bool Place(std::optional<int> x, std::optional<int> y, std::optional<int> width, std::optional<int> height);
  bool Resize(std::optional<int> pixels, bool across);

  FormEvents*& events_;
  const Twips& twips_;
  HWND hwnd_ = nullptr;
  bool holding_ = false;  // within a size write: it raises Form_Resize itself, once
  std::optional<std::tuple<int, int, int, int, int>> raised_;
};

// The monitor that holds the window, by the rule every back end keeps.
class Win32Screen final : public Screen {
 public:
  Win32Screen(const Win32Form& form, const Twips& twips) : form_(form), twips_(twips) {}
  double Left() const override { return twips_.FromX(Monitor().left); }
  double Top() const override { return twips_.FromY(Monitor().top); }
  double Width() const override {
    const RECT m = Monitor();
    return twips_.FromX(m.right - m.left);
  }
  double Height() const override {
    const RECT m = Monitor();
    return twips_.FromY(m.bottom - m.top);
  }
  double TwipsPerPixelX() const override { return twips_.perPixelX; }
  double TwipsPerPixelY() const override { return twips_.perPixelY; }

 private:
  RECT Monitor() const;
  const Win32Form& form_;
  const Twips& twips_;
};

}  // namespace platform
