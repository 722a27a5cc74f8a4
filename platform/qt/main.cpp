#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/posix_system.h"
#include "platform/program.h"
#include "platform/qt/qt_desktop.h"

int main(int argc, char* argv[]) {
  // The arguments are Notepad's, not Qt's: Qt sees only the program's name.
  platform::PosixSystem system(std::vector<std::string>(argv + 1, argv + argc), std::nullopt, argv[0] ? argv[0] : "");
  // The window places itself and stays on top through X11 (XWayland on Wayland).
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "xcb", 0);
  static int qtArgc = 1;
  QApplication app(qtArgc, argv);

  platform::QtDesktop desktop(platform::ProgramDesign(), system);
  const std::unique_ptr<platform::FormEvents> program = platform::NewProgram(desktop);
  program->Form_Load();
  desktop.Show();
  return QApplication::exec();
}
