// The main window's design table: every control with its geometry in twips,
// caption, font, tooltip, tab index and design value, in walk order.
#pragma once

#include "toolkit/toolkit.h"

namespace vemora {

const FormDesign& MainFormDesign();

}  // namespace vemora
