// The registry of Windows itself (advapi32) against the in-process store
// that stands in for it elsewhere: the same values, written with exact byte
// sizes, must read back alike through both, and through GetKeyValue.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "about_window/sysinfo.h"
#include "platform/registry.h"
#include "platform/runtime_error.h"
#include "support/launcher_rows.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using testing_support::RowName;
using testing_support::TestKey;

constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
constexpr std::uint32_t kAccess = 0x2003F;  // what GetKeyValue asks for

// Passes every call on and counts the handles that were opened and closed.
class CountingRegistry : public Registry {
 public:
  explicit CountingRegistry(Registry& inner) : inner_(inner) {}
  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override {
    const std::int32_t status = inner_.OpenKey(root, subKey, options, access, key);
    opens += status == kErrorSuccess;
    return status;
  }
  std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                          std::uint32_t& size) override {
    return inner_.QueryValue(key, valueName, type, data, size);
  }
  std::int32_t CloseKey(RegKey key) override {
    const std::int32_t status = inner_.CloseKey(key);
    closes += status == kErrorSuccess;
    return status;
  }
  int opens = 0;
  int closes = 0;

 private:
  Registry& inner_;
};

// The same value in the real registry and in a store, below one key path.
class BothRegistries {
 public:
  BothRegistries() : system_(CreateSystemRegistry()) {}
  void Set(const std::string& subKey, const std::string& name, std::uint32_t type,
           const std::string& bytes) {
    ASSERT_EQ(key_.Set(subKey, name, type, bytes), ERROR_SUCCESS);
    store_.SetValue(kHkeyCurrentUser, Path(subKey), name, type, bytes);
  }
  std::string Path(const std::string& subKey) const {
    return subKey.empty() ? key_.Path() : key_.Path() + "\\" + subKey;
  }
  Registry& System() { return *system_; }
  RegistryStore& Store() { return store_; }

 private:
  TestKey key_;
  std::unique_ptr<Registry> system_;
  RegistryStore store_;
};

// What one query answered.
struct Answer {
  std::int32_t openStatus = -1;
  std::int32_t status = -1;
  std::uint32_t type = 0xFFFFFFFF;
  std::uint32_t size = 0;
  std::string data;  // the bytes read, on success
  bool overran = false;

  bool operator==(const Answer&) const = default;
};

Answer Query(Registry& registry, const std::string& path, const std::string& valueName,
             std::uint32_t bufferSize) {
  Answer answer;
  RegKey key = 0;
  answer.openStatus = registry.OpenKey(kHkeyCurrentUser, path, 0, kAccess, key);
  if (answer.openStatus != kErrorSuccess) return answer;
  std::string buffer(bufferSize + 1, '\x7f');
  answer.size = bufferSize;
  answer.status = registry.QueryValue(key, valueName, answer.type, buffer.data(), answer.size);
  if (answer.status == kErrorSuccess) answer.data = buffer.substr(0, answer.size);
  if (answer.status == kErrorFileNotFound) answer.type = 0xFFFFFFFF;  // left as it was
  answer.overran = buffer[bufferSize] != '\x7f';
  EXPECT_EQ(registry.CloseKey(key), kErrorSuccess);
  return answer;
}

// --- The store answers as advapi32 does --------------------------------------

struct ValueRow {
  const char* name;
  std::uint32_t type;
  std::string bytes;
  std::uint32_t buffer;
  std::int32_t status;  // what both registries answer
};

class StoreMatchesAdvapiTest : public testing::TestWithParam<ValueRow> {};

TEST_P(StoreMatchesAdvapiTest, SameStatusTypeSizeAndBytes) {
  const ValueRow& row = GetParam();
  BothRegistries registries;
  registries.Set("Values", "V", row.type, row.bytes);
  const std::string path = registries.Path("Values");
  const Answer system = Query(registries.System(), path, "V", row.buffer);
  const Answer store = Query(registries.Store(), path, "V", row.buffer);
  EXPECT_EQ(system.status, row.status);
  EXPECT_EQ(system, store);
  if (row.status == kErrorSuccess) {
    EXPECT_EQ(system.data, row.bytes);
    EXPECT_EQ(system.type, row.type);
  }
}

const std::string kFull(1024, 'a');

INSTANTIATE_TEST_SUITE_P(
    Values, StoreMatchesAdvapiTest,
    testing::Values(ValueRow{"TextWithTerminator", kRegSz, "ABCDEFGHI\0"s, 1024, 0},
                    ValueRow{"TextWithoutTerminator", kRegSz, "ABCDEFGHI", 1024, 0},
                    ValueRow{"TextZeroInside", kRegSz, "AB\0CD\0"s, 1024, 0},
                    ValueRow{"TextSizeZero", kRegSz, "", 1024, 0},
                    ValueRow{"ExpandText", kRegExpandSz, "C:\\x\0"s, 1024, 0},
                    ValueRow{"TextBeyondAscii", kRegSz, "verf\xFCgbar\0"s, 1024, 0},
                    ValueRow{"MultiText", 7, "a\0b\0\0"s, 1024, 0},
                    ValueRow{"Binary", kRegBinary, "\x01\x00\xFF"s, 1024, 0},
                    ValueRow{"Dword", kRegDword, "\x02\x01\x00\x00"s, 1024, 0},
                    ValueRow{"TextFillsTheBuffer", kRegSz, kFull, 1024, 0},
                    ValueRow{"BinaryFillsTheBuffer", kRegBinary, kFull, 1024, 0},
                    ValueRow{"TextSmallBuffer", kRegSz, "abc\0"s, 3, kErrorMoreData},
                    ValueRow{"Text1025Bytes", kRegSz, kFull + '\0', 1024, kErrorMoreData},
                    ValueRow{"Binary1025Bytes", kRegBinary, kFull + 'b', 1024, kErrorMoreData}),
    RowName<ValueRow>);

