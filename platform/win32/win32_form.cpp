#include "platform/win32/win32_form.h"

#include <cmath>

namespace platform {
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

bool Win32Form::SetLeft(double twips) { return Place(twips_.WindowX(twips), Outer().top, {}, {}); }
bool Win32Form::SetTop(double twips) { return Place(Outer().left, twips_.WindowY(twips), {}, {}); }

bool Win32Form::SetWidth(double twips) { return Resize(twips_.WindowX(twips), true); }
bool Win32Form::SetHeight(double twips) { return Resize(twips_.WindowY(twips), false); }

// Never less than the smallest client area, the frame and the menu bar on top of it.
// A narrower window may wrap its menu bar into the client area: the height grows too,
// and Form_Resize comes once, for the whole change.
bool Win32Form::Resize(std::optional<int> pixels, bool across) {
  if (!pixels || *pixels < 1) return false;
  const auto width = [](const RECT& r) { return static_cast<int>(r.right - r.left); };
  const auto height = [](const RECT& r) { return static_cast<int>(r.bottom - r.top); };
  const int leastX = twips_.X(kMinimumClientTwips), leastY = twips_.Y(kMinimumClientTwips);
  const RECT outer = Outer(), client = Client();
  holding_ = true;
  bool ok = Place({}, {}, std::max(across ? *pixels : width(outer), leastX + width(outer) - width(client)),
                  std::max(across ? height(outer) : *pixels, leastY + height(outer) - height(client)));
  const RECT now = Outer(), inside = Client();
  if (ok && (width(inside) < leastX || height(inside) < leastY)) {
    ok = Place({}, {}, width(now) + std::max(0, leastX - width(inside)),
               height(now) + std::max(0, leastY - height(inside)));
  }
  holding_ = false;
  RaiseResize(false);
  return ok;
}

bool Win32Form::Place(std::optional<int> x, std::optional<int> y, std::optional<int> width, std::optional<int> height) {
  const bool move = x.has_value() || y.has_value();
  if ((move && !(x && y)) || (!move && !(width && height)) || IsIconic(hwnd_) || IsZoomed(hwnd_)) return false;
  if (!move && (*width < 1 || *height < 1)) return false;
  // Nothing to ask for the place the window has (a snapped window, on every tick).
  if (const RECT outer = Outer(); move && outer.left == *x && outer.top == *y) return true;
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

namespace {

BOOL CALLBACK AddScreen(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    reinterpret_cast<std::vector<ScreenArea>*>(screens)->push_back(
        {PixelRectOf(info.rcMonitor), PixelRectOf(info.rcWork)});
  }
  return TRUE;
}

}  // namespace

std::vector<ScreenArea> Screens() {
  std::vector<ScreenArea> screens;
  EnumDisplayMonitors(nullptr, nullptr, AddScreen, reinterpret_cast<LPARAM>(&screens));
  return screens;
}

RECT Win32Screen::Monitor() const {
  std::vector<PixelRect> monitors;
  for (const ScreenArea& screen : Screens()) monitors.push_back(screen.whole);
  if (monitors.empty()) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const PixelRect m = monitors[HoldingScreen(PixelRectOf(form_.Outer()), monitors)];
  return {m.left, m.top, m.left + m.width, m.top + m.height};
}

void Win32Form::RaiseResize(bool always) {
  if (holding_) return;
  const RECT outer = Outer(), client = Client();
  const auto now =
      std::make_tuple(WindowState(), client.right, client.bottom, outer.right - outer.left, outer.bottom - outer.top);
  if (!always && raised_ == now) return;
  raised_ = now;
  events_->Form_Resize();
}

}  // namespace platform
