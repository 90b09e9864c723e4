#include "cli/batch.h"

#include <algorithm>
#include <optional>

#include "calc/calc.h"
#include "cli/csv.h"
#include "cli/fields.h"
#include "cli/report.h"
#include "cli/usage_error.h"
#include "runtime/runtime_error.h"

namespace vemora::cli {
namespace {

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string Lowered(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<Field> HeaderFields(const CsvRecord& header) {
  std::vector<Field> fields;
  for (const std::string& cell : header.fields) {
    const std::string name = Lowered(Trimmed(cell));
    const std::optional<Field> field = FieldByName(name);
    const std::string column = "\"" + Printable(name) + "\"";
    if (!field) {
      throw UsageError(AtCell(header.line, column, "unbekannte Spalte", "unknown column"));
    }
    if (std::find(fields.begin(), fields.end(), *field) != fields.end()) {
      throw UsageError(AtCell(header.line, column, "Spalte doppelt", "duplicate column"));
    }
    fields.push_back(*field);
  }
  return fields;
}

bool SwitchValue(std::string_view cell, std::size_t line, Field field) {
  const std::string value = Lowered(Trimmed(cell));
  for (const char* on : {"1", "yes", "ja", "true"}) {
    if (value == on) return true;
  }
  for (const char* off : {"", "0", "no", "nein", "false"}) {
    if (value == off) return false;
  }
  const std::string quoted = "\"" + Printable(cell) + "\"";
  throw UsageError(AtCell(line, FieldName(field),
                          quoted + " ist kein Schalterwert, erlaubt sind 0 und 1",
                          quoted + " is not a switch value, use 0 or 1"));
}

CalcInputs RowInputs(const CsvRecord& row, const std::vector<Field>& columns) {
  if (row.fields.size() != columns.size()) {
    const std::string got = std::to_string(row.fields.size());
    const std::string want = std::to_string(columns.size());
    throw UsageError(
        AtLine(row.line, got + " Felder statt " + want, got + " fields, the header has " + want));
  }
  CalcInputs inputs;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (IsSwitch(columns[i])) {
      SetSwitch(inputs, columns[i], SwitchValue(row.fields[i], row.line, columns[i]));
    } else {
      SetText(inputs, columns[i], row.fields[i]);
    }
  }
  if (!CompressionAllowed(inputs)) {
    throw UsageError(AtCell(row.line, "compression", "Kompression gibt es nur mit nw4=1",
                            "compression needs nw4=1"));
  }
  return inputs;
}

std::vector<std::string> OutputHeader() {
  std::vector<std::string> header;
  for (Field field : kAllFields) header.emplace_back(FieldName(field));
  for (std::size_t i = 1; i <= kShareCount; ++i) header.push_back("L" + std::to_string(i));
  for (const char* name : {"SummeKB", "SummeMB", "text", "error"}) header.emplace_back(name);
  return header;
}

std::vector<std::string> InputCells(const CalcInputs& inputs) {
  std::vector<std::string> cells;
  for (Field field : kAllFields) {
    cells.push_back(IsSwitch(field) ? (SwitchOn(inputs, field) ? "1" : "0")
                                    : TextOf(inputs, field));
  }
  return cells;
}

// Result columns; a failed row leaves them empty, as its state is incomplete.
void AppendResult(std::vector<std::string>& cells, const CalcState& state,
                  const std::string& text) {
  for (double share : SharesOf(state)) cells.push_back(ShortestNumber(share));
  cells.push_back(ShortestNumber(state.SummeKB));
  cells.push_back(ShortestNumber(state.SummeMB));
  cells.push_back(text);
  cells.emplace_back();
}

// The first figure column whose text holds a NUL byte, if any.
std::optional<Field> FigureWithNul(const CalcInputs& inputs) {
  for (Field field : kAllFields) {
    if (!IsSwitch(field) && TextOf(inputs, field).find('\0') != std::string::npos) return field;
  }
  return std::nullopt;
}

// One row's output cells; `error` is empty when it was computed.
std::vector<std::string> RowCells(const CalcInputs& inputs, std::string_view separator,
                                  std::string& error) {
  std::vector<std::string> cells = InputCells(inputs);
  if (const std::optional<Field> field = FigureWithNul(inputs)) {
    for (std::string& cell : cells) cell = Printable(cell);
    const std::string column(FieldName(*field));
    error = "Spalte " + column + ": Nullbyte im Feld (column " + column + ": NUL byte in field)";
  } else {
    CalcState state;  // fresh: no L1 or L6 carried over from the row before
    try {
      const std::string text = CalculateMemory(inputs, state, separator);
      AppendResult(cells, state, text);
      return cells;
    } catch (const RuntimeError& runtimeError) {
      error = ErrorLine(runtimeError);
    }
  }
  cells.resize(cells.size() + kShareCount + 3);
  cells.push_back(error);
  return cells;
}

}  // namespace

void RunBatch(std::istream& in, std::ostream& out, std::string_view decimalSeparator,
              const FailedRow& failed) {
  CsvReader reader(in);
  const std::optional<CsvRecord> header = reader.Next();
  if (!header) throw UsageError("keine Kopfzeile (no header row)");
  const std::vector<Field> columns = HeaderFields(*header);
  bool headerWritten = false;
  while (out) {
    const std::optional<CsvRecord> row = reader.Next();
    if (!row) break;
    const CalcInputs inputs = RowInputs(*row, columns);
    if (!headerWritten) out << CsvLine(OutputHeader());
    headerWritten = true;
    std::string error;
    out << CsvLine(RowCells(inputs, decimalSeparator, error));
    if (!error.empty()) failed("Zeile " + std::to_string(row->line) + ": " + error);
  }
  if (!headerWritten) out << CsvLine(OutputHeader());
}

}  // namespace vemora::cli
