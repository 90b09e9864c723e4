// Every record of a CSV text at once, for checking what was written.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/csv.h"

namespace vemora::cli {

inline std::vector<CsvRecord> ReadAll(const std::string& text) {
  std::istringstream in(text);
  CsvReader reader(in);
  std::vector<CsvRecord> records;
  while (std::optional<CsvRecord> record = reader.Next()) records.push_back(std::move(*record));
  return records;
}

}  // namespace vemora::cli
