// The Win32 back end's window built from the program's design, and nothing else.
#include <windows.h>  // before the headers that build on it

#include <commctrl.h>

#include "bench/bare_events.h"
#include "platform/program.h"
#include "platform/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  platform::Win32System system;
  platform::Win32Desktop desktop(instance, platform::ProgramDesign(), system);
  bench::BareEvents events(desktop.WinSys());
  desktop.Attach(events);
  desktop.Show();
  return desktop.Run();
}
