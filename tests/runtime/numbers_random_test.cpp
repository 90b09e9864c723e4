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

namespace vemora {
namespace {

std::uint64_t PowerOfTen(int n) {
  std::uint64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// "####.##" from the 15 digits printf shows: m * 10^(exponent - 14), with m
// the digits as one integer. From 1e14 on there are no decimals and the text
// is m followed by zeros; below it the value in hundredths is
// m * 10^(exponent - 12), divided with half a unit added when that power is
// negative. The fraction follows `separator`.
std::string ReferencePattern(double value, char separator) {
  char sci[64];
  std::snprintf(sci, sizeof sci, "%.14e", std::fabs(value));
  const std::string mantissa = sci[0] + std::string(sci + 2, 14);
  const int exponent = std::atoi(std::strchr(sci, 'e') + 1);
  std::string whole;
  std::uint64_t cents = 0;
  if (exponent >= 14) {
    whole = mantissa + std::string(static_cast<std::size_t>(exponent - 14), '0');
  } else {
    const std::uint64_t m = std::stoull(mantissa);
    const int shift = exponent - 12;
    std::uint64_t hundredths = 0;
    if (shift >= 0) {
      hundredths = m * PowerOfTen(shift);
    } else if (shift >= -16) {
      const std::uint64_t unit = PowerOfTen(-shift);
      hundredths = (m + unit / 2) / unit;
    }
    whole = std::to_string(hundredths / 100);
    cents = hundredths % 100;
  }
  if (whole == "0" && cents == 0) return "0";
  std::string text = (value < 0 ? "-" : "") + whole;
  if (cents != 0) {
    text += separator;
    text += static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
  }
  return text;
}

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
