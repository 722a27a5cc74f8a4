// The Qt back end's window built from the program's design, and nothing else.
#include <QApplication>
#include <cstdlib>

#include "bench/bare_events.h"
#include "platform/posix/posix_system.h"
#include "platform/program.h"
#include "platform/qt/qt_desktop.h"

int main(int argc, char* argv[]) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "xcb", 0);
  QApplication app(argc, argv);
  platform::PosixSystem system({});
  platform::QtDesktop desktop(platform::ProgramDesign(), system);
  bench::BareEvents events(desktop.WinSys());
  desktop.Attach(events);
  desktop.Show();
  return QApplication::exec();
}
