// advapi32 against the in-process store that stands in for it elsewhere: the
// same values, written at exact byte sizes, read alike through both, raw and
// through GetKeyValue.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "about_window/sysinfo.h"
#include "os/registry.h"
#include "runtime/runtime_error.h"
#include "support/counting_registry.h"
#include "support/launcher_rows.h"
#include "support/row_name.h"
#include "win_helpers.h"

namespace vemora {
namespace {

using namespace std::string_literals;
using namespace testing_support;

// The same values in the real registry and in a store, below one key path.
class BothRegistries {
 public:
  void Set(const std::string& subKey, const std::string& name, std::uint32_t type,
           const std::string& bytes) {
    key_.Set(subKey, name, type, bytes);
    store_.SetValue(kHkeyCurrentUser, key_.Path() + "\\" + subKey, name, type, bytes);
  }
  const std::string& Key() const { return key_.Path(); }
  std::vector<Registry*> Both() { return {system_.get(), &store_}; }

 private:
  TestKey key_;
  std::unique_ptr<Registry> system_ = CreateSystemRegistry();
  RegistryStore store_;
};

// What one query with a 1024-byte buffer answered.
struct Answer {
  std::int32_t openStatus = -1;
  std::int32_t status = -1;
  std::uint32_t type = 0xFFFFFFFF;
  std::uint32_t size = 1024;
  std::string data;  // the bytes read, on success
  bool overran = false;

