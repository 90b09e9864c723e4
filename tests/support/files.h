// Temporary directories and waiting for what another process leaves
// behind, the same on Linux and under Wine.
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

namespace vemora::testing_support {

// A fresh directory in the system's temporary directory, removed with
// everything in it.
class TempDir {
 public:
  TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    static constexpr char kDigits[] = "0123456789abcdef";
    do {  // six random digits, as mkdtemp's name would have
      std::string name = "vemora-test-";
      for (unsigned bits = random(), i = 0; i < 6; ++i, bits >>= 4) name += kDigits[bits & 15];
      path_ = (base / name).string();
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const {
    return (std::filesystem::path(path_) / name).string();
  }
  // `text` with every "{dir}" replaced by this directory; on Windows every
  // '/' becomes '\\', so one table of paths serves both.
  std::string Fill(std::string text) const {
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '/', '\\');
#endif
    for (auto at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}", at)) {
      text.replace(at, 5, path_);
    }
    return text;
  }

 private:
  std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// Also a dangling link.
inline bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// Polls for a condition, at most about 20 seconds: what it waits for is
// another process, never a fixed delay.
template <class Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 2000 && !condition(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

inline bool WaitForFile(const std::string& path) {
  return Eventually([&] { return Exists(path); });
}

}  // namespace vemora::testing_support
