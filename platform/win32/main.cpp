#include <windows.h>

#include "platform/program.h"
#include "platform/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  platform::Win32System system;
  platform::Win32Desktop desktop(instance, platform::ProgramDesign(), system);
  if (!desktop.Ready()) return 1;  // no window: nothing to wait for
  const std::unique_ptr<platform::FormEvents> program = platform::NewProgram(desktop);
  program->Form_Load();
  desktop.Show();
  return desktop.Run();
}
