#include <xcb/xcb.h>

#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/posix_system.h"
#include "platform/program.h"
#include "platform/qt/qt_desktop.h"

namespace {

bool XDisplayAnswers() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The arguments are Notepad's, not Qt's: Qt sees only the program's name.
  platform::PosixSystem system(std::vector<std::string>(argv + 1, argv + argc), std::nullopt, argv[0] ? argv[0] : "");
  if (const auto platform = platform::PlatformFor(std::getenv("QT_QPA_PLATFORM"), XDisplayAnswers())) {
    setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
  }
  static int qtArgc = 1;
  QApplication app(qtArgc, argv);

  platform::QtDesktop desktop(platform::ProgramDesign(), system);
  const std::unique_ptr<platform::FormEvents> program = platform::NewProgram(desktop);
  program->Form_Load();
  desktop.Show();
  return QApplication::exec();
}
