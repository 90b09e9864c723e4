// The running program: single-instance guard, registry and module, put
// together the same way on every toolkit and for the program's probes.
#pragma once

#include <memory>

#include "app/vemora_modul.h"
#include "os/registry.h"
#include "os/single_instance.h"
#include "toolkit/toolkit.h"

namespace vemora {

class Program {
 public:
  explicit Program(Toolkit& toolkit);
  // Runs Main at the event boundary; false when the program has already
  // ended (a second copy, or a failure before the main window loaded).
  bool Start();
  // The same where the platform itself tells whether a copy runs (the
  // browser's lock across tabs).
  bool Start(bool prevInstance);

 private:
  SingleInstance guard_;
  Toolkit& toolkit_;
  std::unique_ptr<Registry> registry_;
  VemoraModul modul_;
};

// The application object of this build.
AppInfo ApplicationObject();

}  // namespace vemora
