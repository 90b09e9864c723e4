// Number from text and the "####.##" pattern.
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "runtime/numbers.h"
#include "runtime/runtime_error.h"
#include "support/number_reference.h"

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

namespace {

// Any finite value shows as the reference writes it, with either separator.
void CheckFormatted(double value) {
  if (!std::isfinite(value)) {
    bool raised = false;
    try {
      FormatTwoDecimals(value, ".");
    } catch (const RuntimeError& error) {
      raised = error.Number() == ErrorNumber::kOverflow;
    }
    Expect(raised, "a value that is not finite did not raise error 6");
    return;
  }
  for (const char separator : {',', '.'}) {
    const std::string shown = FormatTwoDecimals(value, std::string(1, separator));
    const std::string expected = testing_support::ReferencePattern(value, separator);
    Expect(shown == expected, "\"" + shown + "\" instead of \"" + expected + "\"");
  }
}

}  // namespace

// Each eight bytes give three values: the bits of a real, and as an integer
// in thousandths and in eighths, which lie on half cents far more often.
void CheckFormatTwoDecimals(Input input) {
  for (std::size_t at = 0; at + 8 <= input.size(); at += 8) {
    double bits = 0;
    std::int64_t whole = 0;
    std::memcpy(&bits, input.data() + at, 8);
    std::memcpy(&whole, input.data() + at, 8);
    CheckFormatted(bits);
    CheckFormatted(static_cast<double>(whole) / 1000);
    CheckFormatted(static_cast<double>(static_cast<std::int32_t>(whole)) / 8);
  }
}

}  // namespace vemora::fuzzing
