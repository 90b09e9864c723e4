// A registry that passes every call on and counts what went through it: the
// keys asked for, and the keys opened and closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "os/registry.h"

namespace vemora::testing_support {

class CountingRegistry : public Registry {
 public:
  explicit CountingRegistry(Registry& inner) : inner_(inner) {}

  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override {
    requests.push_back(subKey);
    const std::int32_t status = inner_.OpenKey(root, subKey, options, access, key);
    opens += status == kErrorSuccess;
    return status;
  }
  std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                          std::uint32_t& size) override {
    return inner_.QueryValue(key, valueName, type, data, size);
  }
  std::int32_t CloseKey(RegKey key) override {
    ++closeCalls;
    const std::int32_t status = inner_.CloseKey(key);
    closes += status == kErrorSuccess;
    return status;
  }

  std::vector<std::string> requests;  // every key asked for, opened or not
  int opens = 0;                      // successful opens
  int closes = 0;                     // keys closed
  int closeCalls = 0;                 // every close, also a failing one

 private:
  Registry& inner_;
};

}  // namespace vemora::testing_support
