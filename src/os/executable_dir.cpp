#include "os/executable_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <cstdlib>
#endif

#include <filesystem>
#include <system_error>

namespace vemora {

namespace {

// As UTF-8: on Windows string() would go through the ANSI code page, whose
// best fit turns "Ω" into "O", and the clip would be looked for elsewhere.
std::string ParentOf(const std::filesystem::path& file) {
  const std::u8string parent = file.parent_path().u8string();
  return {parent.begin(), parent.end()};
}

}  // namespace

#ifdef _WIN32
std::string ExecutableDirectory() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);  // truncated: try a larger buffer
  }
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(name, error);
  return ParentOf(error ? std::filesystem::path(name) : resolved);
}
#else
std::string ExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return ParentOf(self);
}
#endif

}  // namespace vemora
