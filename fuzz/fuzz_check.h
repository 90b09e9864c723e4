// The checks the fuzz targets run on each input. The fuzzer and the corpus
// replay test call the same functions, so a saved input fails the same way
// in both.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vemora::fuzzing {

using Input = std::span<const std::uint8_t>;

// A broken rule of the code under test. Errors the code is allowed to raise
// are caught inside the checks; this one must never be caught there.
class CheckFailure : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

inline void Expect(bool condition, const std::string& rule) {
  if (!condition) throw CheckFailure(rule);
}

void CheckNumberFromText(Input input);
void CheckAviReader(Input input);
void CheckRegistryValue(Input input);

struct FuzzTarget {
  std::string_view name;  // also the folder of its corpus and its dictionary
  void (*check)(Input);
};

// Null for an unknown name.
const FuzzTarget* FindFuzzTarget(std::string_view name);

}  // namespace vemora::fuzzing
