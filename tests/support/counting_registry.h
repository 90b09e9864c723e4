// A registry that passes every call on and counts what went through it: the
// keys asked for, and the keys opened and closed. With a base it answers for
// HKEY_LOCAL_MACHINE\X only, from <base root>\<base>\X, so that tests on a
// real registry read keys of their own; there it refuses write access, as
// Windows refuses a normal user below HKEY_LOCAL_MACHINE.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "os/registry.h"

namespace vemora::testing_support {

class CountingRegistry : public Registry {
 public:
  explicit CountingRegistry(Registry& inner, RegKey baseRoot = 0, std::string base = {})
      : inner_(inner), baseRoot_(baseRoot), base_(std::move(base)) {}

  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override {
    requests.push_back(subKey);
    std::int32_t status = kErrorFileNotFound;
    if (base_.empty()) {
      status = inner_.OpenKey(root, subKey, options, access, key);
    } else if (root == kHkeyLocalMachine) {
      status = (access & kKeyWriteRights) != 0
                   ? kErrorAccessDenied
                   : inner_.OpenKey(baseRoot_, base_ + "\\" + subKey, options, access, key);
    }
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

  std::vector<std::string> requests;  // every key asked for, opened or not
  int opens = 0;                      // successful opens
  int closes = 0;                     // keys closed

 private:
  Registry& inner_;
  RegKey baseRoot_;
  std::string base_;
};

}  // namespace vemora::testing_support
