#include "cli/csv.h"

#include "cli/usage_error.h"

namespace vemora::cli {
namespace {

constexpr std::size_t kBlockBytes = 65536;

bool NeedsQuotes(std::string_view field) {
  return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

CsvReader::CsvReader(std::istream& in) : in_(in) {
  if (Available(3) && buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

std::optional<CsvRecord> CsvReader::Next() {
  while (!AtEnd()) {
    CsvRecord record = ReadRecord();
    const bool blank = record.fields.size() == 1 && record.fields[0].empty();
    if (!blank) return record;
  }
  return std::nullopt;
}

CsvRecord CsvReader::ReadRecord() {
  CsvRecord record;
  record.line = line_;
  recordLine_ = line_;
  recordBytes_ = 0;
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

std::string CsvReader::ReadField(std::size_t recordLine) {
  if (!AtEnd() && Peek() == '"') return ReadQuoted(recordLine);
  std::string field;
  while (!AtEnd() && Peek() != ',' && !AtLineEnd()) field += Advance();
  return field;
}

std::string CsvReader::ReadQuoted(std::size_t recordLine) {
  Advance();  // the opening quote
  std::string field;
  for (;;) {
    if (AtEnd()) {
      throw UsageError(AtLine(recordLine, "Anführungszeichen nicht geschlossen", "unclosed quote"));
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

bool CsvReader::Available(std::size_t count) {
  if (buffer_.size() - pos_ >= count) return true;
  // The bytes read stay in one block: what was taken goes before more comes.
  buffer_.erase(0, pos_);
  pos_ = 0;
  char block[kBlockBytes];
  while (buffer_.size() < count && in_) {
    in_.read(block, sizeof block);
    buffer_.append(block, static_cast<std::size_t>(in_.gcount()));
  }
  if (in_.bad()) throw UsageError(AtLine(line_, "Lesefehler", "read error"));
  return buffer_.size() >= count;
}

bool CsvReader::AtLineEnd() {
  return Peek() == '\n' || (Peek() == '\r' && (!Available(2) || buffer_[pos_ + 1] == '\n'));
}

// The line end does not count against the record's length.
void CsvReader::SkipLineEnd() {
  if (Peek() == '\r') ++pos_;
  if (!AtEnd()) {
    ++pos_;
    ++line_;
  }
}

char CsvReader::Advance() {
  if (recordBytes_ >= kMaxRecordBytes) {
    const std::string limit = std::to_string(kMaxRecordBytes);
    throw UsageError(AtLine(recordLine_, "Datensatz länger als " + limit + " Bytes",
                            "record longer than " + limit + " bytes"));
  }
  ++recordBytes_;
  const char c = buffer_[pos_++];
  if (c == '\n') ++line_;
  return c;
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
