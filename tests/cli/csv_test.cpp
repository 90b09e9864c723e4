#include "cli/csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/read_all.h"
#include "cli/usage_error.h"
#include "support/row_name.h"

namespace vemora::cli {
namespace {

using testing_support::RowName;
using Fields = std::vector<std::string>;

struct ParseRow {
  const char* name;
  std::string text;
  std::vector<Fields> records;
  std::vector<std::size_t> lines;
};

// Records of the most bytes allowed (line ends not counted), and one more.
const std::string kFull(4096, 'x'), kOver(4097, 'y');

const ParseRow kParseRows[] = {
    {"NoFinalLineEnd", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
    {"EmptyFields", ",\n,,x\n", {{"", ""}, {"", "", "x"}}, {1, 2}},
    {"DoubledQuote", "\"say \"\"hi\"\"\"\n", {{"say \"hi\""}}, {1}},
    {"QuotedLineBreakKeepsLineCount", "\"a\nb\",c\nd\n", {{"a\nb", "c"}, {"d"}}, {1, 3}},
    {"QuotedCrlfKept", "\"a\r\nb\"\r\n", {{"a\r\nb"}}, {1}},
    {"QuoteInsideUnquotedIsText", "a\"b,c\n", {{"a\"b", "c"}}, {1}},
    {"LoneCrIsText", "a\rb\n", {{"a\rb"}}, {1}},
    {"BlankLinesSkipped", "\na\n\n\r\nb\n", {{"a"}, {"b"}}, {2, 5}},
    {"ByteOrderMarkDropped", "\xEF\xBB\xBFx\n1\n", {{"x"}, {"1"}}, {1, 2}},
    // The count starts at the file's first byte and again at each record.
    {"RecordsOfExactlyTheLimit", kFull + "\r\n" + kFull, {{kFull}, {kFull}}, {1, 2}},
    // The input is read in blocks of 64 KiB: this CR ends the first.
    {"CrlfAcrossBlocks", std::string(65534, '\n') + "a\r\nb\n", {{"a"}, {"b"}}, {65535, 65536}},
};

class ParseCsvTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseCsvTest, SplitsRecordsAndFields) {
  const std::vector<CsvRecord> records = ReadAll(GetParam().text);
  ASSERT_EQ(records.size(), GetParam().records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].fields, GetParam().records[i]) << i;
    EXPECT_EQ(records[i].line, GetParam().lines[i]) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Cli, ParseCsvTest, testing::ValuesIn(kParseRows), RowName<ParseRow>);

struct BadRow {
  const char* name;
  std::string text;
  const char* message;  // the start of the message
};

const BadRow kBadRows[] = {
    {"UnclosedQuote", "a\n\"b,c\nd\n", "Zeile 2: Anführungszeichen nicht geschlossen"},
    {"TextAfterClosingQuote", "a\n\"b\"c\n", "Zeile 2: Text nach schließendem"},
    {"FirstRecordOneByteTooLong", kOver + "\n", "Zeile 1: Datensatz länger als 4096 Bytes"},
    // Quotes and the line breaks inside them count; the record's first line is named.
    {"QuotedRecordOneByteTooLong", "a\n\"" + kFull.substr(2) + "\n\"\n",
     "Zeile 2: Datensatz länger"},
};

class BadCsvTest : public testing::TestWithParam<BadRow> {};

TEST_P(BadCsvTest, IsRefusedNamingTheLine) {
  try {
    ReadAll(GetParam().text);
    FAIL() << "accepted";
  } catch (const UsageError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(GetParam().message, 0), 0u) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Cli, BadCsvTest, testing::ValuesIn(kBadRows), RowName<BadRow>);

struct WriteRow {
  const char* name;
  Fields fields;
  const char* line;
};

const WriteRow kWriteRows[] = {
    {"QuoteDoubled", {"say \"hi\""}, "\"say \"\"hi\"\"\"\n"},
    {"LineBreakQuoted", {"a\nb", "c\rd"}, "\"a\nb\",\"c\rd\"\n"},
};

class WriteCsvTest : public testing::TestWithParam<WriteRow> {};

TEST_P(WriteCsvTest, QuotesWhatNeedsItAndReadsBack) {
  const std::string line = CsvLine(GetParam().fields);
  EXPECT_EQ(line, GetParam().line);
  const std::vector<CsvRecord> back = ReadAll(line);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].fields, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Cli, WriteCsvTest, testing::ValuesIn(kWriteRows), RowName<WriteRow>);

}  // namespace
}  // namespace vemora::cli
