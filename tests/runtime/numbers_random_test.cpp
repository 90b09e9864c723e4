// The number rules over many random values, against references written the
// long way round: printf's digits and whole-number arithmetic for the
// pattern, strtod for reading.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "runtime/numbers.h"
#include "support/number_reference.h"

namespace vemora {
namespace {

using testing_support::ReferencePattern;

// Four kinds of value: any bit pattern, thousandths and eighths (they lie on
// half cents often), and reals of every size from 1e-5 to 1e19.
double RandomValue(std::mt19937_64& random, int kind) {
  const std::uint64_t bits = random();
  switch (kind) {
    case 0: {
      double value = 0;
      std::memcpy(&value, &bits, sizeof value);
      return std::isfinite(value) ? value : 1.0;
    }
    case 1:
      return static_cast<double>(static_cast<std::int64_t>(bits % 2000000000000) - 1000000000000) /
             1000;
    case 2:
      return static_cast<double>(static_cast<std::int32_t>(bits)) / 8;
    default:
      return std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 80) - 70);
  }
}

TEST(NumbersAtRandom, MatchTheReferences) {
  std::mt19937_64 random(20261207);
  int failures = 0;
  for (int i = 0; i < 300000 && failures < 10; ++i) {
    const double value = RandomValue(random, i % 4);
    const std::string expected = ReferencePattern(value, ',');
    const std::string shown = FormatTwoDecimals(value, ",");
    if (shown != expected) {
      ADD_FAILURE() << "pattern of " << value << ": " << shown << " instead of " << expected;
      ++failures;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    if (NumberFromText(text) != std::strtod(text, nullptr)) {
      ADD_FAILURE() << "reading " << text;
      ++failures;
    }
  }
}

}  // namespace
}  // namespace vemora
