#include "cli/run.h"

#include "calc/calc.h"
#include "cli/batch.h"
#include "cli/help.h"
#include "cli/json.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/usage_error.h"
#include "runtime/runtime_error.h"

namespace vemora::cli {
namespace {

constexpr std::string_view kProgram = "vemora-calc: ";

Outcome Single(const Options& options, std::string_view separator) {
  Outcome outcome;
  CalcState state;
  try {
    const std::string text = CalculateMemory(options.inputs, state, separator);
    switch (options.mode) {
      case OutputMode::kExplain:
        outcome.out = ExplainText(state, text, separator);
        break;
      case OutputMode::kJson:
        outcome.out = JsonReport(options.inputs, state, text) + '\n';
        break;
      default:
        outcome.out = text + '\n';
    }
  } catch (const RuntimeError& error) {
    if (options.mode == OutputMode::kJson)
      outcome.out = JsonErrorReport(options.inputs, error) + '\n';
    outcome.err = std::string(kProgram) + "Laufzeitfehler " + ErrorLine(error) + '\n';
    outcome.status = kExitCalculationFailed;
  }
  return outcome;
}

Outcome Batch(const Options& options, std::string_view separator, const SourceReader& read) {
  const BatchResult result = RunBatch(read(options.csvSource), separator);
  Outcome outcome;
  outcome.out = result.csv;
  for (const std::string& failure : result.failures) {
    outcome.err += std::string(kProgram) + failure + '\n';
  }
  if (!result.failures.empty()) outcome.status = kExitCalculationFailed;
  return outcome;
}

}  // namespace

Outcome Run(std::span<const std::string_view> args, std::string_view decimalSeparator,
            const SourceReader& readSource) {
  try {
    const Options options = ParseOptions(args);
    if (options.help) return {std::string(HelpText()), {}, kExitSuccess};
    if (options.mode == OutputMode::kCsv) return Batch(options, decimalSeparator, readSource);
    return Single(options, decimalSeparator);
  } catch (const UsageError& error) {
    return {{},
            std::string(kProgram) + error.what() + "\nHilfe (help): vemora-calc --help\n",
            kExitUsage};
  }
}

}  // namespace vemora::cli
