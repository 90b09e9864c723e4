#include "toolkit_win32/creation_order.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace vemora {
namespace {

using Key = std::pair<int, int>;  // tab position, then 0 for a label before its control

const ControlDesign* Named(std::span<const ControlDesign> controls, std::string_view name) {
  for (const ControlDesign& d : controls)
    if (d.name == name) return &d;
  return nullptr;
}

Key KeyOf(std::span<const ControlDesign> controls, const ControlDesign& d) {
  if (d.kind == ControlKind::Frame) {
    Key first{INT_MAX, 1};
    for (const ControlDesign& child : controls)
      if (child.container == d.name) first = std::min(first, KeyOf(controls, child));
    if (first.first != INT_MAX) return first;
  }
  if (d.kind == ControlKind::Label && !d.labelFor.empty())
    if (const ControlDesign* target = Named(controls, d.labelFor))
      return {KeyOf(controls, *target).first, 0};
  return {d.tabIndex < 0 ? INT_MAX : d.tabIndex, 1};
}

}  // namespace

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::CommandButton:
    case ControlKind::ComboBox:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      return true;
    default:
      return false;
  }
}

std::vector<const ControlDesign*> CreationOrder(std::span<const ControlDesign> controls,
                                                std::string_view container) {
  std::vector<std::pair<Key, const ControlDesign*>> rows;
  for (const ControlDesign& d : controls)
    if (d.container == container) rows.emplace_back(KeyOf(controls, d), &d);
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<const ControlDesign*> order;
  for (const auto& row : rows) order.push_back(row.second);
  return order;
}

}  // namespace vemora
