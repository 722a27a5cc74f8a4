#include <QApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/frmTovu.h"
#include "platform/qt/qt_desktop.h"

int main(int argc, char* argv[]) {
  // The arguments are Notepad's, not Qt's: Qt sees only the program's name.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  // The window places itself and stays on top through X11 (XWayland on Wayland).
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "xcb", 0);
  static int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tovu.png")));

  platform::QtDesktop desktop(frmTovu::Design(), arguments);
  frmTovu form(desktop);
  form.Form_Load();
  desktop.Show();
  return QApplication::exec();
}
