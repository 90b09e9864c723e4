// The built program, run as a child process: results in both separators, the
// three output modes, server lists and bad usage with their exit statuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "calc/calc.h"
#include "child_process.h"
#include "cli/options.h"
#include "cli/read_all.h"
#include "runtime/runtime_error.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::ChildResult;
using testing_support::CommaLocale;
using testing_support::RowName;
using Args = std::vector<std::string>;
using Shares = std::array<double, 10>;  // L1 .. L8, SummeKB, SummeMB

const std::string kPointLocale = "C.UTF-8";
constexpr auto npos = std::string::npos;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ChildResult Calc(const Args& args, const std::string& locale = kPointLocale,
                 const std::string& input = {}) {
  return testing_support::RunChild(VEMORA_CALC_PATH, args, locale, input);
}

// The comma cases need a locale such as de_DE.UTF-8 (package locales, locale-gen).
#define SKIP_WITHOUT_COMMA_LOCALE() \
  if (CommaLocale().empty()) GTEST_SKIP() << "no locale with a decimal comma installed"

Shares SharesOf(const CalcState& s) {
  return {double(s.L1), s.L2,         double(s.L3), s.L4,      s.L5,
          double(s.L6), double(s.L7), s.L8,         s.SummeKB, s.SummeMB};
}

// The same run through the library, the oracle for shares.
Shares Expected(const Args& args) {
  const std::vector<std::string_view> views(args.begin(), args.end());
  CalcState state;
  CalculateMemory(cli::ParseOptions(views).inputs, state, ".");
  return SharesOf(state);
}

double ParseNumber(std::string text, char separator = '.') {
  std::replace(text.begin(), text.end(), separator, '.');
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() ? value : kNaN;
}

// The JSON number right after `"key":`.
double JsonValue(const std::string& json, const std::string& key) {
  const std::size_t at = json.find("\"" + key + "\":");
  if (at == npos) return kNaN;
  const std::size_t begin = at + key.size() + 3;
  return ParseNumber(json.substr(begin, json.find_first_of(",}", begin) - begin));
}

const char* const kJsonKeys[] = {"L1", "L2", "L3", "L4",      "L5",
                                 "L6", "L7", "L8", "SummeKB", "SummeMB"};
const char* const kExplainNames[] = {"Basis (NetWare-Version)",
                                     "Plattenspeicher",
                                     "Kompression",
                                     "Dateien",
                                     "Volume-Blöcke",
                                     "Clients",
                                     "Fest",
                                     "Andere Anwendungen",
                                     "Summe",
                                     "Summe"};

// The number on the --explain line "name <blanks> number unit"; NaN if none.
double ExplainValue(const std::string& out, std::size_t share, char separator = '.') {
  const std::string name = std::string(kExplainNames[share]) + " ";
  const std::string unit = share == 9 ? " MB" : " KB";
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with(name) || !line.ends_with(unit)) continue;
    line = line.substr(name.size(), line.size() - name.size() - unit.size());
    return ParseNumber(line.substr(line.find_first_not_of(' ')), separator);
  }
  return kNaN;
}

// ---- worked examples -------------------------------------------------------

struct ExampleRow {
  const char* name;
  Args args;
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
    // Texts go to the calculation as typed, like the window's boxes.
    {"FilesWithoutNumber", {"--files", "abc"}, "9.05"},
    // A fresh run: no earlier client share to keep.
    {"NoClients", {"--clients", "0"}, "7.15"},
    {"NegativeDisk", {"--disk", "-20000"}, "-33.06"},
};

class ExampleTest : public testing::TestWithParam<ExampleRow> {};

TEST_P(ExampleTest, ShowsTheResultInBothSeparators) {
  const ChildResult r = Calc(GetParam().args);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string(GetParam().shown) + "\n");
  EXPECT_EQ(r.err, "");
  SKIP_WITHOUT_COMMA_LOCALE();
  std::string comma = GetParam().shown;
  std::replace(comma.begin(), comma.end(), '.', ',');
  const ChildResult c = Calc(GetParam().args, CommaLocale());
  EXPECT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(c.out, comma + "\n");
}

