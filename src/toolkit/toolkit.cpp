#include "toolkit/toolkit.h"

#include "runtime/runtime_error.h"

namespace vemora {

void RunAtEventBoundary(Services& services, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const RuntimeError& error) {
    services.MsgBox(UnhandledErrorMessage(error), kCritical);
  }
}

}  // namespace vemora
