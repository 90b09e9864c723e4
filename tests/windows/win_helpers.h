// Real files, folders, helper programs and registry keys for the Windows
// tests, all removed again when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "os/registry.h"
#include "support/files.h"

namespace vemora::testing_support {

inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;

// A name unique to this process and call.
inline std::string UniqueName(std::string_view stem) {
  static std::atomic<int> counter{0};
  return std::string(stem) + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(counter++);
}

inline std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// helper_program.cpp, built beside the running test.
inline std::string HelperProgram() {
  char self[MAX_PATH + 1] = {};
  const std::string path(self, ::GetModuleFileNameA(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of("\\/") + 1) + "vemora_helper_program.exe";
}

// A key of its own below HKEY_CURRENT_USER\Software, deleted when the test ends.
class TestKey {
 public:
  TestKey() : path_("Software\\" + UniqueName("Vemora-Tests")) {}
  ~TestKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;
  const std::string& Path() const { return path_; }

  // Writes exactly `bytes` as value `name` of Path()\`subKey`. The byte after
  // them is never zero: advapi32 would store a zero right after text data too.
  void Set(const std::string& subKey, const std::string& name, DWORD type,
           const std::string& bytes) const {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (path_ + "\\" + subKey).c_str(), 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::string data = bytes + 'X';
    EXPECT_EQ(
        ::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
    ::RegCloseKey(key);
  }

 private:
  std::string path_;
};

}  // namespace vemora::testing_support