TEST_P(ExampleTest, ExplainAndJsonCarryTheExactShares) {
  Args args = GetParam().args;
  args.push_back("--explain");
  const ChildResult explain = Calc(args);
  ASSERT_EQ(explain.status, 0) << explain.err;
  EXPECT_EQ(explain.out.substr(0, explain.out.find('\n')), GetParam().shown);
  args.back() = "--json";
  const ChildResult json = Calc(args);
  ASSERT_EQ(json.status, 0) << json.err;
  const Shares shares = Expected(GetParam().args);
  for (std::size_t i = 0; i < shares.size(); ++i) {
    EXPECT_EQ(ExplainValue(explain.out, i), shares[i]) << kExplainNames[i];
    EXPECT_EQ(JsonValue(json.out, kJsonKeys[i]), shares[i]) << kJsonKeys[i];
  }
  EXPECT_NE(json.out.find("\"text\":\"" + std::string(GetParam().shown) + "\"}"), npos) << json.out;
}

INSTANTIATE_TEST_SUITE_P(Cli, ExampleTest, testing::ValuesIn(kExamples), RowName<ExampleRow>);

TEST(CliSeparatorTest, ExplainAndJsonFollowTheCommaLocale) {
  SKIP_WITHOUT_COMMA_LOCALE();
  const ChildResult explain = Calc({"--explain"}, CommaLocale());
  EXPECT_EQ(explain.out.substr(0, 4), "9,1\n");
  EXPECT_EQ(ExplainValue(explain.out, 4, ','), Expected({})[4]);
  EXPECT_EQ(ExplainValue(explain.out, 9, ','), 9.104296875);
  // JSON numbers keep the point; only the shown text has the user's separator.
  const ChildResult json = Calc({"--json"}, CommaLocale());
  EXPECT_NE(json.out.find("\"SummeMB\":9.104296875,\"text\":\"9,1\"}"), npos) << json.out;
}

// ---- failing calculations ------------------------------------------------

struct FailureRow {
  const char* name;
  Args args;
  ErrorNumber error;
};

const FailureRow kFailures[] = {
    {"BlockZero", {"--block", "0"}, ErrorNumber::kDivisionByZero},
    {"BlockEmpty", {"--block="}, ErrorNumber::kDivisionByZero},
    {"DiskTooLarge", {"--disk", "2147483648"}, ErrorNumber::kOverflow},
};

class FailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(FailureTest, ReportsTheErrorWithStatusOneAlsoInJson) {
  const RuntimeError error(GetParam().error);
  const std::string number = std::to_string(error.Code());
  const ChildResult r = Calc(GetParam().args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "vemora-calc: Laufzeitfehler " + number + ": " + error.what() + "\n");
  Args args = GetParam().args;
  args.push_back("--json");
  const ChildResult json = Calc(args);
  EXPECT_EQ(json.status, 1);
  EXPECT_NE(
      json.out.find("\"error\":{\"number\":" + number + ",\"text\":\"" + error.what() + "\"}}"),
      npos)
      << json.out;
  EXPECT_EQ(json.out.find("\"L1\""), npos);
}

INSTANTIATE_TEST_SUITE_P(Cli, FailureTest, testing::ValuesIn(kFailures), RowName<FailureRow>);

// ---- server lists --------------------------------------------------------

struct Server {
  std::string line;  // clients,disk,block,files,nw4,compression,suballocation,mirror,other
  CalcInputs inputs;
};

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
  // Last, without clients: no client share may be carried over.
  CalcInputs noClients;
  noClients.Text_V6 = "0";
  servers.push_back({"0,100,4,10000,0,0,0,0,3000", noClients});
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
};

struct ListRow {
  const char* name;
  bool withFailures;
  bool commaLocale;
};

