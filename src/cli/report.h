// What a run shows beyond the result text: the eight shares in KB, their sum,
// as a table for people (--explain) or as one JSON object (--json).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/calc.h"
#include "runtime/runtime_error.h"

namespace vemora::cli {

inline constexpr std::size_t kShareCount = 8;

// L1 ... L8 as reals.
std::array<double, kShareCount> SharesOf(const CalcState& state);

// Shortest text that reads back as the same real, '.' as decimal point,
// exponent where that is shorter (for JSON and CSV).
std::string ShortestNumber(double value);
// Shortest round-trip digits without exponent, with the given separator.
std::string ShortestFixed(double value, std::string_view decimalSeparator);

// Result text, then one line per share, then the sum in KB and MB.
std::string ExplainText(const CalcState& state, std::string_view resultText,
                        std::string_view decimalSeparator);

// "11: Division durch Null"
std::string ErrorLine(const RuntimeError& error);

}  // namespace vemora::cli
