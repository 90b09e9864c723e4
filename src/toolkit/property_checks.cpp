#include "toolkit/property_checks.h"

#include <cmath>

#include "runtime/runtime_error.h"

namespace vemora {
namespace {

// Beyond this a font size is a runaway, not a layout.
constexpr double kMaxFontSize = 2048;
// Beyond this a geometry cannot be a window's.
constexpr double kMaxPixels = 1 << 20;

}  // namespace

void RaiseUnsupported() {
  Raise(ErrorNumber::kPropertyNotSupported);
}

void RaiseBadValue() {
  Raise(ErrorNumber::kInvalidPropertyValue);
}

int CheckedPixels(double pixels) {
  if (!std::isfinite(pixels) || std::fabs(pixels) > kMaxPixels) RaiseBadValue();
  return static_cast<int>(std::lround(pixels));
}

void CheckFontSize(double points) {
  if (!std::isfinite(points) || points <= 0 || points > kMaxFontSize) RaiseBadValue();
}

}  // namespace vemora