  bool operator==(const Answer&) const = default;
};

Answer Query(Registry& registry, const std::string& path, const std::string& valueName) {
  Answer answer;
  RegKey key = 0;
  answer.openStatus = registry.OpenKey(kHkeyCurrentUser, path, 0, 0x2003F, key);
  if (answer.openStatus != kErrorSuccess) return answer;
  std::string buffer(answer.size + 1, '\x7f');
  answer.status = registry.QueryValue(key, valueName, answer.type, buffer.data(), answer.size);
  if (answer.status == kErrorSuccess) answer.data = buffer.substr(0, answer.size);
  if (answer.status == kErrorFileNotFound) answer.type = 0xFFFFFFFF;  // left as it was
  answer.overran = buffer.back() != '\x7f';
  EXPECT_EQ(registry.CloseKey(key), kErrorSuccess);
  return answer;
}

struct QueryRow {
  const char* name;
  std::uint32_t type;
  std::string bytes;  // of value "Name" of "{key}\Vendor\Tool"
  std::int32_t status = kErrorSuccess;
  std::string key = "{key}\\Vendor\\Tool";  // the key asked for
  std::string value = "Name";
  std::int32_t openStatus = kErrorSuccess;
};

class StoreMatchesAdvapiTest : public testing::TestWithParam<QueryRow> {};

TEST_P(StoreMatchesAdvapiTest, SameStatusTypeSizeAndBytes) {
  const QueryRow& row = GetParam();
  BothRegistries registries;
  registries.Set("Vendor\\Tool", "Name", row.type, row.bytes);
  const std::vector<Registry*> both = registries.Both();
  const std::string path = Replace(row.key, "{key}", registries.Key());
  const Answer system = Query(*both[0], path, row.value);
  EXPECT_EQ(system.openStatus, row.openStatus);
  EXPECT_EQ(system.status, row.status);
  EXPECT_EQ(system, Query(*both[1], path, row.value));
  if (row.status == kErrorSuccess) {
    EXPECT_EQ(system.data, row.bytes);
    EXPECT_EQ(system.type, row.type);
  }
}

const std::string kFull(1024, 'a');

INSTANTIATE_TEST_SUITE_P(
    Values, StoreMatchesAdvapiTest,
    testing::Values(QueryRow{"TextWithTerminator", kRegSz, "ABCDEFGHI\0"s},
                    QueryRow{"TextWithoutTerminator", kRegSz, "ABCDEFGHI"},
                    QueryRow{"TextZeroInside", kRegSz, "AB\0CD\0"s},
                    QueryRow{"TextBeyondAscii", kRegSz, "verf\xFCgbar\0"s},
                    QueryRow{"TextFillsTheBuffer", kRegSz, kFull},
                    QueryRow{"ExpandText", kRegExpandSz, "C:\\x\0"s},
                    QueryRow{"Binary", kRegBinary, "\x01\x00\xFF"s},
                    QueryRow{"Dword", kRegDword, "\x02\x01\x00\x00"s},
                    QueryRow{"NamesIgnoreCase", kRegSz, "abc\0"s, 0, "{key}\\VENDOR\\tool", "nAME"},
                    QueryRow{"TrailingBackslash", kRegSz, "abc\0"s, 0, "{key}\\Vendor\\Tool\\"},
                    QueryRow{"DoubleBackslash", kRegSz, "abc\0"s, 0, "{key}\\Vendor\\\\Tool"}),
    RowName<QueryRow>);

INSTANTIATE_TEST_SUITE_P(
    Errors, StoreMatchesAdvapiTest,
    testing::Values(
        QueryRow{"Text1025Bytes", kRegSz, kFull + '\0', kErrorMoreData},
        QueryRow{"ValueMissing", kRegSz, "abc\0"s, kErrorFileNotFound, "{key}\\Vendor\\Tool", "N"},
        QueryRow{"KeyAboveExists", kRegSz, "abc\0"s, kErrorFileNotFound, "{key}\\Vendor"},
        QueryRow{"KeyMissing", kRegSz, "", -1, "{key}\\Vendor\\Other", "Name", kErrorFileNotFound},
        QueryRow{"PartOfAName", kRegSz, "", -1, "{key}\\Vend", "Name", kErrorFileNotFound},
        QueryRow{"LeadingBackslash", kRegSz, "", -1, "\\{key}\\Vendor\\Tool", "Name",
                 kErrorBadPathname}),
    RowName<QueryRow>);

class GetKeyValueAdvapiTest : public testing::TestWithParam<KeyValueRow> {};

TEST_P(GetKeyValueAdvapiTest, ReadsTheValueAndClosesTheKey) {
  const KeyValueRow& row = GetParam();
  BothRegistries registries;
  registries.Set("Test", "V", row.type, row.data);
  for (Registry* registry : registries.Both()) {
    CountingRegistry counting(*registry);
    std::string keyVal = row.keyValOnEntry;
    EXPECT_EQ(GetKeyValue(counting, kHkeyCurrentUser, registries.Key() + "\\" + row.key,
                          row.valueName, keyVal),
              row.result);
    EXPECT_EQ(keyVal, row.keyVal);
    EXPECT_EQ(counting.opens, counting.closes);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueAdvapiTest, testing::ValuesIn(KeyValueRows()),
                         RowName<KeyValueRow>);

class GetKeyValueSizeZeroAdvapiTest : public testing::TestWithParam<SizeZeroRow> {};

TEST_P(GetKeyValueSizeZeroAdvapiTest, RaisesInvalidCallAndStillClosesTheKey) {
  BothRegistries registries;
  registries.Set("Test", "V", GetParam().type, "");
  for (Registry* registry : registries.Both()) {
    CountingRegistry counting(*registry);
    std::string keyVal = "old";
    try {
      GetKeyValue(counting, kHkeyCurrentUser, registries.Key() + "\\Test", "V", keyVal);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Code(), 5);
    }
    EXPECT_EQ(keyVal, "old");
    EXPECT_EQ(std::pair(counting.opens, counting.closes), std::pair(1, 1));
  }
}

INSTANTIATE_TEST_SUITE_P(Types, GetKeyValueSizeZeroAdvapiTest, testing::ValuesIn(SizeZeroRows()),
                         RowName<SizeZeroRow>);

}  // namespace
}  // namespace vemora
