// The About window's design table: eleven controls with geometry in twips,
// placeholder captions that the load replaces, fonts and colours.
#pragma once

#include "toolkit/toolkit.h"

namespace vemora {

const FormDesign& InfoFormDesign();

}  // namespace vemora
