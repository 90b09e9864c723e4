#include "cli/json.h"

#include <cstdint>
#include <cstdio>

#include "cli/fields.h"
#include "cli/report.h"
#include "cli/utf8.h"

namespace vemora::cli {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\b':
      out += "\\b";
      return;
    case '\f':
      out += "\\f";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  const auto u = static_cast<std::uint8_t>(c);
  if (u < 0x20) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", u);
    out += escape;
  } else {
    out += c;
  }
}

std::string InputsObject(const CalcInputs& inputs) {
  std::string out = "{";
  for (Field field : kAllFields) {
    if (out.size() > 1) out += ',';
    out += JsonString(FieldName(field)) + ':';
    out += IsSwitch(field) ? (SwitchOn(inputs, field) ? "true" : "false")
                           : JsonString(TextOf(inputs, field));
  }
  return out + '}';
}

void Member(std::string& out, std::string_view name, const std::string& value) {
  out += ',';
  out += JsonString(name);
  out += ':';
  out += value;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  while (!text.empty()) {
    const std::size_t length = ValidSequence(text);
    if (length == 0) {
      out += kReplacement;
      text.remove_prefix(1);
    } else if (length == 1) {
      AppendEscaped(out, text[0]);
      text.remove_prefix(1);
    } else {
      out += text.substr(0, length);
      text.remove_prefix(length);
    }
  }
  return out + '"';
}

std::string JsonReport(const CalcInputs& inputs, const CalcState& state,
                       std::string_view resultText) {
  std::string out = "{\"inputs\":" + InputsObject(inputs);
  const auto shares = SharesOf(state);
  for (std::size_t i = 0; i < kShareCount; ++i) {
    Member(out, "L" + std::to_string(i + 1), ShortestNumber(shares[i]));
  }
  Member(out, "SummeKB", ShortestNumber(state.SummeKB));
  Member(out, "SummeMB", ShortestNumber(state.SummeMB));
  Member(out, "text", JsonString(resultText));
  return out + '}';
}

std::string JsonErrorReport(const CalcInputs& inputs, const RuntimeError& error) {
  std::string out = "{\"inputs\":" + InputsObject(inputs);
  Member(out, "error",
         "{\"number\":" + std::to_string(error.Code()) + ",\"text\":" + JsonString(error.what()) +
             '}');
  return out + '}';
}

}  // namespace vemora::cli
