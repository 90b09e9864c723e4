#include "app/program.h"

#include "app/version.h"
#include "os/executable_dir.h"

namespace vemora {

AppInfo ApplicationObject() {
  AppInfo app;
  app.Title = "Vemora";
  app.Major = VEMORA_VERSION_MAJOR;
  app.Minor = VEMORA_VERSION_MINOR;
  app.Revision = VEMORA_VERSION_REVISION;
  app.LegalCopyright = VEMORA_COPYRIGHT;
  app.Path = ExecutableDirectory();
  return app;
}

Program::Program(Toolkit& toolkit)
    : toolkit_(toolkit), registry_(CreateSystemRegistry()), modul_(toolkit_, *registry_) {}

bool Program::Start(bool prevInstance) {
  RunAtEventBoundary(toolkit_, [this, prevInstance] { modul_.Main(prevInstance); });
  // A second copy ends in Main without loading the main window.
  return modul_.vemora_Form.Loaded();
}

}  // namespace vemora
