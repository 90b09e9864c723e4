#include "toolkit/tab_order.h"

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

std::vector<std::pair<const ControlDesign*, TabRole>> TabRoles(
    std::span<const ControlDesign> controls, std::string_view container) {
  const auto order = CreationOrder(controls, container);
  const ControlDesign* optionStop = nullptr;
  for (const ControlDesign* d : order)
    if (d->kind == ControlKind::OptionButton && (!optionStop || d->value == kTrue)) {
      optionStop = d;
      if (d->value == kTrue) break;
    }
  std::vector<std::pair<const ControlDesign*, TabRole>> roles;
  bool afterOption = false;
  for (const ControlDesign* d : order) {
    const bool option = d->kind == ControlKind::OptionButton;
    TabRole role;
    role.groupStart = !(option && afterOption);
    role.stop = TakesFocus(d->kind) && d->tabIndex >= 0 && (!option || d == optionStop);
    afterOption = option;
    roles.emplace_back(d, role);
  }
  return roles;
}

namespace {

void AppendStops(std::span<const ControlDesign> controls, std::string_view container,
                 std::vector<const ControlDesign*>& stops) {
  for (const ControlDesign* d : CreationOrder(controls, container)) {
    if (TakesFocus(d->kind) && d->tabIndex >= 0) stops.push_back(d);
    if (d->kind == ControlKind::Frame) AppendStops(controls, d->name, stops);
  }
}

}  // namespace

std::vector<const ControlDesign*> TabOrder(std::span<const ControlDesign> controls) {
  std::vector<const ControlDesign*> stops;
  AppendStops(controls, {}, stops);
  return stops;
}

}  // namespace vemora
