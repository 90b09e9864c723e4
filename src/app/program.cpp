#include "app/program.h"

#include <QCoreApplication>

#include "app/version.h"

namespace vemora {

AppInfo ApplicationObject() {
  AppInfo app;
  app.Title = "Vemora";
  app.Major = VEMORA_VERSION_MAJOR;
  app.Minor = VEMORA_VERSION_MINOR;
  app.Revision = VEMORA_VERSION_REVISION;
  app.LegalCopyright = VEMORA_COPYRIGHT;
  app.Path = QCoreApplication::applicationDirPath().toStdString();
  return app;
}

Program::Program()
    : toolkit_(ApplicationObject()),
      registry_(CreateSystemRegistry()),
      modul_(toolkit_, *registry_) {}

bool Program::Start() {
  RunAtEventBoundary(toolkit_, [this] { modul_.Main(guard_.PrevInstance()); });
  return !toolkit_.EndRequested() && modul_.vemora_Form.Loaded();
}

}  // namespace vemora
