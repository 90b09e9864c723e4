// The system-information launcher through advapi32, CreateProcess and
// FindFirstFile; its HKEY_LOCAL_MACHINE entries live under a test key of
// HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "about_window/sysinfo.h"
#include "os/process.h"
#include "support/launcher_rows.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace testing_support;

struct LaunchRow {
  const char* name;
  std::string path;     // the PATH entry, "" for none; "{dir}" is the test's folder
  std::string dir;      // the MSINFO entry, "" for none
  std::string started;  // the program that starts, "" for none: the message instead
  bool secondRead;      // the MSINFO entry was asked for
  std::string lookup;   // the one file looked up, "" for none
};

class StartSysInfoAdvapiTest : public testing::TestWithParam<LaunchRow> {};

TEST_P(StartSysInfoAdvapiTest, StartsTheOneProgramOrShowsTheMessage) {
  const LaunchRow& row = GetParam();
  TempDir dir;
  TestKey key;
  const std::string programs[] = {"prog.exe", "tools\\MSINFO32.EXE"};
  std::filesystem::create_directory(dir / "tools");
  for (const std::string& program : programs) {
    std::filesystem::copy_file(HelperProgram(), dir / program);
  }
  if (!row.path.empty()) key.Set(kPathKey, "PATH", kRegSz, dir.Fill(row.path) + '\0');
  if (!row.dir.empty()) key.Set(kDirKey, "MSINFO", kRegSz, dir.Fill(row.dir) + '\0');
  const std::unique_ptr<Registry> system = CreateSystemRegistry();
  CountingRegistry registry(*system, key.Path());
  RecordingServices services;

  StartSysInfo(services, registry);

  for (const std::string& program : programs) {
    const std::string marker = dir / program + ".started";
    EXPECT_EQ(program == row.started ? Eventually([&] { return Exists(marker); }) : Exists(marker),
              program == row.started)
        << program;
  }
  EXPECT_EQ(services.started.size(), row.started.empty() ? 0u : 1u);
  const std::vector<std::string> message{std::string(kSysInfoUnavailable) + "|0|"};
  EXPECT_EQ(services.messages, row.started.empty() ? message : std::vector<std::string>{});
  EXPECT_EQ(std::ranges::count(registry.requests, std::string(kDirKey)) > 0, row.secondRead);
  std::vector<std::string> lookups;
  if (!row.lookup.empty()) lookups.push_back(dir.Fill(row.lookup));
  EXPECT_EQ(services.lookups, lookups);
  EXPECT_EQ(registry.opens, registry.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartSysInfoAdvapiTest,
    testing::Values(LaunchRow{"PathWithoutLookup", "{dir}\\prog.exe", "{dir}\\tools", "prog.exe",
                              false, ""},
                    LaunchRow{"DirectoryHoldsProgram", "", "{dir}\\tools", "tools\\MSINFO32.EXE",
                              true, "{dir}\\tools\\MSINFO32.EXE"},
                    // Windows reads the doubled separator as one.
                    LaunchRow{"DirectoryEndingInBackslash", "", "{dir}\\tools\\",
                              "tools\\MSINFO32.EXE", true, "{dir}\\tools\\\\MSINFO32.EXE"}),
    RowName<LaunchRow>);

INSTANTIATE_TEST_SUITE_P(Unavailable, StartSysInfoAdvapiTest,
                         testing::Values(LaunchRow{"PathNamesMissingFileNoFallback",
                                                   "{dir}\\missing.exe", "{dir}\\tools", "", false,
                                                   ""},
                                         LaunchRow{"DirectoryLacksProgram", "", "{dir}", "", true,
                                                   "{dir}\\MSINFO32.EXE"},
                                         LaunchRow{"BothMissing", "", "", "", true, ""}),
                         RowName<LaunchRow>);

}  // namespace
}  // namespace vemora
