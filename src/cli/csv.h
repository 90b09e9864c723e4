// Comma-separated values: quoted fields with doubled quotes, commas and line
// breaks inside quotes, LF or CRLF line ends, an optional UTF-8 byte order mark.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vemora::cli {

struct CsvRecord {
  std::size_t line = 0;  // line of the input where the record starts, from 1
  std::vector<std::string> fields;
};

// A record longer than this is refused: a server row needs a few dozen bytes.
inline constexpr std::size_t kMaxRecordBytes = 4096;

// Empty lines are skipped. Raises UsageError naming the line for an unclosed
// quote, text after a closing quote, or an overlong record.
std::vector<CsvRecord> ParseCsv(std::string_view text,
                                std::size_t maxRecordBytes = kMaxRecordBytes);

// Quoted only when the field needs it.
std::string CsvField(std::string_view field);
// Fields joined by commas, ending in a line feed.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace vemora::cli
