// libFuzzer's entry point for the target named by VEMORA_FUZZ_TARGET. A
// broken rule aborts with its text, so the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.h"

namespace {

const vemora::fuzzing::FuzzTarget& Target() {
  static const vemora::fuzzing::FuzzTarget* target =
      vemora::fuzzing::FindFuzzTarget(VEMORA_FUZZ_TARGET);
  if (target == nullptr) {
    std::fprintf(stderr, "unknown fuzz target %s\n", VEMORA_FUZZ_TARGET);
    std::abort();
  }
  return *target;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    Target().check({data, size});
  } catch (const vemora::fuzzing::CheckFailure& failure) {
    std::fprintf(stderr, "%s: %s\n", VEMORA_FUZZ_TARGET, failure.what());
    std::abort();
  }
  return 0;
}
