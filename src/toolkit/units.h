// Twips and pixels, the classic frame around a form, and the default font:
// the measures every toolkit shares.
#pragma once

#include "toolkit/toolkit.h"

namespace vemora {

inline constexpr double kTwipsPerInch = 1440;

// The screen's logical dots per inch, across and down (15 twips per pixel
// at 96).
struct Dpi {
  double x = 96, y = 96;
};

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
  int width = 0, height = 0;
  bool operator==(const PixelSize&) const = default;
};

// Design twips to whole pixels, rounded to the nearest.
int ToPixels(double twips, double dpi);
double ToTwips(int pixels, double dpi);
PixelRect ToPixels(const ControlDesign& design, Dpi dpi);

// A form's Height and Width count a classic frame around the client area:
// a title bar of 19 pixels and a border of 4 (sizable) or 3 (fixed dialog)
// on each side at 96 DPI, grown with the DPI. The same on every toolkit and
// before and after a window manager has drawn its own, so a size set and
// read back, and the ratios a drag gives, agree everywhere.
PixelSize FrameAllowance(Border border, Dpi dpi);

// The form's font where the design gives none.
inline constexpr FontDesign kDefaultFont{"Arial", 8.25, false, false};

}  // namespace vemora
