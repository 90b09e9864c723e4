#include "toolkit_qt/qt_application.h"

#include <QApplication>

namespace vemora {

QtApplication::QtApplication(int& argc, char** argv, const char* version)
    : application_(std::make_unique<QApplication>(argc, argv)) {
  QApplication::setApplicationName("Vemora");
  QApplication::setApplicationVersion(version);
  // Lets Wayland desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName("org.example.Vemora");
}

QtApplication::~QtApplication() = default;

int QtApplication::Exec() {
  return QApplication::exec();
}

}  // namespace vemora
