// The system's own control for each kind of control in a design table, with
// its design values set before any handler is connected.
#pragma once

#include <windows.h>

#include "toolkit/toolkit.h"

namespace vemora {

// `layout` adds WS_TABSTOP and WS_GROUP as the form's Tab order asks; `box`
// is the place in the parent, in pixels. A frame's children are its own
// child windows; the frame passes their notifications on to `form`.
HWND CreateNativeControl(const ControlDesign& design, HWND parent, HWND form, int id, DWORD layout,
                         const RECT& box);

}  // namespace vemora
