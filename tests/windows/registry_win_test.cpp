// advapi32 against the in-process store that stands in for it elsewhere: the
// same values, written at exact byte sizes, read alike through GetKeyValue.
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
