// The built program, run as a child process: results, separators, the three
// output modes, server lists and bad usage with their exit statuses.
#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <string>
#include <vector>

#include "calc/calc.h"
#include "child_process.h"
#include "cli/csv.h"
#include "cli/options.h"
#include "platform/runtime_error.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::ChildResult;
using testing_support::RowName;

const std::string kProgram = VEMORA_CALC_PATH;
const std::string kPointLocale = "C.UTF-8";

ChildResult Calc(const std::vector<std::string>& args, const std::string& locale = kPointLocale,
                 const std::string& input = {}) {
  return testing_support::RunChild(kProgram, args, locale, input);
}

const std::string& CommaLocale() {
  static const std::string locale = testing_support::CommaLocale();
  return locale;
}

#define SKIP_WITHOUT_COMMA_LOCALE()                                                      \
  do {                                                                                   \
    if (CommaLocale().empty()) {                                                         \
      GTEST_SKIP() << "no locale with a decimal comma installed (generate de_DE.UTF-8: " \
                      "package locales, /etc/locale.gen, locale-gen)";                   \
    }                                                                                    \
  } while (false)

// The same run through the library, the oracle for shares.
CalcState Expected(const std::vector<std::string>& args) {
  const std::vector<std::string_view> views(args.begin(), args.end());
  CalcState state;
  CalculateMemory(cli::ParseOptions(views).inputs, state, ".");
  return state;
}

double NumberAfter(const std::string& text, const std::string& key) {
  const std::size_t at = text.find(key);
  if (at == std::string::npos) return -1e300;
  double value = 0;
  std::from_chars(text.data() + at + key.size(), text.data() + text.size(), value);
  return value;
}

// The number on the line "name ... number unit" of --explain, read with
// the given separator; NaN if there is no such line.
double ExplainValue(const std::string& out, const std::string& name, const std::string& unit,
                    char separator = '.') {
  std::size_t begin = 0;
  while (begin < out.size()) {
    const std::size_t end = out.find('\n', begin);
    std::string line = out.substr(begin, end - begin);
    begin = end == std::string::npos ? out.size() : end + 1;
    const std::string suffix = " " + unit;
    if (line.rfind(name + " ", 0) != 0 || !line.ends_with(suffix)) continue;
    line = line.substr(name.size(), line.size() - name.size() - suffix.size());
    line = line.substr(line.find_first_not_of(' '));
    for (char& c : line)
      if (c == separator) c = '.';
    double value = 0;
    const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (ec == std::errc() && ptr == line.data() + line.size()) return value;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

// ---- worked examples -------------------------------------------------------

struct ExampleRow {
  const char* name;
  std::vector<std::string> args;
  const char* shown;  // with a point
};

const ExampleRow kExamples[] = {
    {"Design", {}, "9.1"},
    {"Nw4Compression", {"--nw4", "--compression"}, "12.35"},
    {"Suballocation", {"--suballocation"}, "9.15"},
    {"FiftyClients", {"--clients", "50"}, "26.68"},
    {"BigServer",
     {"--disk", "4096", "--mirror", "--block", "64", "--clients", "250", "--files", "100000",
      "--nw4", "--compression", "--suballocation", "--other", "3000"},
     "80.22"},
    {"MidServer",
     {"--disk=2048", "--block=16", "--clients=1000", "--files=200000", "--nw4", "--suballocation",
      "--other=2500"},
     "129.95"},
    {"FilesWithoutNumber", {"--files", "abc"}, "9.05"},
    // A fresh run: no earlier client share to keep.
    {"NoClients", {"--clients", "0"}, "7.15"},
    {"NegativeDisk", {"--disk", "-20000"}, "-33.06"},
};

class ExampleTest : public testing::TestWithParam<ExampleRow> {};

TEST_P(ExampleTest, ShowsResultWithPoint) {
  const ChildResult r = Calc(GetParam().args);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string(GetParam().shown) + "\n");
  EXPECT_EQ(r.err, "");
}

TEST_P(ExampleTest, ShowsResultWithComma) {
  SKIP_WITHOUT_COMMA_LOCALE();
  std::string expected = GetParam().shown;
  for (char& c : expected)
    if (c == '.') c = ',';
  const ChildResult r = Calc(GetParam().args, CommaLocale());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, expected + "\n");
}

