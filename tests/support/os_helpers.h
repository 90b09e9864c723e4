// Real files, scripts and processes for the tests of the OS services.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "support/files.h"

namespace vemora::testing_support {

inline void WriteFile(const std::string& path, const std::string& content, mode_t mode) {
  WriteFile(path, content);
  ::chmod(path.c_str(), mode);
}

// An executable script that leaves `marker` behind when it runs.
inline void WriteMarkerScript(const std::string& path, const std::string& marker) {
  WriteFile(path, "#!/bin/sh\necho started > '" + marker + "'\n", 0755);
}

}  // namespace vemora::testing_support
