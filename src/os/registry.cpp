#include "os/registry.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <span>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace vemora {

namespace {

bool IsPredefinedRoot(RegKey key) {
  return key >= 0x80000000u && key <= 0x80000006u;
}

std::string RootName(RegKey root) {
  char name[16];
  return {name, std::to_chars(name, name + sizeof name, root, 16).ptr};
}

// A key path as the registry reads it: doubled separators count once, and
// separators at either end are dropped (OpenKey refuses a leading one first).
std::string TidyPath(std::string_view path) {
  std::string tidy;
  for (const char c : path) {
    if (c == '\\' && (tidy.empty() || tidy.back() == '\\')) continue;
    tidy += c;
  }
  if (!tidy.empty() && tidy.back() == '\\') tidy.pop_back();
  return tidy;
}

}  // namespace

std::string RegistryStore::Fold(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

std::string RegistryStore::FullPath(RegKey root, std::string_view subKey) const {
  std::string base;
  if (IsPredefinedRoot(root)) {
    base = RootName(root);
  } else if (auto it = handles_.find(root); it != handles_.end()) {
    base = it->second;
  } else {
    return {};
  }
  const std::string path = Fold(TidyPath(subKey));
  return path.empty() ? base : base + "\\" + path;
}

void RegistryStore::AddKey(std::uint32_t root, std::string_view untidy) {
  // Every key on the way down exists too. The empty path is the root itself,
  // as OpenKey reads it, not a key named "" below it.
  const std::string path = TidyPath(untidy);
  std::string display = RootName(root);
  if (path.empty()) {
    keys_.try_emplace(display);
    return;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    display += "\\";
    display += std::string_view(path).substr(start, end - start);
    keys_.try_emplace(Fold(display));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

void RegistryStore::SetValue(std::uint32_t root, std::string_view untidy,
                             std::string_view valueName, std::uint32_t type,
                             std::string_view bytes) {
  AddKey(root, untidy);
  const std::string path = TidyPath(untidy);
  const std::string full =
      path.empty() ? RootName(root) : RootName(root) + "\\" + std::string(path);
  keys_.at(Fold(full)).values[Fold(valueName)] = Value{type, std::string(bytes)};
}

std::int32_t RegistryStore::OpenKey(RegKey root, const std::string& subKey, std::uint32_t,
                                    std::uint32_t access, RegKey& key) {
  if (!IsPredefinedRoot(root) && !handles_.contains(root)) return kErrorInvalidHandle;
  if (!subKey.empty() && subKey.front() == '\\') return kErrorBadPathname;
  const std::string full = FullPath(root, subKey);
  if (!subKey.empty() && !keys_.contains(full)) return kErrorFileNotFound;
  if ((access & kKeyWriteRights) != 0 && full.starts_with(RootName(kHkeyLocalMachine))) {
    return kErrorAccessDenied;
  }
  key = nextHandle_++;
  handles_.emplace(key, full);
  return kErrorSuccess;
}

std::int32_t RegistryStore::QueryValue(RegKey key, const std::string& valueName,
                                       std::uint32_t& type, char* data, std::uint32_t& size) {
  const auto handle = handles_.find(key);
  if (handle == handles_.end()) return kErrorInvalidHandle;
  const auto found = keys_.find(handle->second);
  if (found == keys_.end()) return kErrorFileNotFound;
  const auto value = found->second.values.find(Fold(valueName));
  if (value == found->second.values.end()) return kErrorFileNotFound;

  const std::string& bytes = value->second.bytes;
  const auto needed = static_cast<std::uint32_t>(bytes.size());
  type = value->second.type;
  if (data == nullptr) {  // a size query, as the real call allows
    size = needed;
    return kErrorSuccess;
  }
  if (needed > size) {
    size = needed;
    return kErrorMoreData;
  }
  std::copy(bytes.begin(), bytes.end(), data);
  size = needed;
  return kErrorSuccess;
}

std::int32_t RegistryStore::CloseKey(RegKey key) {
  return handles_.erase(key) == 0 ? kErrorInvalidHandle : kErrorSuccess;
}

#ifndef _WIN32

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// The first of `names` on `searchPath`, as FillSystemInfoStore describes.
std::string FindProgramOnPath(std::string_view searchPath,
                              std::span<const std::string_view> names) {
  for (const std::string_view name : names) {
    std::size_t start = 0;
    while (start <= searchPath.size()) {
      std::size_t end = searchPath.find(':', start);
      if (end == std::string_view::npos) end = searchPath.size();
      const std::string_view dir = searchPath.substr(start, end - start);
      start = end + 1;
      if (dir.empty() || dir.front() != '/') continue;
      std::string candidate(dir);
      if (candidate.back() != '/') candidate += '/';
      candidate += name;
      if (candidate.size() < kMaxValueBytes && IsExecutableFile(candidate)) return candidate;
    }
  }
  return {};
}

}  // namespace

void FillSystemInfoStore(RegistryStore& store, std::string_view searchPath) {
  static constexpr std::array<std::string_view, 4> kPrograms = {
      "hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"};
  const std::string program = FindProgramOnPath(searchPath, kPrograms);
  if (program.empty()) return;
  store.SetValue(kHkeyLocalMachine, kMsinfoKey, kMsinfoValue, kRegSz,
                 std::string_view(program.c_str(), program.size() + 1));
}

namespace {

// Looks at $PATH afresh whenever no key is open, so a program installed
// while Vemora runs is found on the next search.
class SystemInfoRegistry : public Registry {
 public:
  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override {
    if (store_.OpenHandles() == 0) {
      store_ = RegistryStore();
      const char* path = std::getenv("PATH");
      FillSystemInfoStore(store_, path != nullptr ? path : "");
    }
    return store_.OpenKey(root, subKey, options, access, key);
  }
  std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                          std::uint32_t& size) override {
    return store_.QueryValue(key, valueName, type, data, size);
  }
  std::int32_t CloseKey(RegKey key) override { return store_.CloseKey(key); }

 private:
  RegistryStore store_;
};

}  // namespace

std::unique_ptr<Registry> CreateSystemRegistry() {
  return std::make_unique<SystemInfoRegistry>();
}

#endif

}  // namespace vemora
