// A list of servers: CSV in, CSV out, one fresh calculation per row.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace vemora::cli {

// Called with "Zeile 3: 11: Division durch Null" for each row that fails.
using FailedRow = std::function<void(const std::string& line)>;

// Columns are the input names (disk, mirror, block, clients, files, nw4,
// compression, suballocation, other) in any order and case; a missing column
// takes the window's design value. Switches are 0/1 (also yes/no, ja/nein,
// true/false; empty is 0).
// Each row is read, computed and written to `out` before the next is read,
// so memory stays at one record however long the list is; reading stops
// when `out` fails. The header line goes out with the first row (or at the
// end of a list without rows).
// Raises UsageError for a bad header, and for a bad cell or malformed row,
// which ends the list there: the rows before it are written, none after.
// A row whose calculation fails, or whose figure holds a NUL byte (which
// the output never carries), has its error in the error column and is
// passed to `failed`.
void RunBatch(std::istream& in, std::ostream& out, std::string_view decimalSeparator,
              const FailedRow& failed);

}  // namespace vemora::cli
