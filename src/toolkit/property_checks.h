// The values a control's properties refuse, alike on every toolkit, so that a
// window's code meets the same run-time errors wherever it runs.
#pragma once

namespace vemora {

// A property the control does not have: error 438.
[[noreturn]] void RaiseUnsupported();
// A value the property refuses: error 380.
[[noreturn]] void RaiseBadValue();
// Pixels rounded to the nearest whole one; not finite or beyond any window's
// reach (2^20 pixels) is refused.
int CheckedPixels(double pixels);
// A font size in points: above 0 and at most 2048, else refused.
void CheckFontSize(double points);

}  // namespace vemora
