// Real files, folders and registry keys for the Windows tests, all removed
// again when the test ends.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>

namespace vemora::testing_support {

// A unique name for this process's n-th folder or key.
inline std::string UniqueName(std::string_view stem) {
  static std::atomic<int> counter{0};
  return std::string(stem) + "-" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(counter++);
}

// A fresh folder in the user's temporary folder, removed with its contents.
class TempDir {
 public:
  TempDir() {
    char base[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof base, base);
    path_ = std::string(base, length) + UniqueName("vemora-test");
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Replaces every "{dir}" by `dir`.
inline std::string InDir(std::string text, const std::string& dir) {
  for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}", at)) {
    text.replace(at, 5, dir);
  }
  return text;
}

// Runs a test inside a fresh folder, so relative names resolve there.
class InTempDir {
 public:
  InTempDir() : old_(std::filesystem::current_path()) { std::filesystem::current_path(dir.Path()); }
  ~InTempDir() { std::filesystem::current_path(old_); }
  TempDir dir;

 private:
  std::filesystem::path old_;
};

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Polls for a condition, at most about 20 seconds: what it waits for is
// another process, never a fixed delay.
template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 2000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

inline bool WaitForFile(const std::string& path) {
  return Eventually([&] { return Exists(path); });
}

// A helper program built beside the running test.
inline std::string HelperProgram(const std::string& name) {
  char self[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path(self, length);
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

// A copy of the marker program under `path`. Started, it writes how it was
// started to `path` + ".started" (see marker_program.cpp).
inline void CopyMarkerProgram(const std::string& path) {
  std::filesystem::copy_file(HelperProgram("vemora_marker_program.exe"), path,
                             std::filesystem::copy_options::overwrite_existing);
}

// A key of its own under HKEY_CURRENT_USER\Software, deleted with all it
// holds when the test ends.
class TestKey {
 public:
  TestKey() : path_("Software\\" + UniqueName("Vemora-Tests")) {}
  ~TestKey() { ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  // Path of the key below HKEY_CURRENT_USER.
  const std::string& Path() const { return path_; }

  // Writes exactly `bytes` as value `name` of Path()\`subKey`. The byte after
  // them is never zero: advapi32 counts a zero that directly follows text
  // data as a forgotten terminator and stores it too.
  LONG Set(const std::string& subKey, const std::string& name, DWORD type,
           const std::string& bytes) const {
    HKEY key = nullptr;
    const std::string full = subKey.empty() ? path_ : path_ + "\\" + subKey;
    LONG status = ::RegCreateKeyExA(HKEY_CURRENT_USER, full.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                    nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const std::string data = bytes + 'X';
    status =
        ::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(key);
    return status;
  }

 private:
  std::string path_;
};

}  // namespace vemora::testing_support
