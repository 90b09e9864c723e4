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

#include "support/files.h"

namespace vemora::testing_support {

inline void WriteFile(const std::string& path, const std::string& content, mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary) << content;
  ::chmod(path.c_str(), mode);
}

// An executable script that leaves `marker` behind when it runs.
inline void WriteMarkerScript(const std::string& path, const std::string& marker) {
  WriteFile(path, "#!/bin/sh\necho started > '" + marker + "'\n", 0755);
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
