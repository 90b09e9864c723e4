#include "app/program.h"

#include "app/version.h"
#include "os/executable_dir.h"

#include <cstdio>

namespace vemora {

namespace {

// German, as every text of the program, then English, as the program's
// other lines on standard error.
constexpr char kUnguarded[] =
    "vemora: Keine Sperre gegen einen zweiten Start möglich (~/.local/state/vemora und "
    "$XDG_RUNTIME_DIR nicht nutzbar); Vemora läuft ohne sie.\n"
    "vemora: No single-instance lock could be taken (~/.local/state/vemora and "
    "$XDG_RUNTIME_DIR unusable); Vemora runs without one.\n";

}  // namespace

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

bool Program::Start() {
  // A guard that cannot work is said, never silent.
  if (!guard_.Guarded() && !guard_.PrevInstance()) {
    std::fputs(kUnguarded, stderr);
    std::fflush(stderr);
  }
  return Start(guard_.PrevInstance());
}

bool Program::Start(bool prevInstance) {
  RunAtEventBoundary(toolkit_, [this, prevInstance] { modul_.Main(prevInstance); });
  // A second copy ends in Main without loading the main window.
  return modul_.vemora_Form.Loaded();
}

}  // namespace vemora
