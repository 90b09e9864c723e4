// Numbers between text and arithmetic: number from text, real to 32-bit
// integer, checked real and integer arithmetic, and the "####.##" pattern.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemora {

// The leading number of a text (0 if there is none). Blanks, tabs and line
// feeds are skipped anywhere; '.' is always the decimal point; E or D starts
// an exponent; &H and &O give hex and octal. Out of a real's range: error 6.
double NumberFromText(std::string_view text);

// Nearest integer, ties to even; outside the 32-bit range or NaN: error 6.
std::int32_t RealToInt32(double value);

// A real result that is not finite raises error 6.
double CheckedReal(double value);
// Real division: by zero raises error 11 (error 6 for 0 / 0).
double CheckedDivide(double numerator, double denominator);

// 32-bit integer arithmetic that raises error 6 when it leaves the range.
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int32_t CheckedSubtract(std::int32_t a, std::int32_t b);
std::int32_t CheckedMultiply(std::int32_t a, std::int32_t b);

// The pattern "####.##": 15 significant digits, then two decimals half away
// from zero; whole numbers show no separator, no grouping, never "-0".
std::string FormatTwoDecimals(double value, std::string_view decimalSeparator);

// Plain decimal, no blanks, no leading zeros, no grouping.
std::string IntegerText(std::int64_t value);

// Hex digits in capitals, no leading zeros ("0" for 0), no "&H".
std::string HexText(std::uint32_t value);

}  // namespace vemora
