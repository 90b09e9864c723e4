// A list of servers: CSV in, CSV out, one fresh calculation per row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vemora::cli {

struct BatchResult {
  std::string csv;                    // header and one row per server
  std::vector<std::string> failures;  // one line per failed row, naming it
};

// Columns are the input names (disk, mirror, block, clients, files, nw4,
// compression, suballocation, other) in any order and case; a missing column
// takes the window's design value. Switches are 0/1 (also yes/no, ja/nein,
// true/false; empty is 0). Raises UsageError for a bad header or cell before
// any row is computed; a row whose calculation fails is reported in its
// error column and in failures.
BatchResult RunBatch(std::string_view input, std::string_view decimalSeparator);

}  // namespace vemora::cli
