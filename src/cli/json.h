// One run as a JSON object: the inputs, L1 ... L8, SummeKB, SummeMB and the
// result text, or the error that ended the run.
#pragma once

#include <string>
#include <string_view>

#include "calc/calc.h"
#include "runtime/runtime_error.h"

namespace vemora::cli {

// A JSON string literal. Bytes that are not valid UTF-8 become U+FFFD, so the
// output is valid JSON whatever the user typed.
std::string JsonString(std::string_view text);

std::string JsonReport(const CalcInputs& inputs, const CalcState& state,
                       std::string_view resultText);
std::string JsonErrorReport(const CalcInputs& inputs, const RuntimeError& error);

}  // namespace vemora::cli
