#include "cli/options.h"

#include <optional>

#include "cli/fields.h"
#include "cli/usage_error.h"

namespace vemora::cli {
namespace {

std::string Quoted(std::string_view option) {
  return "--" + Printable(option);
}

// One argument split into "--name" and an optional "=value".
struct Argument {
  std::string_view name;
  std::optional<std::string_view> value;
};

Argument Split(std::string_view arg) {
  if (arg == "-h") return {"help", std::nullopt};
  if (arg.size() < 3 || arg.substr(0, 2) != "--") {
    throw UsageError(Printable(arg) + ": unerwartetes Argument (unexpected argument)");
  }
  arg.remove_prefix(2);
  const std::size_t eq = arg.find('=');
  if (eq == std::string_view::npos) return {arg, std::nullopt};
  return {arg.substr(0, eq), arg.substr(eq + 1)};
}

class Parser {
 public:
  explicit Parser(std::span<const std::string_view> args) : args_(args) {}

  Options Parse() {
    while (next_ < args_.size()) Take(Split(args_[next_++]));
    if (options_.help) return options_;
    if (options_.mode == OutputMode::kCsv && !firstField_.empty()) {
      throw UsageError(firstField_ +
                       ": nicht zusammen mit --csv, die Werte stehen in den Spalten"
                       " (not with --csv, the values are columns)");
    }
    if (!CompressionAllowed(options_.inputs)) {
      throw UsageError(
          "--compression: Kompression gibt es nur mit --nw4 (compression needs --nw4)");
    }
    return options_;
  }

 private:
  void Take(const Argument& arg) {
    if (arg.name == "help") return Flag(arg, [this] { options_.help = true; });
    if (arg.name == "explain")
      return Flag(arg, [this] { SetMode(OutputMode::kExplain, "--explain"); });
    if (arg.name == "json") return Flag(arg, [this] { SetMode(OutputMode::kJson, "--json"); });
    if (arg.name == "csv") {
      options_.csvSource = Value(arg);
      return SetMode(OutputMode::kCsv, "--csv");
    }
    if (arg.name == "nw3") return Flag(arg, [this] { SetVersion(false, "--nw3"); });
    if (arg.name == "nw4") return Flag(arg, [this] { SetVersion(true, "--nw4"); });
    const std::optional<Field> field = FieldByName(arg.name);
    if (!field) throw UsageError(Quoted(arg.name) + ": unbekannte Option (unknown option)");
    if (firstField_.empty()) firstField_ = Quoted(arg.name);
    if (IsSwitch(*field)) return Flag(arg, [&] { SetSwitch(options_.inputs, *field, true); });
    SetText(options_.inputs, *field, Value(arg));
  }

  template <class Action>
  void Flag(const Argument& arg, Action&& action) {
    if (arg.value) {
      throw UsageError(Quoted(arg.name) + ": nimmt keinen Wert (takes no value)");
    }
    action();
  }

  // "--disk=100" or "--disk 100"; the next argument is taken even if it
  // starts with a dash, so negative figures need no special form.
  std::string Value(const Argument& arg) {
    if (arg.value) return std::string(*arg.value);
    if (next_ >= args_.size()) {
      throw UsageError(Quoted(arg.name) + ": Wert fehlt (value missing)");
    }
    return std::string(args_[next_++]);
  }

  void SetVersion(bool nw4, const char* option) {
    if (firstField_.empty()) firstField_ = option;
    SetSwitch(options_.inputs, Field::kNw4, nw4);
  }

  void SetMode(OutputMode mode, const char* option) {
    if (mode_ != nullptr && options_.mode != mode) {
      throw UsageError(std::string(option) + ": nicht zusammen mit " + mode_ +
                       " (not together with " + mode_ + ")");
    }
    options_.mode = mode;
    mode_ = option;
  }

  std::span<const std::string_view> args_;
  std::size_t next_ = 0;
  Options options_;
  const char* mode_ = nullptr;  // the option that chose the mode
  std::string firstField_;      // the first input option given
};

}  // namespace

Options ParseOptions(std::span<const std::string_view> args) {
  return Parser(args).Parse();
}

}  // namespace vemora::cli
