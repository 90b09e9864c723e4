// The system-information launcher through the registry store, the real
// program start and file lookup, with the message boxes recorded.
#include "about_window/sysinfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/counting_registry.h"
#include "support/launcher_rows.h"
#include "support/os_helpers.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using namespace testing_support;

class GetKeyValueTest : public testing::TestWithParam<KeyValueRow> {};

TEST_P(GetKeyValueTest, ReadsTheValueAndClosesTheKey) {
  const KeyValueRow& row = GetParam();
  RegistryStore store;
  store.SetValue(kHkeyLocalMachine, "SOFTWARE\\Test", "V", row.type, row.data);
  std::string keyVal = row.keyValOnEntry;
  EXPECT_EQ(GetKeyValue(store, kHkeyLocalMachine, "SOFTWARE\\" + row.key, row.valueName, keyVal),
            row.result);
  EXPECT_EQ(keyVal, row.keyVal);
  EXPECT_EQ(store.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, testing::ValuesIn(KeyValueRows()),
                         RowName<KeyValueRow>);

class StartSysInfoTest : public testing::TestWithParam<LaunchRow> {};

TEST_P(StartSysInfoTest, StartsTheProgramOrShowsTheOneMessage) {
  const LaunchRow& row = GetParam();
  TempDir dir;
  for (const std::string& program : kLaunchPrograms) {
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

  StartSysInfo(services, services, registry);

  ExpectLaunch(row, dir, services, registry.requests);
  EXPECT_EQ(store.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Registries, StartSysInfoTest, testing::ValuesIn(LaunchRows()),
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
  StartSysInfo(services, services, *registry);
  EXPECT_EQ(services.messages.size(), 1u);
  WriteMarkerScript(dir / "bin/kinfocenter", dir / "started");
  StartSysInfo(services, services, *registry);
  ::setenv("PATH", oldPath.c_str(), 1);
  EXPECT_TRUE(WaitForFile(dir / "started"));
  EXPECT_EQ(services.started, std::vector<std::string>{dir / "bin/kinfocenter"});
  EXPECT_EQ(services.messages.size(), 1u);
}

}  // namespace
}  // namespace vemora
