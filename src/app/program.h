// The running program: application object, single-instance guard, registry
// and module, put together the same way for the program and its probes.
#pragma once

#include <memory>

#include "app/vemora_modul.h"
#include "platform/qt_toolkit.h"
#include "platform/registry.h"
#include "platform/single_instance.h"

namespace vemora {

// Needs a QApplication.
class Program {
 public:
  Program();
  // Runs Main at the event boundary; false when the program has already
  // ended (a second copy, or a failure before the main window loaded).
  bool Start();
  VemoraModul& Modul() { return modul_; }

 private:
  SingleInstance guard_;
  QtToolkit toolkit_;
  std::unique_ptr<Registry> registry_;
  VemoraModul modul_;
};

// The application object of this build.
AppInfo ApplicationObject();

}  // namespace vemora
