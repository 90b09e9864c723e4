// Names data-driven test rows by their own name field.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace vemora::testing_support {

template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

}  // namespace vemora::testing_support
