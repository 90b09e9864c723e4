// The command line: the nine inputs, the output mode and --help.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "calc/calc.h"

namespace vemora::cli {

enum class OutputMode { kPlain, kExplain, kJson, kCsv };

struct Options {
  CalcInputs inputs;  // the window's design values unless an option says otherwise
  OutputMode mode = OutputMode::kPlain;
  std::string csvSource;  // a file name, or "-" for standard input
  bool help = false;
};

// Arguments without the program name. Raises UsageError naming the option.
Options ParseOptions(std::span<const std::string_view> args);

}  // namespace vemora::cli
