// The Tab order from a design table: the order in which a container's
// controls are made, which is also the order Tab walks them (a frame where
// its first child comes, a label right before the control it names), and
// which of them Tab stops at.
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

// How Tab treats one control: a stop of its own, and the first of a group
// (the option buttons in a row of one container are one group, entered by
// Tab at the selected one).
struct TabRole {
  bool stop = false;
  bool groupStart = true;
};

// The rows of one container in creation order, each with its role.
std::vector<std::pair<const ControlDesign*, TabRole>> TabRoles(
    std::span<const ControlDesign> controls, std::string_view container);

// Every control Tab can reach, containers entered, in the order Tab walks
// them; of an option group, Tab enters only at the selected button.
std::vector<const ControlDesign*> TabOrder(std::span<const ControlDesign> controls);

}  // namespace vemora
