// libFuzzer's entry point for the target named by VEMORA_FUZZ_TARGET. A
// broken rule aborts with its text, so the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const vemora::fuzzing::FuzzTarget* target =
      vemora::fuzzing::FindFuzzTarget(VEMORA_FUZZ_TARGET);
  try {
    if (target == nullptr) throw vemora::fuzzing::CheckFailure("no such fuzz target");
    target->check({data, size});
  } catch (const vemora::fuzzing::CheckFailure& failure) {
    std::fprintf(stderr, "%s: %s\n", VEMORA_FUZZ_TARGET, failure.what());
    std::abort();
  }
  return 0;
}
