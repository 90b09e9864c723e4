#include "cli/csv.h"

#include "cli/usage_error.h"

namespace vemora::cli {
namespace {

class CsvReader {
 public:
  CsvReader(std::string_view text, std::size_t maxRecordBytes) : text_(text), max_(maxRecordBytes) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
  }

  std::vector<CsvRecord> ReadAll() {
    std::vector<CsvRecord> records;
    while (pos_ < text_.size()) {
      CsvRecord record = ReadRecord();
      const bool blank = record.fields.size() == 1 && record.fields[0].empty();
      if (!blank) records.push_back(std::move(record));
    }
    return records;
  }

 private:
  CsvRecord ReadRecord() {
    CsvRecord record;
    record.line = line_;
    recordLine_ = line_;
    start_ = pos_;
    for (;;) {
      record.fields.push_back(ReadField(record.line));
      if (AtEnd()) return record;
      if (Peek() == ',') {
        Advance();
        continue;
      }
      SkipLineEnd();
      return record;
    }
  }

  std::string ReadField(std::size_t recordLine) {
    if (!AtEnd() && Peek() == '"') return ReadQuoted(recordLine);
    std::string field;
    while (!AtEnd() && Peek() != ',' && !AtLineEnd()) field += Advance();
    return field;
  }

  std::string ReadQuoted(std::size_t recordLine) {
    Advance();  // the opening quote
    std::string field;
    for (;;) {
      if (AtEnd()) {
        throw UsageError(
            AtLine(recordLine, "Anführungszeichen nicht geschlossen", "unclosed quote"));
      }
      const char c = Advance();
      if (c != '"') {
        field += c;
      } else if (!AtEnd() && Peek() == '"') {
        field += Advance();
      } else {
        break;
      }
    }
    if (!AtEnd() && Peek() != ',' && !AtLineEnd()) {
      throw UsageError(
          AtLine(line_, "Text nach schließendem Anführungszeichen", "text after closing quote"));
    }
    return field;
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }
  bool AtLineEnd() const {
    return Peek() == '\n' ||
           (Peek() == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] == '\n'));
  }
  // The line end does not count against the record's length.
  void SkipLineEnd() {
    if (Peek() == '\r') ++pos_;
    if (!AtEnd()) {
      ++pos_;
      ++line_;
    }
  }

  char Advance() {
    if (pos_ - start_ >= max_) {
      const std::string limit = std::to_string(max_);
      throw UsageError(AtLine(recordLine_, "Datensatz länger als " + limit + " Bytes",
                              "record longer than " + limit + " bytes"));
    }
    const char c = text_[pos_++];
    if (c == '\n') ++line_;
    return c;
  }

  std::string_view text_;
  std::size_t max_;
  std::size_t pos_ = 0;
  std::size_t start_ = 0;
  std::size_t line_ = 1;
  std::size_t recordLine_ = 1;
};

bool NeedsQuotes(std::string_view field) {
  return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

std::vector<CsvRecord> ParseCsv(std::string_view text, std::size_t maxRecordBytes) {
  return CsvReader(text, maxRecordBytes).ReadAll();
}

std::string CsvField(std::string_view field) {
  if (!NeedsQuotes(field)) return std::string(field);
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += CsvField(fields[i]);
  }
  return line + '\n';
}

}  // namespace vemora::cli
