// The system-information launcher through advapi32, CreateProcess and
// FindFirstFile. The entries live under a test key of HKEY_CURRENT_USER; a
// thin layer sends the launcher's HKEY_LOCAL_MACHINE there.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "about_window/sysinfo.h"
#include "platform/process.h"
#include "support/launcher_rows.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using testing_support::CopyMarkerProgram;
using testing_support::Exists;
using testing_support::InDir;
using testing_support::RowName;
using testing_support::TempDir;
using testing_support::TestKey;
using testing_support::WaitForFile;

constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;

// advapi32, with HKEY_LOCAL_MACHINE\X read from HKEY_CURRENT_USER\<test key>\X.
class RedirectedRegistry : public Registry {
 public:
  explicit RedirectedRegistry(std::string base) : base_(std::move(base)) {}
  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override {
    requests.push_back(subKey);
    if (root != kHkeyLocalMachine) return kErrorFileNotFound;
    const std::int32_t status =
        inner_->OpenKey(kHkeyCurrentUser, base_ + "\\" + subKey, options, access, key);
    opens += status == kErrorSuccess;
    return status;
  }
  std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                          std::uint32_t& size) override {
    return inner_->QueryValue(key, valueName, type, data, size);
  }
  std::int32_t CloseKey(RegKey key) override {
    const std::int32_t status = inner_->CloseKey(key);
    closes += status == kErrorSuccess;
    return status;
  }

  std::vector<std::string> requests;  // every key asked for
  int opens = 0, closes = 0;

 private:
  std::string base_;
  std::unique_ptr<Registry> inner_ = CreateSystemRegistry();
};

using testing_support::kDirKey;
using testing_support::kPathKey;
using testing_support::RecordingServices;

struct Entry {
  const char* key;  // kPathKey ("PATH") or kDirKey ("MSINFO")
  std::uint32_t type;
  std::string data;  // "{dir}" is the test's folder
};

Entry Path(std::uint32_t type, std::string data) {
  return {kPathKey, type, std::move(data)};
}
Entry Dir(std::uint32_t type, std::string data) {
  return {kDirKey, type, std::move(data)};
}

struct LaunchRow {
  const char* name;
  std::vector<Entry> entries;
  std::vector<std::string> programs;  // copies of the marker program below {dir}
  int started;                        // which program starts; -1: none, the message instead
  bool secondRead;
  std::vector<std::string> lookups;
};

class StartSysInfoAdvapiTest : public testing::TestWithParam<LaunchRow> {};

TEST_P(StartSysInfoAdvapiTest, StartsTheProgramOrShowsTheOneMessage) {
  const LaunchRow& row = GetParam();
  TempDir dir;
  TestKey key;
  for (const std::string& program : row.programs) {
    std::filesystem::create_directories(std::filesystem::path(dir / program).parent_path());
    CopyMarkerProgram(dir / program);
  }
  for (const Entry& entry : row.entries) {
    const char* value = entry.key == kPathKey ? "PATH" : "MSINFO";
    ASSERT_EQ(key.Set(entry.key, value, entry.type, InDir(entry.data, dir.Path())), ERROR_SUCCESS);
  }
  RedirectedRegistry registry(key.Path());
  RecordingServices services;

  StartSysInfo(services, registry);

  if (row.started >= 0) {
    EXPECT_TRUE(WaitForFile(dir / (row.programs[row.started] + ".started")));
    EXPECT_EQ(services.started.size(), 1u);
    EXPECT_TRUE(services.messages.empty());
  } else {
    EXPECT_TRUE(services.started.empty());
    EXPECT_EQ(services.messages,
              std::vector<std::string>{std::string(kSysInfoUnavailable) + "|0|"});
  }
  for (std::size_t i = 0; i < row.programs.size(); ++i) {
    if (static_cast<int>(i) == row.started) continue;
    EXPECT_FALSE(Exists(dir / (row.programs[i] + ".started"))) << row.programs[i];
  }
  bool secondRead = false;
  for (const std::string& request : registry.requests) secondRead |= request == kDirKey;
  EXPECT_EQ(secondRead, row.secondRead);
  std::vector<std::string> lookups;
  for (const std::string& lookup : row.lookups) lookups.push_back(InDir(lookup, dir.Path()));
  EXPECT_EQ(services.lookups, lookups);
  EXPECT_EQ(registry.opens, registry.closes);
}

const std::string kTools = "{dir}\\tools\0"s;
const std::string kToolsProgram = "tools\\MSINFO32.EXE";
const std::string kToolsLookup = "{dir}\\tools\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Registries, StartSysInfoAdvapiTest,
    testing::Values(
        LaunchRow{"PathStartsWithoutLookup",
                  {Path(1, "{dir}\\prog.exe\0"s), Dir(1, kTools)},
                  {"prog.exe", kToolsProgram},
                  0,
                  false,
                  {}},
        LaunchRow{"PathWithBlanks",
                  {Path(1, "{dir}\\Program Files\\a b.exe\0"s)},
                  {"Program Files\\a b.exe"},
                  0,
                  false,
                  {}},
        LaunchRow{
            "DirectoryHoldsProgram", {Dir(1, kTools)}, {kToolsProgram}, 0, true, {kToolsLookup}},
        // Windows reads the doubled separator as one.
        LaunchRow{"DirectoryEndingInBackslash",
                  {Dir(1, "{dir}\\tools\\\0"s)},
                  {kToolsProgram},
                  0,
                  true,
                  {"{dir}\\tools\\\\MSINFO32.EXE"}},
        LaunchRow{"ProgramNameInOtherCase",
                  {Dir(1, kTools)},
                  {"tools\\msinfo32.exe"},
                  0,
                  true,
                  {kToolsLookup}},
        LaunchRow{"PathLongerThanBufferCountsAsMissing",
                  {Path(1, "{dir}\\prog.exe" + std::string(1100, '\0')), Dir(1, kTools)},
                  {"prog.exe", kToolsProgram},
                  1,
                  true,
                  {kToolsLookup}},
        LaunchRow{"DirectoryLacksProgram",
                  {Dir(1, "{dir}\\empty\0"s)},
                  {kToolsProgram},
                  -1,
                  true,
                  {"{dir}\\empty\\MSINFO32.EXE"}},
        LaunchRow{"BothMissing", {}, {kToolsProgram}, -1, true, {}},
        LaunchRow{"PathSizeZeroNoFallback",
                  {Path(1, ""), Dir(1, kTools)},
                  {kToolsProgram},
                  -1,
                  false,
                  {}},
        LaunchRow{"PathNamesMissingFileNoFallback",
                  {Path(1, "{dir}\\missing.exe\0"s), Dir(1, kTools)},
                  {kToolsProgram},
                  -1,
                  false,
                  {}},
        LaunchRow{"PathExpandTextGivesEmptyPath",
                  {Path(2, "{dir}\\prog.exe\0"s), Dir(1, kTools)},
                  {"prog.exe", kToolsProgram},
                  -1,
                  false,
                  {}},
        LaunchRow{"PathDwordGivesHexText",
                  {Path(4, "\x02\x01\x00\x00"s), Dir(1, kTools)},
                  {"prog.exe", kToolsProgram},
                  -1,
                  false,
                  {}},
        LaunchRow{"DirectoryExpandTextGivesBareName",
                  {Dir(2, kTools)},
                  {kToolsProgram},
                  -1,
                  true,
                  {"\\MSINFO32.EXE"}}),
    RowName<LaunchRow>);

}  // namespace
}  // namespace vemora
