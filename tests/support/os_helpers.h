// Real files, scripts and processes for the tests of the OS services.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace vemora::testing_support {

// A fresh directory under /tmp, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = "/tmp/vemora-test-XXXXXX";
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& content, mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary) << content;
  ::chmod(path.c_str(), mode);
}

// An executable script that leaves `marker` behind when it runs.
inline void WriteMarkerScript(const std::string& path, const std::string& marker) {
  WriteFile(path, "#!/bin/sh\necho started > '" + marker + "'\n", 0755);
}

inline bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
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

// Children of this process that have ended but were never waited for.
inline std::vector<int> ZombieChildren() {
  std::vector<int> zombies;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    // Only process folders: /proc/net/stat, say, is a folder of its own.
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream file(entry.path() / "stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::istringstream rest(stat.substr(stat.rfind(')') + 1));
    char state = 0;
    int parent = 0;
    if (rest >> state >> parent && state == 'Z' && parent == ::getpid()) {
      zombies.push_back(std::stoi(stat));
    }
  }
  return zombies;
}

}  // namespace vemora::testing_support