class ServerListTest : public testing::TestWithParam<ListRow> {};

TEST_P(ServerListTest, ComputesEveryRowOnItsOwn) {
  if (GetParam().commaLocale) {
    SKIP_WITHOUT_COMMA_LOCALE();
  }
  const std::vector<Server> good = GoodServers();
  std::vector<BadServer> bad;
  if (GetParam().withFailures) bad.assign(std::begin(kBadServers), std::end(kBadServers));
  // Failing rows first; the rows after them must not notice.
  std::string input = "clients,disk,block,files,nw4,compression,suballocation,mirror,other\r\n";
  for (const BadServer& server : bad) input += std::string(server.line) + "\r\n";
  for (const Server& server : good) input += server.line + "\r\n";

  const ChildResult r =
      Calc({"--csv", "-"}, GetParam().commaLocale ? CommaLocale() : kPointLocale, input);
  EXPECT_EQ(r.status, bad.empty() ? 0 : 1) << r.err;
  const std::vector<cli::CsvRecord> rows = cli::ReadAll(r.out);
  ASSERT_EQ(rows.size(), 1 + bad.size() + good.size());
  for (const cli::CsvRecord& row : rows) ASSERT_EQ(row.fields.size(), 21u) << row.line;
  for (std::size_t i = 0; i < bad.size(); ++i) {
    const RuntimeError error(bad[i].error);
    EXPECT_EQ(rows[1 + i].fields[20], std::to_string(error.Code()) + ": " + error.what());
    EXPECT_EQ(rows[1 + i].fields[9], "");
    EXPECT_NE(r.err.find("Zeile " + std::to_string(2 + i) + ": "), npos) << r.err;
  }
  for (std::size_t i = 0; i < good.size(); ++i) {
    SCOPED_TRACE(good[i].line);
    const std::vector<std::string>& row = rows[1 + bad.size() + i].fields;
    CalcState s;
    const std::string text = CalculateMemory(good[i].inputs, s, GetParam().commaLocale ? "," : ".");
    const Shares shares = SharesOf(s);
    for (std::size_t c = 0; c < shares.size(); ++c) EXPECT_EQ(ParseNumber(row[9 + c]), shares[c]);
    EXPECT_EQ(row[19], text);
    EXPECT_EQ(row[20], "");
  }
  EXPECT_EQ(ParseNumber(rows.back().fields[14]), 0.0);  // L6 of the server without clients
}

INSTANTIATE_TEST_SUITE_P(Cli, ServerListTest,
                         testing::Values(ListRow{"AllGood", false, false},
                                         ListRow{"WithFailures", true, false},
                                         ListRow{"WithFailuresComma", true, true}),
                         RowName<ListRow>);

// ---- bad usage -----------------------------------------------------------

struct UsageRow {
  const char* name;
  Args args;
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
    {"CsvFileMissing", {"--csv", "/nonexistent/servers.csv"}, "", "/nonexistent/servers.csv: "},
    // One list fault each from the reader and the columns; the rest are tested in-process.
    {"CsvLineTooLong", {"--csv", "-"}, "disk\n" + std::string(5000, '1') + "\n", "Zeile 2: "},
    {"CsvUnknownColumn", {"--csv", "-"}, "disk,cpu\n1,2\n", "Spalte \"cpu\": unbekannte Spalte"},
    {"ControlBytesInOptionEscaped", {"--\x1b]0;x\x07"}, "", "--\\x1b]0;x\\x07: unbekannte Option"},
};

class UsageTest : public testing::TestWithParam<UsageRow> {};

TEST_P(UsageTest, RefusesWithStatusTwoAndNamesTheCulprit) {
  const ChildResult r = Calc(GetParam().args, kPointLocale, GetParam().input);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("vemora-calc: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(GetParam().message), npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Cli, UsageTest, testing::ValuesIn(kUsage), RowName<UsageRow>);

}  // namespace
}  // namespace vemora
