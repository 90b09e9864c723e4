// Real files, folders, helper programs and registry keys for the Windows
// tests, all removed again when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "os/registry.h"

namespace vemora::testing_support {

inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;

// A name unique to this process and call.
inline std::string UniqueName(std::string_view stem) {
  static std::atomic<int> counter{0};
  return std::string(stem) + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(counter++);
}

inline std::string Replace(std::string text, std::string_view from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A fresh folder in the user's temporary folder, removed with its contents.
class TempDir {
 public:
  TempDir() {
    char base[MAX_PATH + 1] = {};
    path_ = std::string(base, ::GetTempPathA(sizeof base, base)) + UniqueName("vemora-test");
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  // `text` with every "{dir}" replaced by this folder.
  std::string Fill(const std::string& text) const { return Replace(text, "{dir}", path_); }

 private:
  std::string path_;
};

inline void WriteText(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Polls at most about 20 seconds: it waits for another process, never a delay.
template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 2000 && !condition(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
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

// Passes every call on, counting the keys opened and closed. With a base,
// it holds only HKEY_LOCAL_MACHINE\X, read from HKEY_CURRENT_USER\<base>\X.
class CountingRegistry : public Registry {
 public:
  explicit CountingRegistry(Registry& inner, std::string base = {})
      : inner_(inner), base_(std::move(base)) {}
  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override {
    requests.push_back(subKey);
    if (!base_.empty() && root != kHkeyLocalMachine) return kErrorFileNotFound;
    const std::int32_t status =
        base_.empty()
            ? inner_.OpenKey(root, subKey, options, access, key)
            : inner_.OpenKey(kHkeyCurrentUser, base_ + "\\" + subKey, options, access, key);
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
  std::vector<std::string> requests;  // every key asked for
  int opens = 0, closes = 0;

 private:
  Registry& inner_;
  std::string base_;
};

}  // namespace vemora::testing_support
