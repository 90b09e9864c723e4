#include <algorithm>
#include <array>

#include "fuzz_check.h"

namespace vemora::fuzzing {

const FuzzTarget* FindFuzzTarget(std::string_view name) {
  static constexpr std::array<FuzzTarget, 3> kTargets = {{
      {"number_from_text", CheckNumberFromText},
      {"avi_reader", CheckAviReader},
      {"registry_value", CheckRegistryValue},
  }};
  const auto it = std::find_if(kTargets.begin(), kTargets.end(),
                               [name](const FuzzTarget& t) { return t.name == name; });
  return it == kTargets.end() ? nullptr : &*it;
}

}  // namespace vemora::fuzzing
