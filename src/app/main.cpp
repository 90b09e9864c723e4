// The program: Main, then the event loop until the last window goes or the
// program is ended.
#include <QApplication>

#include "app/program.h"
#include "app/version.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vemora");
  QApplication::setApplicationVersion(VEMORA_VERSION_STRING);
  // Lets Wayland desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName("org.example.Vemora");
  vemora::Program program;
  if (!program.Start()) return 0;
  return QApplication::exec();
}
