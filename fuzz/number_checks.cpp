// Number from text and the "####.##" pattern.
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <regex>
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

namespace {

// The value rounded to 15 significant digits, as the pattern rounds first.
double FifteenDigits(double value) {
  char buffer[40];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
  double rounded = 0;
  const auto [ptr, ec] = std::from_chars(buffer, end, rounded);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) return value < 0 ? -HUGE_VAL : HUGE_VAL;
  return rounded;
}

// Optional minus, whole digits without leading zeros, then at most two
// decimals after the point, the last of them not 0; never "-0".
bool HasPatternShape(const std::string& text) {
  static const std::regex pattern(R"(-?(0|[1-9][0-9]*)(\.[0-9]?[1-9])?)");
  return text != "-0" && std::regex_match(text, pattern);
}

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
  const std::string dot = FormatTwoDecimals(value, ".");
  std::string comma = FormatTwoDecimals(value, ",");
  Expect(HasPatternShape(dot), "\"" + dot + "\" breaks the pattern");
  Expect(!dot.starts_with('-') || value < 0, "\"" + dot + "\" is negative");
  if (const auto at = comma.find(','); at != std::string::npos) comma[at] = '.';
  Expect(comma == dot, "the separators give different digits: " + dot + " / " + comma);

  const double rounded = FifteenDigits(value);
  const std::optional<double> back = ReadNumber(dot);
  if (!std::isfinite(rounded)) {
    // Fifteen digits of the largest reals lie beyond the largest real.
    Expect(!back, "\"" + dot + "\" read back although beyond the range");
    return;
  }
  // Half a cent, and the rounding of both reals near the top of the range.
  const double tolerance = 0.005 * (1 + 0x1p-40) + std::fabs(rounded) * 0x1p-52;
  Expect(back && std::fabs(*back - rounded) <= tolerance,
         "\"" + dot + "\" is more than half a cent away from the value");
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
