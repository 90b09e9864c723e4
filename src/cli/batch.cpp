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
    const std::string column = "\"" + name + "\"";
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
  const std::string quoted = "\"" + std::string(cell) + "\"";
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

}  // namespace

BatchResult RunBatch(std::string_view input, std::string_view decimalSeparator) {
  const std::vector<CsvRecord> records = ParseCsv(input);
  if (records.empty()) throw UsageError("keine Kopfzeile (no header row)");
  const std::vector<Field> columns = HeaderFields(records.front());
  std::vector<CalcInputs> rows;
  for (std::size_t i = 1; i < records.size(); ++i) rows.push_back(RowInputs(records[i], columns));

  BatchResult result;
  result.csv = CsvLine(OutputHeader());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::vector<std::string> cells = InputCells(rows[i]);
    CalcState state;  // fresh: no L1 or L6 carried over from the row before
    try {
      const std::string text = CalculateMemory(rows[i], state, decimalSeparator);
      AppendResult(cells, state, text);
    } catch (const RuntimeError& error) {
      cells.resize(cells.size() + kShareCount + 3);
      cells.push_back(ErrorLine(error));
      result.failures.push_back("Zeile " + std::to_string(records[i + 1].line) + ": " +
                                ErrorLine(error));
    }
    result.csv += CsvLine(cells);
  }
  return result;
}

}  // namespace vemora::cli