TEST_P(ExampleTest, JsonCarriesTheExactShares) {
  std::vector<std::string> args = GetParam().args;
  args.push_back("--json");
  const ChildResult r = Calc(args);
  ASSERT_EQ(r.status, 0) << r.err;
  const CalcState s = Expected(GetParam().args);
  const double shares[] = {double(s.L1), s.L2,         double(s.L3), s.L4,
                           s.L5,         double(s.L6), double(s.L7), s.L8};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(NumberAfter(r.out, "\"L" + std::to_string(i + 1) + "\":"), shares[i]) << "L" << i + 1;
  }
  EXPECT_EQ(NumberAfter(r.out, "\"SummeKB\":"), s.SummeKB);
  EXPECT_EQ(NumberAfter(r.out, "\"SummeMB\":"), s.SummeMB);
  EXPECT_NE(r.out.find("\"text\":\"" + std::string(GetParam().shown) + "\"}"), std::string::npos)
      << r.out;
}

TEST_P(ExampleTest, ExplainListsTheExactShares) {
  std::vector<std::string> args = GetParam().args;
  args.push_back("--explain");
  const ChildResult r = Calc(args);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), GetParam().shown);
  const CalcState s = Expected(GetParam().args);
  EXPECT_EQ(ExplainValue(r.out, "Basis (NetWare-Version)", "KB"), s.L1);
  EXPECT_EQ(ExplainValue(r.out, "Plattenspeicher", "KB"), s.L2);
  EXPECT_EQ(ExplainValue(r.out, "Kompression", "KB"), s.L3);
  EXPECT_EQ(ExplainValue(r.out, "Dateien", "KB"), s.L4);
  EXPECT_EQ(ExplainValue(r.out, "Volume-Blöcke", "KB"), s.L5);
  EXPECT_EQ(ExplainValue(r.out, "Clients", "KB"), s.L6);
  EXPECT_EQ(ExplainValue(r.out, "Fest", "KB"), s.L7);
  EXPECT_EQ(ExplainValue(r.out, "Andere Anwendungen", "KB"), s.L8);
  EXPECT_EQ(ExplainValue(r.out, "Summe", "KB"), s.SummeKB);
  EXPECT_EQ(ExplainValue(r.out, "Summe", "MB"), s.SummeMB);
}

INSTANTIATE_TEST_SUITE_P(Cli, ExampleTest, testing::ValuesIn(kExamples), RowName<ExampleRow>);

TEST(CliSeparatorTest, ExplainAndJsonFollowTheCommaLocale) {
  SKIP_WITHOUT_COMMA_LOCALE();
  const ChildResult explain = Calc({"--explain"}, CommaLocale());
  EXPECT_EQ(explain.out.substr(0, 4), "9,1\n");
  EXPECT_EQ(ExplainValue(explain.out, "Volume-Blöcke", "KB", ','), Expected({}).L5);
  EXPECT_EQ(ExplainValue(explain.out, "Summe", "MB", ','), 9.104296875);
  // JSON numbers keep the point; only the shown text has the user's separator.
  const ChildResult json = Calc({"--json"}, CommaLocale());
  EXPECT_NE(json.out.find("\"SummeMB\":9.104296875,\"text\":\"9,1\"}"), std::string::npos)
      << json.out;
}

// ---- failing calculations ------------------------------------------------

struct FailureRow {
  const char* name;
  std::vector<std::string> args;
  ErrorNumber error;
};

const FailureRow kFailures[] = {
    {"BlockZero", {"--block", "0"}, ErrorNumber::kDivisionByZero},
    {"BlockEmpty", {"--block="}, ErrorNumber::kDivisionByZero},
    {"BlockWithoutNumber", {"--block", "abc"}, ErrorNumber::kDivisionByZero},
    {"DiskTooLarge", {"--disk", "2147483648"}, ErrorNumber::kOverflow},
    {"DiskRoundsOutOfRange", {"--disk", "2147483647.5"}, ErrorNumber::kOverflow},
    {"TooManyClients", {"--clients", "42948273"}, ErrorNumber::kOverflow},
    {"OtherBeyondAnyReal", {"--other", "1e400"}, ErrorNumber::kOverflow},
};

class FailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(FailureTest, ReportsTheErrorWithStatusOne) {
  const ChildResult r = Calc(GetParam().args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  const RuntimeError error(GetParam().error);
  EXPECT_EQ(r.err, "vemora-calc: Laufzeitfehler " + std::to_string(error.Code()) + ": " +
                       error.what() + "\n");
}

TEST_P(FailureTest, JsonNamesTheError) {
  std::vector<std::string> args = GetParam().args;
  args.push_back("--json");
  const ChildResult r = Calc(args);
  EXPECT_EQ(r.status, 1);
  const RuntimeError error(GetParam().error);
  EXPECT_NE(r.out.find("\"error\":{\"number\":" + std::to_string(error.Code()) + ",\"text\":\"" +
                       error.what() + "\"}}"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("\"L1\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cli, FailureTest, testing::ValuesIn(kFailures), RowName<FailureRow>);

// ---- server lists --------------------------------------------------------

struct Server {
  std::string line;  // clients,disk,block,files,nw4,compression,suballocation,mirror,other
  CalcInputs inputs;
};

const char* kListHeader = "clients,disk,block,files,nw4,compression,suballocation,mirror,other";

std::vector<Server> GoodServers() {
  std::vector<Server> servers;
  for (const char* disk : {"100", "2048", "4096"}) {
    for (const char* clients : {"5", "101", "251", "1000"}) {
      for (int variant = 0; variant < 3; ++variant) {
        CalcInputs in;
        in.Text_V1 = disk;
        in.Text_V6 = clients;
        if (variant > 0) in.Option_NW4 = -1, in.Option_NW3 = 0;
        if (variant == 1) in.Check_L3 = in.Check_L4 = in.Check_V2 = 1;
        const std::string flags = variant == 0 ? "0,0,0,0" : variant == 1 ? "1,1,1,1" : "1,0,0,0";
        servers.push_back({std::string(clients) + "," + disk + ",4,10000," + flags + ",3000", in});
      }
    }
  }
  CalcInputs quoted;
  quoted.Text_L8 = "2500,5 \"KB\"";
  servers.push_back({"5,100,4,10000,0,0,0,0,\"2500,5 \"\"KB\"\"\"", quoted});
  return servers;
}

struct BadServer {
  const char* line;
  ErrorNumber error;
};

const BadServer kBadServers[] = {
    {"5,100,0,10000,0,0,0,0,3000", ErrorNumber::kDivisionByZero},
    {"5,100,,10000,0,0,0,0,3000", ErrorNumber::kDivisionByZero},
    {"5,2147483648,4,10000,0,0,0,0,3000", ErrorNumber::kOverflow},
    {"42948273,100,4,10000,0,0,0,0,3000", ErrorNumber::kOverflow},
};

struct ListRow {
  const char* name;
  bool withFailures;
  bool commaLocale;
};

const ListRow kLists[] = {
    {"AllGood", false, false},
    {"WithFailures", true, false},
    {"WithFailuresComma", true, true},
};

class ServerListTest : public testing::TestWithParam<ListRow> {};

std::string Cell(const std::vector<std::string>& row, std::size_t index) {
  return index < row.size() ? row[index] : "<missing>";
}

double NumberCell(const std::vector<std::string>& row, std::size_t index) {
  const std::string cell = Cell(row, index);
  double value = std::numeric_limits<double>::quiet_NaN();
  std::from_chars(cell.data(), cell.data() + cell.size(), value);
  return value;
}

void ExpectGoodRow(const std::vector<std::string>& row, const CalcInputs& inputs, char separator) {
  CalcState s;
  std::string text = CalculateMemory(inputs, s, std::string(1, separator));
  const double expected[] = {double(s.L1), s.L2,         double(s.L3), s.L4,      s.L5,
                             double(s.L6), double(s.L7), s.L8,         s.SummeKB, s.SummeMB};
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(NumberCell(row, 9 + i), expected[i]) << i;
  EXPECT_EQ(Cell(row, 19), text);
  EXPECT_EQ(Cell(row, 20), "");
}

TEST_P(ServerListTest, ComputesEveryRowOnItsOwn) {
  if (GetParam().commaLocale) {
    SKIP_WITHOUT_COMMA_LOCALE();
  }
  const std::string locale = GetParam().commaLocale ? CommaLocale() : kPointLocale;
  const std::vector<Server> good = GoodServers();
  std::vector<BadServer> bad;
  if (GetParam().withFailures) bad.assign(std::begin(kBadServers), std::end(kBadServers));
  // Failing rows first; the rows after them must not notice, and the last
  // server, without clients, must get no client share carried over.
  std::string input = std::string(kListHeader) + "\r\n";
  for (const BadServer& server : bad) input += std::string(server.line) + "\r\n";
  for (const Server& server : good) input += server.line + "\r\n";
  input += "0,100,4,10000,0,0,0,0,3000\r\n";

  const ChildResult r = Calc({"--csv", "-"}, locale, input);
  EXPECT_EQ(r.status, bad.empty() ? 0 : 1) << r.err;
  const std::vector<cli::CsvRecord> rows = cli::ParseCsv(r.out);
  ASSERT_EQ(rows.size(), 1 + bad.size() + good.size() + 1);
  EXPECT_EQ(rows[0].fields.size(), 21u);
  const char separator = GetParam().commaLocale ? ',' : '.';
  for (std::size_t i = 0; i < bad.size(); ++i) {
    const RuntimeError error(bad[i].error);
    EXPECT_EQ(Cell(rows[1 + i].fields, 20), std::to_string(error.Code()) + ": " + error.what());
    EXPECT_EQ(Cell(rows[1 + i].fields, 9), "");
    EXPECT_NE(r.err.find("Zeile " + std::to_string(2 + i) + ": "), std::string::npos) << r.err;
  }
  for (std::size_t i = 0; i < good.size(); ++i) {
    SCOPED_TRACE(good[i].line);
    ExpectGoodRow(rows[1 + bad.size() + i].fields, good[i].inputs, separator);
  }
  CalcInputs noClients;
  noClients.Text_V6 = "0";
  EXPECT_EQ(NumberCell(rows.back().fields, 14), 0.0);  // L6
  ExpectGoodRow(rows.back().fields, noClients, separator);
}

INSTANTIATE_TEST_SUITE_P(Cli, ServerListTest, testing::ValuesIn(kLists), RowName<ListRow>);

// ---- bad usage -----------------------------------------------------------

struct UsageRow {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  const char* message;  // part of the message on standard error
};

const UsageRow kUsage[] = {
    {"UnknownOption", {"--foo"}, "", "--foo: unbekannte Option"},
    {"SwitchWithValue", {"--mirror=yes"}, "", "--mirror: nimmt keinen Wert"},
    {"CompressionWithNw3", {"--nw4", "--compression", "--nw3"}, "", "--compression: "},
    {"CompressionAlone", {"--compression"}, "", "compression needs --nw4"},
    {"ValueMissing", {"--disk"}, "", "--disk: Wert fehlt"},
    {"Positional", {"100"}, "", "100: unerwartetes Argument"},
    {"SingleDash", {"-disk", "5"}, "", "-disk: unerwartetes Argument"},
    {"ModeWithValue", {"--explain=1"}, "", "--explain: nimmt keinen Wert"},
    {"TwoModes", {"--json", "--explain"}, "", "--explain: nicht zusammen mit --json"},
    {"CsvWithInputOption", {"--nw4", "--csv", "-"}, "disk\n1\n", "--nw4: nicht zusammen"},
    {"CsvWithJson", {"--csv", "-", "--json"}, "disk\n1\n", "--json: nicht zusammen mit --csv"},
    {"CsvDuplicateColumn", {"--csv", "-"}, "disk,DISK\n1,2\n", "Spalte \"disk\": Spalte doppelt"},
    {"CsvFileMissing", {"--csv", "/nonexistent/servers.csv"}, "", "/nonexistent/servers.csv: "},
    {"CsvUnknownColumn", {"--csv", "-"}, "disk,cpu\n1,2\n", "Spalte \"cpu\": unbekannte Spalte"},
    {"CsvBadSwitch", {"--csv", "-"}, "disk,mirror\n1,0\n1,2\n", "Zeile 3, Spalte mirror"},
    {"CsvCompressionWithoutNw4", {"--csv", "-"}, "compression\n1\n", "Zeile 2, Spalte compression"},
    {"CsvShortRow", {"--csv", "-"}, "disk,block\n100\n", "Zeile 2: 1 Felder statt 2"},
    {"CsvUnclosedQuote", {"--csv", "-"}, "disk\n100\n\"5\n", "Zeile 3: "},
    {"CsvEmpty", {"--csv", "-"}, "", "keine Kopfzeile"},
    {"CsvLineTooLong", {"--csv", "-"}, "disk\n" + std::string(5000, '1') + "\n", "Zeile 2: "},
};

class UsageTest : public testing::TestWithParam<UsageRow> {};

TEST_P(UsageTest, RefusesWithStatusTwoAndNamesTheCulprit) {
  const ChildResult r = Calc(GetParam().args, kPointLocale, GetParam().input);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("vemora-calc: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Cli, UsageTest, testing::ValuesIn(kUsage), RowName<UsageRow>);

}  // namespace
}  // namespace vemora
