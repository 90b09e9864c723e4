// One invocation from arguments to output texts and exit status; the caller
// does the reading and writing, so tests need no process.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vemora::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCalculationFailed = 1;
inline constexpr int kExitUsage = 2;

struct Outcome {
  std::string out;  // standard output
  std::string err;  // standard error
  int status = kExitSuccess;
};

// Reads a CSV source ("-" is standard input); raises UsageError if it cannot.
using SourceReader = std::function<std::string(const std::string& source)>;

Outcome Run(std::span<const std::string_view> args, std::string_view decimalSeparator,
            const SourceReader& readSource);

}  // namespace vemora::cli
