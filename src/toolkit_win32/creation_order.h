// The order in which a form's native windows are created. Windows takes both
// the Tab order and the z-order of a container's children from it: the
// controls by tab index, a frame where its first child comes, and a label
// right before the control it names.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "toolkit/toolkit.h"

namespace vemora {

// The rows of one container (empty: the form itself) in creation order.
std::vector<const ControlDesign*> CreationOrder(std::span<const ControlDesign> controls,
                                                std::string_view container);

bool TakesFocus(ControlKind kind);

}  // namespace vemora
