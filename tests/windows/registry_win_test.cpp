// GetKeyValue through advapi32 on the table the in-process store passes on
// Linux: values written at exact byte sizes must read alike.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "about_window/sysinfo.h"
#include "os/registry.h"
#include "runtime/runtime_error.h"
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

class GetKeyValueSizeZeroAdvapiTest : public testing::TestWithParam<SizeZeroRow> {};

TEST_P(GetKeyValueSizeZeroAdvapiTest, RaisesInvalidCallAndStillClosesTheKey) {
  TestKey key;
  key.Set("Test", "V", GetParam().type, "");
  const std::unique_ptr<Registry> system = CreateSystemRegistry();
  CountingRegistry counting(*system);
  std::string keyVal = "old";
  try {
    GetKeyValue(counting, kHkeyCurrentUser, key.Path() + "\\Test", "V", keyVal);
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Code(), 5);
  }
  EXPECT_EQ(keyVal, "old");
  EXPECT_EQ(std::pair(counting.opens, counting.closes), std::pair(1, 1));
}

INSTANTIATE_TEST_SUITE_P(Types, GetKeyValueSizeZeroAdvapiTest, testing::ValuesIn(SizeZeroRows()),
                         RowName<SizeZeroRow>);

}  // namespace
}  // namespace vemora
