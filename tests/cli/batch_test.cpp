#include "cli/batch.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/read_all.h"
#include "cli/run.h"
#include "cli/usage_error.h"
#include "support/row_name.h"

namespace vemora::cli {
namespace {

using namespace std::string_literals;
using testing_support::RowName;

// What was written stays in `out` when the batch is refused.
struct Batch {
  std::ostringstream out;
  std::vector<std::string> failures;
  void Run(const std::string& input) {
    std::istringstream in(input);
    RunBatch(in, out, ".", [&](const std::string& line) { failures.push_back(line); });
  }
};

struct ColumnRow {
  const char* name;
  std::string input;
  std::vector<std::string> inputs;  // disk ... other as the output shows them
  std::string error = "";           // in the error column
};

const ColumnRow kColumnRows[] = {
    {"MissingColumnsTakeDesignValues",
     "files\n500\n",
     {"100", "0", "4", "5", "500", "0", "0", "0", "3000"}},
    {"AnyOrderAnyCaseBlanksAround",
     " Other ,NW4,Disk\n1,ja,2\n",
     {"2", "0", "4", "5", "10000", "1", "0", "0", "1"}},
    {"SwitchWordsEmptyIsOff",
     "mirror,nw4,compression,suballocation\nYES,true,1, \n",
     {"100", "1", "4", "5", "10000", "1", "1", "0", "3000"}},
    // A figure goes in as its text, exactly as typed, like the window's box.
    {"FigureTextKept",
     "disk,clients\n\" 1.5e3\",\n",
     {" 1.5e3", "0", "4", "", "10000", "0", "0", "0", "3000"}},
    // The output never carries a NUL byte.
    {"NulInFigureFailsTheRow",
     "disk,files\n\"1\0\",2\n"s,
     {"1\\x00", "0", "4", "5", "2", "0", "0", "0", "3000"},
     "Spalte disk: Nullbyte im Feld (column disk: NUL byte in field)"},
};

class BatchColumnTest : public testing::TestWithParam<ColumnRow> {};

TEST_P(BatchColumnTest, FillsEveryInput) {
  Batch batch;
  batch.Run(GetParam().input);
  const std::vector<CsvRecord> records = ReadAll(batch.out.str());
  ASSERT_EQ(records.size(), 2u);
  const std::vector<std::string>& row = records[1].fields;
  EXPECT_EQ(std::vector<std::string>(row.begin(), row.begin() + 9), GetParam().inputs);
  EXPECT_EQ(row.back(), GetParam().error);
  EXPECT_EQ(batch.failures.size(), GetParam().error.empty() ? 0u : 1u);
  EXPECT_EQ(batch.out.str().find('\0'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cli, BatchColumnTest, testing::ValuesIn(kColumnRows), RowName<ColumnRow>);

struct BadRow {
  const char* name;
  std::string input;
  const char* message;  // the start of the message
  std::size_t written;  // lines written before the fault, header included
};

const BadRow kBadRows[] = {
    {"NoHeader", "", "keine Kopfzeile", 0},
    {"DuplicateColumn", "disk,DISK\n", "Zeile 1, Spalte \"disk\": Spalte doppelt", 0},
    // Rows are written as they come: a fault further down ends the list there.
    {"BadSwitchValue", "disk,mirror\n1,0\n\n1,2\n", "Zeile 4, Spalte mirror: \"2\" ist kein", 2},
    {"TooFewFields", "disk,block\n1\n", "Zeile 2: 1 Felder statt 2", 0},
    {"CompressionWithoutNw4", "nw4,compression\n1,1\n0,1\n", "Zeile 3, Spalte compression: ", 2},
    // Control bytes never reach the terminal that shows the message.
    {"ControlBytesInColumnEscaped", "\x1b]0;pwned\x07\xc2\x9b,disk\n1,2\n",
     "Zeile 1, Spalte \"\\x1b]0;pwned\\x07\\xc2\\x9b\": unbekannte Spalte", 0},
    {"ControlBytesInSwitchEscaped", "mirror\n\"\t1\0\x7f\r\"\n"s,
     "Zeile 2, Spalte mirror: \"\t1\\x00\\x7f\\x0d\" ist kein", 0},
};

class BadBatchTest : public testing::TestWithParam<BadRow> {};

TEST_P(BadBatchTest, IsRefusedNamingRowAndColumn) {
  Batch batch;
  try {
    batch.Run(GetParam().input);
    FAIL() << "accepted";
  } catch (const UsageError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(GetParam().message, 0), 0u) << error.what();
  }
  EXPECT_EQ(ReadAll(batch.out.str()).size(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Cli, BadBatchTest, testing::ValuesIn(kBadRows), RowName<BadRow>);

// Whatever goes wrong besides a calculation or bad usage: status 1 and a
// message, never an abort.
struct FailureRow {
  const char* name;
  std::function<void()> openFails;  // throws
  const char* err;
};

const FailureRow kFailureRows[] = {
    {"OutOfMemory", [] { throw std::bad_alloc(); },
     "vemora-calc: nicht genug Speicher (out of memory)\n"},
    {"AnyOtherFailure", [] { throw std::runtime_error("kaputt\x1b"); },
     "vemora-calc: Fehler (error): kaputt\\x1b\n"},
};

class RunFailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(RunFailureTest, EndsWithStatusOneAndAMessage) {
  const SourceOpener open = [](const std::string&) -> std::unique_ptr<std::istream> {
    GetParam().openFails();
    return nullptr;
  };
  std::ostringstream out, err;
  const std::string_view args[] = {"--csv", "-"};
  EXPECT_EQ(cli::Run(args, ".", open, out, err), 1);
  EXPECT_EQ(err.str(), GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(Cli, RunFailureTest, testing::ValuesIn(kFailureRows), RowName<FailureRow>);

}  // namespace
}  // namespace vemora::cli
