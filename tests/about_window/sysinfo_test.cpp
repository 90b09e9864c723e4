// The system-information launcher through the real registry store, the real
// program start and file lookup, with the message boxes recorded.
#include "about_window/sysinfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "os/process.h"
#include "runtime/runtime_error.h"
#include "support/launcher_rows.h"
#include "support/os_helpers.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using testing_support::Exists;
using testing_support::kDirKey;
using testing_support::KeyValueRow;
using testing_support::KeyValueRows;
using testing_support::kPathKey;
using testing_support::RecordingServices;
using testing_support::RowName;
using testing_support::TempDir;
using testing_support::WaitForFile;
using testing_support::WriteMarkerScript;

std::string InDir(std::string text, const std::string& dir) {
  for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}", at)) {
    text.replace(at, 5, dir);
  }
  return text;
}

// --- GetKeyValue ------------------------------------------------------------

class GetKeyValueTest : public testing::TestWithParam<KeyValueRow> {};

TEST_P(GetKeyValueTest, ReadsTheValueAndClosesTheKey) {
  const KeyValueRow& row = GetParam();
  RegistryStore store;
  store.SetValue(kHkeyLocalMachine, "SOFTWARE\\Test", "V", row.type, row.data);
  std::string keyVal = row.keyValOnEntry;
  EXPECT_EQ(GetKeyValue(store, kHkeyLocalMachine, "SOFTWARE\\" + row.key, row.valueName, keyVal),
            row.result);
  EXPECT_EQ(keyVal, row.keyVal);
  EXPECT_EQ(store.CloseCalls(), 1);
  EXPECT_EQ(store.Opens(), store.Closes());
  EXPECT_EQ(store.OpenHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, testing::ValuesIn(KeyValueRows()),
                         RowName<KeyValueRow>);

struct SizeZeroRow {
  const char* name;
  std::uint32_t type;
};

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
  EXPECT_EQ(store.Opens(), store.Closes());
}

INSTANTIATE_TEST_SUITE_P(Types, GetKeyValueSizeZeroTest,
                         testing::Values(SizeZeroRow{"Text", 1}, SizeZeroRow{"Expand", 2},
                                         SizeZeroRow{"Binary", 3}, SizeZeroRow{"Dword", 4}),
                         RowName<SizeZeroRow>);

// --- StartSysInfo -----------------------------------------------------------

struct Entry {
  const char* key;  // kPathKey ("PATH") or kDirKey ("MSINFO")
  std::uint32_t type;
  std::string data;  // "{dir}" is the test's directory
};

Entry Path(std::uint32_t type, std::string data) {
  return {kPathKey, type, std::move(data)};
}
Entry Dir(std::uint32_t type, std::string data) {
  return {kDirKey, type, std::move(data)};
}

// Scripts made in {dir} for every row; program i leaves "started<i>".
const std::vector<std::string> kPrograms{"prog", "tools\\MSINFO32.EXE", "tools\\\\MSINFO32.EXE",
                                         "a b'c;$(touch x)"};

struct LaunchRow {
  const char* name;
  std::vector<Entry> entries;
  int started;  // which program starts; -1: none, the message instead
  bool secondRead;
  std::string lookup = {};  // the one file looked up; "": none
};

class StartSysInfoTest : public testing::TestWithParam<LaunchRow> {
 protected:
  StartSysInfoTest() : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.Path());  // a shell would run "touch x" here
  }
  ~StartSysInfoTest() override { std::filesystem::current_path(old_); }

  TempDir dir_;

 private:
  std::filesystem::path old_;
};

TEST_P(StartSysInfoTest, StartsTheProgramOrShowsTheOneMessage) {
  const LaunchRow& row = GetParam();
  const std::string dir = dir_.Path();
  for (std::size_t i = 0; i < kPrograms.size(); ++i) {
    WriteMarkerScript(dir_ / kPrograms[i], dir_ / ("started" + std::to_string(i)));
  }
  RegistryStore store;
  for (const Entry& entry : row.entries) {
    const char* value = entry.key == kPathKey ? "PATH" : "MSINFO";
    store.SetValue(kHkeyLocalMachine, entry.key, value, entry.type, InDir(entry.data, dir));
  }
  RecordingServices services;

  StartSysInfo(services, store);

  if (row.started >= 0) {
    EXPECT_TRUE(WaitForFile(dir_ / ("started" + std::to_string(row.started))));
  }
  EXPECT_EQ(services.started.size(), row.started >= 0 ? 1u : 0u);
  const std::vector<std::string> messages{
      "Systeminformationsprogramm zur Zeit nicht verfügbar.|0|"};
  EXPECT_EQ(services.messages, row.started >= 0 ? std::vector<std::string>{} : messages);
  bool secondRead = false;
  for (const std::string& key : store.OpenRequests()) secondRead |= key == kDirKey;
  EXPECT_EQ(secondRead, row.secondRead);
  std::vector<std::string> lookups;
  if (!row.lookup.empty()) lookups.push_back(InDir(row.lookup, dir));
  EXPECT_EQ(services.lookups, lookups);
  EXPECT_EQ(store.Opens(), store.Closes());
  EXPECT_EQ(store.OpenHandles(), 0u);
  EXPECT_FALSE(Exists(dir_ / "x"));
}

const std::string kProg = "{dir}/prog\0"s;
const std::string kTools = "{dir}/tools\0"s;
const std::string kToolsLookup = "{dir}/tools\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Registries, StartSysInfoTest,
    testing::Values(
        LaunchRow{"PathStartsWithoutLookup", {Path(1, kProg), Dir(1, kTools)}, 0, false},
        LaunchRow{"PathShellCharsAreOneName", {Path(1, "{dir}/a b'c;$(touch x)\0"s)}, 3, false},
        LaunchRow{"DirHoldsProgram", {Dir(1, kTools)}, 1, true, kToolsLookup},
        LaunchRow{"DirEndingInBackslashKept",
                  {Dir(1, "{dir}/tools\\\0"s)},
                  2,
                  true,
                  "{dir}/tools\\\\MSINFO32.EXE"},
        LaunchRow{"PathTooLongCountsAsMissing",
                  {Path(1, "{dir}/prog" + std::string(1100, '\0')), Dir(1, kTools)},
                  1,
                  true,
                  kToolsLookup},
        LaunchRow{
            "DirLacksProgram", {Dir(1, "{dir}/empty\0"s)}, -1, true, "{dir}/empty\\MSINFO32.EXE"},
        LaunchRow{"BothMissing", {}, -1, true},
        LaunchRow{"PathEmptyNoFallback", {Path(1, "\0"s), Dir(1, kTools)}, -1, false},
        LaunchRow{"PathSizeZeroNoFallback", {Path(1, ""), Dir(1, kTools)}, -1, false},
        LaunchRow{
            "PathFileMissingNoFallback", {Path(1, "{dir}/missing\0"s), Dir(1, kTools)}, -1, false},
        LaunchRow{"PathZeroInside", {Path(1, "{dir}/prog\0x\0"s)}, -1, false},
        LaunchRow{"PathExpandTextGivesEmpty", {Path(2, kProg), Dir(1, kTools)}, -1, false},
        LaunchRow{"PathBinaryGivesEmpty", {Path(3, kProg), Dir(1, kTools)}, -1, false},
        LaunchRow{
            "PathDwordGivesHexText", {Path(4, "\x02\x01\x00\x00"s), Dir(1, kTools)}, -1, false}),
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
