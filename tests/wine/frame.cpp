// Prints the frame Windows puts around a window like the program's (sizable,
// with a caption) as "left top right bottom" pixels. Under Wine the X window
// holds the client area and the menu bar; the end-to-end tests add this frame
// to it to see the window as the program itself reports it.
#include <windows.h>

#include <cstdio>

int main() {
  SetProcessDPIAware();
  RECT rect{0, 0, 0, 0};
  AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
  std::printf("%ld %ld %ld %ld\n", -rect.left, -rect.top, rect.right, rect.bottom);
  return 0;
}
