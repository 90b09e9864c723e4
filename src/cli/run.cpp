#include "cli/run.h"

#include "calc/calc.h"
#include "cli/batch.h"
#include "cli/help.h"
#include "cli/json.h"
#include "cli/options.h"
#include "cli/report.h"
#include "cli/usage_error.h"
#include "runtime/runtime_error.h"

#include <exception>
#include <new>

namespace vemora::cli {
namespace {

constexpr std::string_view kProgram = "vemora-calc: ";

int Single(const Options& options, std::string_view separator, std::ostream& out,
           std::ostream& err) {
  CalcState state;
  try {
    const std::string text = CalculateMemory(options.inputs, state, separator);
    switch (options.mode) {
      case OutputMode::kExplain:
        out << ExplainText(state, text, separator);
        break;
      case OutputMode::kJson:
        out << JsonReport(options.inputs, state, text) << '\n';
        break;
      default:
        out << text << '\n';
    }
    return kExitSuccess;
  } catch (const RuntimeError& error) {
    if (options.mode == OutputMode::kJson) out << JsonErrorReport(options.inputs, error) << '\n';
    err << kProgram << "Laufzeitfehler " << ErrorLine(error) << '\n';
    return kExitCalculationFailed;
  }
}

int Batch(const Options& options, std::string_view separator, const SourceOpener& open,
          std::ostream& out, std::ostream& err) {
  const std::unique_ptr<std::istream> in = open(options.csvSource);
  int status = kExitSuccess;
  RunBatch(*in, out, separator, [&](const std::string& failure) {
    err << kProgram << failure << '\n';
    status = kExitCalculationFailed;
  });
  return status;
}

int Dispatch(std::span<const std::string_view> args, std::string_view separator,
             const SourceOpener& openSource, std::ostream& out, std::ostream& err) {
  try {
    const Options options = ParseOptions(args);
    if (options.help) {
      out << HelpText();
      return kExitSuccess;
    }
    if (options.mode == OutputMode::kCsv) return Batch(options, separator, openSource, out, err);
    return Single(options, separator, out, err);
  } catch (const UsageError& error) {
    out.flush();  // the rows of a list before its fault come first
    err << kProgram << error.what() << "\nHilfe (help): vemora-calc --help\n";
    return kExitUsage;
  }
}

}  // namespace

int Run(std::span<const std::string_view> args, std::string_view decimalSeparator,
        const SourceOpener& openSource, std::ostream& out, std::ostream& err) {
  int status = kExitCalculationFailed;
  try {
    status = Dispatch(args, decimalSeparator, openSource, out, err);
  } catch (const std::bad_alloc&) {
    err << kProgram << "nicht genug Speicher (out of memory)\n";
    return kExitCalculationFailed;
  } catch (const std::exception& error) {
    err << kProgram << "Fehler (error): " << Printable(error.what()) << '\n';
    return kExitCalculationFailed;
  }
  if (!out.flush()) {
    err << kProgram << "Schreibfehler (write error)\n";
    return kExitCalculationFailed;
  }
  return status;
}

}  // namespace vemora::cli
