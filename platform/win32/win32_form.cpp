#include "platform/win32/win32_form.h"

#include <cmath>

namespace platform {
namespace {

std::optional<int> Pixels(double twips, double perPixel) {
  const double pixels = std::nearbyint(twips / perPixel);
  if (!(pixels >= -32768 && pixels <= 32767)) return std::nullopt;
  return static_cast<int>(pixels);
}

}  // namespace

RECT Win32Form::Outer() const {
  RECT rect{};
  GetWindowRect(hwnd_, &rect);
  return rect;
}

RECT Win32Form::Client() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);  // 0 x 0 while minimised
  return rect;
}

int Win32Form::WindowState() const {
  if (IsIconic(hwnd_)) return StateMinimized;
  if (IsZoomed(hwnd_)) return StateMaximized;
  return StateNormal;
}

bool Win32Form::SetLeft(double twips) { return Place(Pixels(twips, twips_.perPixelX), Outer().top, {}, {}); }
bool Win32Form::SetTop(double twips) { return Place(Outer().left, Pixels(twips, twips_.perPixelY), {}, {}); }

bool Win32Form::SetWidth(double twips) {
  const RECT r = Outer();
  return Place({}, {}, Pixels(twips, twips_.perPixelX), r.bottom - r.top);
}

bool Win32Form::SetHeight(double twips) {
  const RECT r = Outer();
  return Place({}, {}, r.right - r.left, Pixels(twips, twips_.perPixelY));
}

bool Win32Form::Place(std::optional<int> x, std::optional<int> y, std::optional<int> width, std::optional<int> height) {
  const bool move = x.has_value() || y.has_value();
  if ((move && !(x && y)) || (!move && !(width && height)) || IsIconic(hwnd_) || IsZoomed(hwnd_)) return false;
  if (!move && (*width < 1 || *height < 1)) return false;
  // A size change raises Form_Resize from WM_SIZE, before SetWindowPos returns.
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : SWP_NOMOVE);
  return SetWindowPos(hwnd_, nullptr, x.value_or(0), y.value_or(0), width.value_or(0), height.value_or(0), flags);
}

void Win32Form::SetClientSize(int width, int height) {
  // The menu bar may wrap at this width, which only shows once the window has it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const RECT outer = Outer(), client = Client();
    const int dx = width - client.right, dy = height - client.bottom;
    if (dx == 0 && dy == 0) return;
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT Win32Screen::Monitor() const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(form_.Handle(), MONITOR_DEFAULTTONEAREST), &info)) return info.rcMonitor;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Form::RaiseResize(bool always) {
  const RECT outer = Outer(), client = Client();
  const auto now =
      std::make_tuple(WindowState(), client.right, client.bottom, outer.right - outer.left, outer.bottom - outer.top);
  if (!always && raised_ == now) return;
  raised_ = now;
  events_->Form_Resize();
}

}  // namespace platform
