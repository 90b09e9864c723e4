// The system-information launcher through the registry store, the real
// program start and file lookup, with the message boxes recorded.
#include "about_window/sysinfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "os/process.h"
#include "runtime/runtime_error.h"
#include "support/counting_registry.h"
#include "support/launcher_rows.h"
#include "support/os_helpers.h"
#include "support/row_name.h"
#include "toolkit/toolkit.h"

namespace vemora {
namespace {

using namespace testing_support;

class GetKeyValueTest : public testing::TestWithParam<KeyValueRow> {};

TEST_P(GetKeyValueTest, ReadsTheValueAndClosesTheKey) {
  const KeyValueRow& row = GetParam();
  RegistryStore store;
  store.SetValue(kHkeyLocalMachine, "SOFTWARE\\Test", "V", row.type, row.data);
  CountingRegistry counting(store);
  std::string keyVal = row.keyValOnEntry;
  EXPECT_EQ(GetKeyValue(counting, kHkeyLocalMachine, "SOFTWARE\\" + row.key, row.valueName, keyVal),
            row.result);
  EXPECT_EQ(keyVal, row.keyVal);
  EXPECT_EQ(counting.closeCalls, 1);
  EXPECT_EQ(store.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, testing::ValuesIn(KeyValueRows()),
                         RowName<KeyValueRow>);

class GetKeyValueSizeZeroTest : public testing::TestWithParam<SizeZeroRow> {};

TEST_P(GetKeyValueSizeZeroTest, RaisesInvalidCallAndStillClosesTheKey) {
  RegistryStore store;
  store.SetValue(kHkeyLocalMachine, "SOFTWARE\\Test", "V", GetParam().type, "");
  std::string keyVal = "old";
  try {
    GetKeyValue(store, kHkeyLocalMachine, "SOFTWARE\\Test", "V", keyVal);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Code(), 5);
  }
  EXPECT_EQ(keyVal, "old");
  EXPECT_EQ(store.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Types, GetKeyValueSizeZeroTest, testing::ValuesIn(SizeZeroRows()),
                         RowName<SizeZeroRow>);

class RecordingServices : public Services {
 public:
  int MsgBox(std::string_view text, int style, std::string_view title) override {
    messages.push_back(std::string(text) + "|" + std::to_string(style) + "|" + std::string(title));
    return 1;
  }
  void StartProgram(const std::string& path) override {
    if (!vemora::StartProgram(path)) Raise(ErrorNumber::kFileNotFound);
    started.push_back(path);
  }
  std::string FileLookup(const std::string& path) override {
    lookups.push_back(path);
    return vemora::FileLookup(path);
  }
  void EndProgram() override { ADD_FAILURE() << "the launcher never ends the program"; }
  std::string DecimalSeparator() const override { return ","; }

  std::vector<std::string> messages;  // text|style|title
  std::vector<std::string> started;   // only the starts that succeeded
  std::vector<std::string> lookups;
};

// "{dir}" is the test's directory; a backslash is part of a name here.
struct LaunchRow {
  const char* name;
  std::optional<std::string> path;  // the bytes of the PATH entry (MSINFO key), if any
  std::optional<std::string> dir;   // the bytes of the MSINFO entry (kMsinfoDirectoryKey), if any
  std::string started;              // the program started; "": none, the message instead
  bool secondRead;                  // kMsinfoDirectoryKey was asked for
  std::string lookup = {};          // the one file looked up; "": none
};

class StartSysInfoTest : public testing::TestWithParam<LaunchRow> {};

TEST_P(StartSysInfoTest, StartsTheProgramOrShowsTheOneMessage) {
  const LaunchRow& row = GetParam();
  TempDir dir;
  for (const std::string program : {"prog.exe", "tools\\MSINFO32.EXE", "tools\\\\MSINFO32.EXE"}) {
    WriteMarkerScript(dir / program, dir / (program + ".started"));
  }
  RegistryStore store;
  if (row.path)
    store.SetValue(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, kRegSz, dir.Fill(*row.path));
  if (row.dir)
    store.SetValue(kHkeyLocalMachine, kMsinfoDirectoryKey, kMsinfoDirectoryValue, kRegSz,
                   dir.Fill(*row.dir));
  CountingRegistry registry(store);
  RecordingServices services;

  StartSysInfo(services, registry);

  std::vector<std::string> started, messages, lookups;
  if (!row.started.empty()) {
    started.push_back(dir.Fill(row.started));
    EXPECT_TRUE(WaitForFile(started[0] + ".started"));
  } else {
    messages.push_back("Systeminformationsprogramm zur Zeit nicht verfügbar.|0|");
  }
  if (!row.lookup.empty()) lookups.push_back(dir.Fill(row.lookup));
  EXPECT_EQ(services.started, started);
  EXPECT_EQ(services.messages, messages);
  EXPECT_EQ(services.lookups, lookups);
  const auto& asked = registry.requests;
  EXPECT_EQ(std::count(asked.begin(), asked.end(), kMsinfoDirectoryKey) > 0, row.secondRead);
  EXPECT_EQ(store.OpenHandles(), 0u);
}

using namespace std::string_literals;
const std::string kTools = "{dir}/tools\0"s, kInTools = "{dir}/tools\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Registries, StartSysInfoTest,
    testing::Values(
        LaunchRow{"PathStartsWithoutLookup", "{dir}/prog.exe\0"s, kTools, "{dir}/prog.exe", false},
        LaunchRow{"DirHoldsProgram", {}, kTools, kInTools, true, kInTools},
        // Appended as it stands: the separator is doubled.
        LaunchRow{"DirEndingInBackslashKept",
                  {},
                  "{dir}/tools\\\0"s,
                  "{dir}/tools\\\\MSINFO32.EXE",
                  true,
                  "{dir}/tools\\\\MSINFO32.EXE"},
        LaunchRow{"DirLacksProgram", {}, "{dir}/empty\0"s, "", true, "{dir}/empty\\MSINFO32.EXE"},
        LaunchRow{"BothMissing", {}, {}, "", true},
        // A PATH entry that was read is used alone, even when it is no program.
        LaunchRow{"PathFileMissingNoFallback", "{dir}/missing.exe\0"s, kTools, "", false},
        // Size 0 raises error 5 inside the launcher: the message, no fallback.
        LaunchRow{"PathSizeZeroNoFallback", ""s, kTools, "", false}),
    RowName<LaunchRow>);

// The program's own registry answers with the first system-information
// program on $PATH, looked at afresh on each search: a program installed
// after start-up is found, and the launcher starts it.
TEST(StartSysInfoSystemRegistry, StartsTheProgramFoundOnPath) {
  TempDir dir;
  std::filesystem::create_directory(dir / "bin");
  const char* old = std::getenv("PATH");
  const std::string oldPath = old != nullptr ? old : "";
  ::setenv("PATH", (dir / "bin").c_str(), 1);
  const auto registry = CreateSystemRegistry();
  RecordingServices services;
  StartSysInfo(services, *registry);
  EXPECT_EQ(services.messages.size(), 1u);
  WriteMarkerScript(dir / "bin/kinfocenter", dir / "started");
  StartSysInfo(services, *registry);
  ::setenv("PATH", oldPath.c_str(), 1);
  EXPECT_TRUE(WaitForFile(dir / "started"));
  EXPECT_EQ(services.started, std::vector<std::string>{dir / "bin/kinfocenter"});
  EXPECT_EQ(services.messages.size(), 1u);
}

}  // namespace
}  // namespace vemora
