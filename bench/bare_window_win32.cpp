// The Win32 back end's window built from the program's design, and nothing else.
#include <windows.h>

#include "bench/bare_events.h"
#include "platform/program.h"
#include "platform/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  platform::Win32System system;
  platform::Win32Desktop desktop(instance, platform::ProgramDesign(), system);
  bench::BareEvents events(desktop.WinSys());
  desktop.Attach(events);
  desktop.Show();
  return desktop.Run();
}
