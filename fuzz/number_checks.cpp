// Number from text.
#include <cmath>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "runtime/numbers.h"
#include "runtime/runtime_error.h"

namespace vemora::fuzzing {
namespace {

// The number, or nothing for error 6, the only error the reading may raise.
std::optional<double> ReadNumber(std::string_view text) {
  try {
    return NumberFromText(text);
  } catch (const RuntimeError& error) {
    Expect(error.Number() == ErrorNumber::kOverflow,
           "NumberFromText raised error " + std::to_string(error.Code()));
    return std::nullopt;
  }
}

}  // namespace

void CheckNumberFromText(Input input) {
  const std::string text(input.begin(), input.end());
  const std::optional<double> value = ReadNumber(text);
  Expect(!value || std::isfinite(*value), "NumberFromText gave a value that is not finite");
  // Blanks are skipped wherever they stand: one more at the end, or none at
  // all, leaves the number as it was.
  Expect(value == ReadNumber(text + " "), "a trailing blank changed the number");
  std::string unblanked = text;
  std::erase_if(unblanked, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
  Expect(value == ReadNumber(unblanked), "removing blanks changed the number");
}

}  // namespace vemora::fuzzing
