#include "cli/batch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/csv.h"
#include "cli/usage_error.h"
#include "support/row_name.h"

namespace vemora::cli {
namespace {

using testing_support::RowName;

// The nine input cells of the first data row of the output.
std::vector<std::string> FirstRowInputs(const BatchResult& result) {
  const std::vector<CsvRecord> records = ParseCsv(result.csv);
  if (records.size() < 2) return {};
  return {records[1].fields.begin(), records[1].fields.begin() + 9};
}

struct ColumnRow {
  const char* name;
  std::string input;
  std::vector<std::string> inputs;  // disk ... other as the output shows them
};

const ColumnRow kColumnRows[] = {
    {"MissingColumnsTakeDesignValues",
     "files\n500\n",
     {"100", "0", "4", "5", "500", "0", "0", "0", "3000"}},
    {"AnyOrderAnyCaseBlanksAround",
     " Other ,NW4,Disk\n1,ja,2\n",
     {"2", "0", "4", "5", "10000", "1", "0", "0", "1"}},
    {"SwitchWords",
     "mirror,nw4,compression,suballocation\nYES,true,1,nein\n",
     {"100", "1", "4", "5", "10000", "1", "1", "0", "3000"}},
    {"EmptySwitchIsOff",
     "mirror,suballocation\n, \n",
     {"100", "0", "4", "5", "10000", "0", "0", "0", "3000"}},
    // A figure goes in as its text, exactly as typed, like the window's box.
    {"FigureTextKept",
     "disk,clients\n\" 1.5e3\",\n",
     {" 1.5e3", "0", "4", "", "10000", "0", "0", "0", "3000"}},
};

class BatchColumnTest : public testing::TestWithParam<ColumnRow> {};

TEST_P(BatchColumnTest, FillsEveryInput) {
  const BatchResult result = RunBatch(GetParam().input, ".");
  EXPECT_EQ(FirstRowInputs(result), GetParam().inputs);
  EXPECT_TRUE(result.failures.empty());
}

INSTANTIATE_TEST_SUITE_P(Cli, BatchColumnTest, testing::ValuesIn(kColumnRows), RowName<ColumnRow>);

struct BadRow {
  const char* name;
  std::string input;
  const char* message;  // the start of the message
};

const BadRow kBadRows[] = {
    {"NoHeader", "", "keine Kopfzeile"},
    {"UnknownColumn", "disk,ram\n", "Zeile 1, Spalte \"ram\": unbekannte Spalte"},
    {"Nw3IsNoColumn", "nw3\n1\n", "Zeile 1, Spalte \"nw3\": unbekannte Spalte"},
    {"DuplicateColumn", "disk,DISK\n", "Zeile 1, Spalte \"disk\": Spalte doppelt"},
    {"BadSwitchValue", "disk,mirror\n1,0\n\n1,2\n", "Zeile 4, Spalte mirror: \"2\" ist kein"},
    {"TooFewFields", "disk,block\n1\n", "Zeile 2: 1 Felder statt 2"},
    {"CompressionWithoutNw4", "nw4,compression\n1,1\n0,1\n", "Zeile 3, Spalte compression: "},
};

class BadBatchTest : public testing::TestWithParam<BadRow> {};

TEST_P(BadBatchTest, IsRefusedNamingRowAndColumn) {
  try {
    RunBatch(GetParam().input, ".");
    FAIL() << "accepted";
  } catch (const UsageError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(GetParam().message, 0), 0u) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Cli, BadBatchTest, testing::ValuesIn(kBadRows), RowName<BadRow>);

}  // namespace
}  // namespace vemora::cli
