// "####.##" written the long way round, from printf's digits and
// whole-number arithmetic: the reference that the random test and the fuzz
// check hold the pattern to.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vemora::testing_support {

inline std::uint64_t PowerOfTen(int n) {
  std::uint64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// "####.##" from the 15 digits printf shows: m * 10^(exponent - 14), with m
// the digits as one integer. From 1e14 on there are no decimals and the text
// is m followed by zeros; below it the value in hundredths is
// m * 10^(exponent - 12), divided with half a unit added when that power is
// negative. The fraction follows `separator`.
inline std::string ReferencePattern(double value, char separator) {
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

}  // namespace vemora::testing_support
