// One invocation from arguments to output texts and exit status, in-process.
#include "cli/run.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/row_name.h"

namespace vemora::cli {
namespace {

using testing_support::RowName;

struct RunRow {
  const char* name;
  std::vector<std::string_view> args;
  std::string out;
  std::string err = {};
  int status = kExitSuccess;
  const char* separator = ".";
  std::string input = {};  // what the list source "-" holds
};

class RunTest : public testing::TestWithParam<RunRow> {};

TEST_P(RunTest, GivesTheTextsAndTheStatus) {
  const RunRow& row = GetParam();
  std::ostringstream out, err;
  const int status = cli::Run(
      row.args, row.separator,
      [&](const std::string& source) {
        EXPECT_EQ(source, "-");
        return std::make_unique<std::istringstream>(row.input);
      },
      out, err);
  EXPECT_EQ(out.str(), row.out);
  EXPECT_EQ(err.str(), row.err);
  EXPECT_EQ(status, row.status);
}

INSTANTIATE_TEST_SUITE_P(
    Results, RunTest,
    testing::Values(
        // Every input option once, as two words.
        RunRow{
            "EveryOptionExplained",
            {"--disk", "4096", "--mirror", "--block", "64", "--clients", "250", "--files", "100000",
             "--nw4", "--compression", "--suballocation", "--other", "3000", "--explain"},
            "80,22\n\n"
            "Basis (NetWare-Version)          5120 KB\n"
            "Plattenspeicher                 409,6 KB\n"
            "Kompression                       250 KB\n"
            "Dateien                          1100 KB\n"
            "Volume-Blöcke                 262,144 KB\n"
            "Clients                         70000 KB\n"
            "Fest                             2000 KB\n"
            "Andere Anwendungen               3000 KB\n"
            "Summe                       82141,744 KB\n"
            "Summe                    80,216546875 MB\n",
            "",
            0,
            ","},
        RunRow{"ValuesAfterEquals",
               {"--disk=2048", "--block=16", "--clients=1000", "--files=200000", "--nw4",
                "--suballocation", "--other=2500"},
               "129.95\n"},
        // A fresh run: no client share of an earlier one. JSON numbers keep the point.
        RunRow{"NoClientsAsJson",
               {"--clients", "0", "--json"},
               "{\"inputs\":{\"disk\":\"100\",\"mirror\":false,\"block\":\"4\",\"clients\":\"0\","
               "\"files\":\"10000\",\"nw4\":false,\"compression\":false,\"suballocation\":false,"
               "\"other\":\"3000\"},\"L1\":2048,\"L2\":10,\"L3\":0,\"L4\":60,\"L5\":204.8,\"L6\":0,"
               "\"L7\":2000,\"L8\":3000,\"SummeKB\":7322.8,\"SummeMB\":7.151171875,"
               "\"text\":\"7,15\"}\n",
               "",
               0,
               ","},
        // Rows are computed each on its own; a failing one is named and the others stay.
        RunRow{"ServerList",
               {"--csv", "-"},
               "disk,mirror,block,clients,files,nw4,compression,suballocation,other,L1,L2,L3,L4,"
               "L5,L6,L7,L8,SummeKB,SummeMB,text,error\n"
               "100,0,0,5,10000,0,0,0,3000,,,,,,,,,,,,11: Division durch Null\n"
               "4096,0,64,250,10000,1,1,0,\"2500,5\",5120,409.6,250,60,524.288,70000,2000,2500,"
               "80863.888,78.968640625,\"78,97\",\n"
               "100,0,4,0,10000,0,0,0,3000,2048,10,0,60,204.8,0,2000,3000,7322.8,7.151171875,"
               "\"7,15\",\n",
               "vemora-calc: Zeile 2: 11: Division durch Null\n",
               kExitCalculationFailed,
               ",",
               "clients,disk,block,nw4,compression,other\r\n5,100,0,0,0,3000\r\n"
               "250,4096,64,1,1,\"2500,5\"\r\n0,100,4,0,0,3000\r\n"}),
    RowName<RunRow>);

INSTANTIATE_TEST_SUITE_P(
    Failures, RunTest,
    testing::Values(RunRow{"BlockZero",
                           {"--block", "0"},
                           "",
                           "vemora-calc: Laufzeitfehler 11: Division durch Null\n",
                           kExitCalculationFailed},
                    RunRow{
                        "DiskTooLargeAsJson",
                        {"--disk", "2147483648", "--json"},
                        "{\"inputs\":{\"disk\":\"2147483648\",\"mirror\":false,\"block\":\"4\","
                        "\"clients\":\"5\",\"files\":\"10000\",\"nw4\":false,\"compression\":false,"
                        "\"suballocation\":false,\"other\":\"3000\"},"
                        "\"error\":{\"number\":6,\"text\":\"Überlauf\"}}\n",
                        "vemora-calc: Laufzeitfehler 6: Überlauf\n",
                        kExitCalculationFailed}),
    RowName<RunRow>);

// Bad usage: nothing on standard output, the message and the help hint.
RunRow Usage(const char* name, std::vector<std::string_view> args, const std::string& message) {
  return {name, std::move(args), "",
          "vemora-calc: " + message + "\nHilfe (help): vemora-calc --help\n", kExitUsage};
}

INSTANTIATE_TEST_SUITE_P(
    Usage, RunTest,
    testing::Values(
        Usage("UnknownOption", {"--foo"}, "--foo: unbekannte Option (unknown option)"),
        Usage("SwitchWithValue", {"--mirror=yes"}, "--mirror: nimmt keinen Wert (takes no value)"),
        Usage("CompressionWithNw3", {"--nw4", "--compression", "--nw3"},
              "--compression: Kompression gibt es nur mit --nw4 (compression needs --nw4)"),
        Usage("ModeWithValue", {"--explain=1"}, "--explain: nimmt keinen Wert (takes no value)"),
        Usage("ValueMissing", {"--disk"}, "--disk: Wert fehlt (value missing)"),
        Usage("SingleDash", {"-disk", "5"}, "-disk: unerwartetes Argument (unexpected argument)"),
        Usage("TwoModes", {"--json", "--explain"},
              "--explain: nicht zusammen mit --json (not together with --json)"),
        Usage("CsvWithInputOption", {"--nw4", "--csv", "-"},
              "--nw4: nicht zusammen mit --csv, die Werte stehen in den Spalten (not with --csv, "
              "the values are columns)"),
        // A lone 0x9b is a terminal command in a Latin-1 locale; valid UTF-8 stays.
        Usage("BytesOutsideUtf8Escaped",
              {"--\x9b"
               "2J\xc3\xbc\xe2\x82"},
              "--\\x9b2J\xc3\xbc\\xe2\\x82: unbekannte Option (unknown option)")),
    RowName<RunRow>);

}  // namespace
}  // namespace vemora::cli
