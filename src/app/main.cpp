// The program: the application object, the single-instance guard, Main, and
// the event loop until the last window goes or the program is ended.
#include <QApplication>
#include <QCoreApplication>

#include "app/version.h"
#include "app/vemora_modul.h"
#include "platform/qt_toolkit.h"
#include "platform/registry.h"
#include "platform/single_instance.h"

namespace {

vemora::AppInfo ApplicationObject() {
  vemora::AppInfo app;
  app.Title = "Vemora";
  app.Major = VEMORA_VERSION_MAJOR;
  app.Minor = VEMORA_VERSION_MINOR;
  app.Revision = VEMORA_VERSION_REVISION;
  app.LegalCopyright = VEMORA_COPYRIGHT;
  app.Path = QCoreApplication::applicationDirPath().toStdString();
  return app;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vemora");
  QApplication::setApplicationVersion(VEMORA_VERSION_STRING);
  const vemora::SingleInstance guard;
  vemora::QtToolkit toolkit(ApplicationObject());
  const auto registry = vemora::CreateSystemRegistry();
  vemora::VemoraModul modul(toolkit, *registry);
  vemora::RunAtEventBoundary(toolkit, [&] { modul.Main(guard.PrevInstance()); });
  if (toolkit.EndRequested() || !modul.vemora_Form.Loaded()) return 0;
  return QApplication::exec();
}
