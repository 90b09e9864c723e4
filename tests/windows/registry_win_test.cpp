// GetKeyValue through advapi32 on the table the in-process store passes on
// Linux: values written at exact byte sizes must read alike.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "about_window/sysinfo.h"
#include "os/registry.h"
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

}  // namespace
}  // namespace vemora
