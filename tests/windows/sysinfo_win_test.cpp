// GetKeyValue and the system-information launcher through advapi32,
// CreateProcess and FindFirstFile, on the tables the store runs on Linux:
// values written at exact byte sizes must read alike. The launcher's
// HKEY_LOCAL_MACHINE entries live under a test key of HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "about_window/sysinfo.h"
#include "support/counting_registry.h"
#include "support/launcher_rows.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace testing_support;

class GetKeyValueAdvapiTest : public testing::TestWithParam<KeyValueRow> {};

TEST_P(GetKeyValueAdvapiTest, ReadsTheValueAndClosesTheKey) {
  const KeyValueRow& row = GetParam();
  TestKey key;
  key.Set("Test", "V", row.type, row.data);
  const std::unique_ptr<Registry> system = CreateSystemRegistry();
  CountingRegistry counting(*system);
  std::string keyVal = row.keyValOnEntry;
  EXPECT_EQ(
      GetKeyValue(counting, kHkeyCurrentUser, key.Path() + "\\" + row.key, row.valueName, keyVal),
      row.result);
  EXPECT_EQ(keyVal, row.keyVal);
  EXPECT_EQ(counting.opens, counting.closes);
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueAdvapiTest, testing::ValuesIn(KeyValueRows()),
                         RowName<KeyValueRow>);

class StartSysInfoAdvapiTest : public testing::TestWithParam<LaunchRow> {};

TEST_P(StartSysInfoAdvapiTest, StartsTheProgramOrShowsTheOneMessage) {
  const LaunchRow& row = GetParam();
  TempDir dir;
  TestKey key;
  std::filesystem::create_directory(dir / "tools");
  for (const std::string& program : kLaunchPrograms) {
    // The doubled separator names the same file as the single one.
    if (!Exists(dir.Fill("{dir}/" + program))) {
      std::filesystem::copy_file(HelperProgram(), dir.Fill("{dir}/" + program));
    }
  }
  if (row.path)
    key.Set(std::string(kMsinfoKey), std::string(kMsinfoValue), kRegSz, dir.Fill(*row.path));
  if (row.dir)
    key.Set(std::string(kMsinfoDirectoryKey), std::string(kMsinfoDirectoryValue), kRegSz,
            dir.Fill(*row.dir));
  const std::unique_ptr<Registry> system = CreateSystemRegistry();
  CountingRegistry registry(*system, kHkeyCurrentUser, key.Path());
  RecordingServices services;

  StartSysInfo(services, services, registry);

  ExpectLaunch(row, dir, services, registry.requests);
  EXPECT_EQ(registry.opens, registry.closes);
}

INSTANTIATE_TEST_SUITE_P(Registries, StartSysInfoAdvapiTest, testing::ValuesIn(LaunchRows()),
                         RowName<LaunchRow>);

}  // namespace
}  // namespace vemora