// Missing keys and values, and how names compare.
struct LookupRow {
  const char* name;
  std::string key;    // "{key}" is the test key
  std::string value;  // the value asked for
  std::int32_t openStatus;
  std::int32_t status;  // of the query, when the key opened
};

class StoreLookupMatchesAdvapiTest : public testing::TestWithParam<LookupRow> {};

TEST_P(StoreLookupMatchesAdvapiTest, SameStatus) {
  const LookupRow& row = GetParam();
  BothRegistries registries;
  registries.Set("Vendor\\Tool", "Name", kRegSz, "abc\0"s);
  std::string path = row.key;
  path.replace(path.find("{key}"), 5, registries.Path(""));
  const Answer system = Query(registries.System(), path, row.value, 1024);
  const Answer store = Query(registries.Store(), path, row.value, 1024);
  EXPECT_EQ(system.openStatus, row.openStatus);
  EXPECT_EQ(system.status, row.status);
  EXPECT_EQ(system, store);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, StoreLookupMatchesAdvapiTest,
    testing::Values(LookupRow{"Found", "{key}\\Vendor\\Tool", "Name", 0, 0},
                    LookupRow{"NamesIgnoreCase", "{key}\\VENDOR\\tool", "nAME", 0, 0},
                    LookupRow{"KeyMissing", "{key}\\Vendor\\Other", "Name", kErrorFileNotFound, -1},
                    LookupRow{"PartOfAName", "{key}\\Vend", "Name", kErrorFileNotFound, -1},
                    LookupRow{"KeyAboveExists", "{key}\\Vendor", "Name", 0, kErrorFileNotFound},
                    LookupRow{"ValueMissing", "{key}\\Vendor\\Tool", "Nome", 0, kErrorFileNotFound},
                    LookupRow{"TrailingBackslash", "{key}\\Vendor\\Tool\\", "Name", 0, 0},
                    LookupRow{"DoubleBackslash", "{key}\\Vendor\\\\Tool", "Name", 0, 0},
                    LookupRow{"LeadingBackslash", "\\{key}\\Vendor\\Tool", "Name",
                              kErrorBadPathname, -1}),
    RowName<LookupRow>);

// --- GetKeyValue reads the real registry -------------------------------------

class GetKeyValueAdvapiTest : public testing::TestWithParam<testing_support::KeyValueRow> {};

TEST_P(GetKeyValueAdvapiTest, ReadsTheValueAndClosesTheKey) {
  const testing_support::KeyValueRow& row = GetParam();
  BothRegistries registries;
  registries.Set("Test", "V", row.type, row.data);
  for (Registry* registry : {&registries.System(), static_cast<Registry*>(&registries.Store())}) {
    CountingRegistry counting(*registry);
    std::string keyVal = row.keyValOnEntry;
    EXPECT_EQ(
        GetKeyValue(counting, kHkeyCurrentUser, registries.Path(row.key), row.valueName, keyVal),
        row.result);
    EXPECT_EQ(keyVal, row.keyVal);
    EXPECT_EQ(counting.opens, counting.closes);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueAdvapiTest,
                         testing::ValuesIn(testing_support::KeyValueRows()),
                         RowName<testing_support::KeyValueRow>);

struct SizeZeroRow {
  const char* name;
  std::uint32_t type;
};

class GetKeyValueSizeZeroAdvapiTest : public testing::TestWithParam<SizeZeroRow> {};

TEST_P(GetKeyValueSizeZeroAdvapiTest, RaisesInvalidCallAndStillClosesTheKey) {
  BothRegistries registries;
  registries.Set("Test", "V", GetParam().type, "");
  for (Registry* registry : {&registries.System(), static_cast<Registry*>(&registries.Store())}) {
    CountingRegistry counting(*registry);
    std::string keyVal = "old";
    try {
      GetKeyValue(counting, kHkeyCurrentUser, registries.Path("Test"), "V", keyVal);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Code(), 5);
    }
    EXPECT_EQ(keyVal, "old");
    EXPECT_EQ(counting.opens, 1);
    EXPECT_EQ(counting.closes, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Types, GetKeyValueSizeZeroAdvapiTest,
                         testing::Values(SizeZeroRow{"Text", 1}, SizeZeroRow{"Expand", 2},
                                         SizeZeroRow{"Binary", 3}, SizeZeroRow{"Dword", 4}),
                         RowName<SizeZeroRow>);

}  // namespace
}  // namespace vemora
