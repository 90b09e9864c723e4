// One invocation from arguments to output and exit status; the caller opens
// the streams, so tests need no process.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace vemora::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCalculationFailed = 1;  // also any failure but bad usage
inline constexpr int kExitUsage = 2;

// Opens a CSV source ("-" is standard input); raises UsageError if it cannot.
using SourceOpener = std::function<std::unique_ptr<std::istream>(const std::string& source)>;

// Writes to `out` and `err` as it goes, a server list row by row. Besides a
// failed calculation, anything else that goes wrong (memory running out,
// output that cannot be written) ends with status 1 and a message, never
// with an abort.
int Run(std::span<const std::string_view> args, std::string_view decimalSeparator,
        const SourceOpener& openSource, std::ostream& out, std::ostream& err);

}  // namespace vemora::cli
