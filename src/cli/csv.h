// Comma-separated values: quoted fields with doubled quotes, commas and line
// breaks inside quotes, LF or CRLF line ends, an optional UTF-8 byte order mark.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
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

// Reads records one at a time, so its memory is one record and a block of
// input, however long the input is.
class CsvReader {
 public:
  explicit CsvReader(std::istream& in);

  // The next record; empty lines are skipped; nullopt at the end. Raises
  // UsageError naming the line for an unclosed quote, text after a closing
  // quote, an overlong record, or input that cannot be read.
  std::optional<CsvRecord> Next();

 private:
  CsvRecord ReadRecord();
  std::string ReadField(std::size_t recordLine);
  std::string ReadQuoted(std::size_t recordLine);
  bool Available(std::size_t count);  // at least `count` bytes at pos_
  bool AtEnd() { return !Available(1); }
  char Peek() const { return buffer_[pos_]; }
  bool AtLineEnd();
  void SkipLineEnd();
  char Advance();

  std::istream& in_;
  std::string buffer_;
  std::size_t pos_ = 0;
  std::size_t recordBytes_ = 0;
  std::size_t line_ = 1;
  std::size_t recordLine_ = 1;
};

// Quoted only when the field needs it.
std::string CsvField(std::string_view field);
// Fields joined by commas, ending in a line feed.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace vemora::cli
