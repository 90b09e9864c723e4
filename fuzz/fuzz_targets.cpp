#include <algorithm>
#include <array>

#include "fuzz_check.h"

namespace vemora::fuzzing {

std::span<const FuzzTarget> FuzzTargets() {
  static constexpr std::array<FuzzTarget, 4> kTargets = {{
      {"number_from_text", CheckNumberFromText},
      {"format_two_decimals", CheckFormatTwoDecimals},
      {"avi_reader", CheckAviReader},
      {"registry_value", CheckRegistryValue},
  }};
  return kTargets;
}

const FuzzTarget* FindFuzzTarget(std::string_view name) {
  const auto targets = FuzzTargets();
  const auto it = std::find_if(targets.begin(), targets.end(),
                               [name](const FuzzTarget& t) { return t.name == name; });
  return it == targets.end() ? nullptr : &*it;
}

}  // namespace vemora::fuzzing
