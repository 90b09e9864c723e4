#include "toolkit/units.h"

#include <cmath>

namespace vemora {

int ToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

double ToTwips(int pixels, double dpi) {
  return pixels * kTwipsPerInch / dpi;
}

PixelRect ToPixels(const ControlDesign& d, Dpi dpi) {
  return {ToPixels(d.left, dpi.x), ToPixels(d.top, dpi.y), ToPixels(d.width, dpi.x),
          ToPixels(d.height, dpi.y)};
}

PixelSize FrameAllowance(Border border, Dpi dpi) {
  constexpr double kTitleBar = 19;
  const double side = border == Border::Sizable ? 4 : 3;
  return {static_cast<int>(std::lround(2 * side * dpi.x / 96)),
          static_cast<int>(std::lround((kTitleBar + 2 * side) * dpi.y / 96))};
}

}  // namespace vemora
