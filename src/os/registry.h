// The registry as the launcher reads it: the three classic calls (open a key,
// query a value, close a key) with their classic status codes. On Windows
// advapi32 answers; elsewhere a read-only in-process store does, which tests
// fill with whatever keys, types and bytes they need.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace vemora {

// A key handle: a predefined root (HKEY_LOCAL_MACHINE is 0x80000002) or a
// handle that OpenKey gave out. Wide enough for a Windows HKEY.
using RegKey = std::uintptr_t;

inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;

// Status codes, as the classic calls return them.
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::int32_t kErrorBadPathname = 161;

// The access rights that change a key or its values (KEY_SET_VALUE,
// KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER,
// GENERIC_ALL, GENERIC_WRITE). A normal user is refused them below
// HKEY_LOCAL_MACHINE.
inline constexpr std::uint32_t kKeyWriteRights = 0x50000000u | 0x000D0000u | 0x26u;

// Value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// The launcher reads a value into this many bytes; a text value needs room
// for its terminating zero too.
inline constexpr std::uint32_t kMaxValueBytes = 1024;

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens root\subKey; on success stores the new handle in `key`.
  virtual std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, RegKey& key) = 0;
  // Reads a value's type and bytes into data[0 .. size). On entry `size` is
  // the buffer's size, on return the value's size. Data larger than the
  // buffer fails with kErrorMoreData and reports the size it needs.
  virtual std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                  char* data, std::uint32_t& size) = 0;
  virtual std::int32_t CloseKey(RegKey key) = 0;
};

// The in-process store. Names of keys and values compare without regard to
// ASCII case, as the registry's do; a key exists when it or a key below it
// was added. Like Windows for a normal user, it refuses an open below
// HKEY_LOCAL_MACHINE that asks for any of kKeyWriteRights. The program only
// reads it through Registry; one thread uses it.
class RegistryStore : public Registry {
 public:
  // Adds (or replaces) a value of key `path` below `root`, e.g.
  // "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO". The bytes are stored as
  // given; the store adds no terminating zero.
  void SetValue(std::uint32_t root, std::string_view path, std::string_view valueName,
                std::uint32_t type, std::string_view bytes);

  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override;
  std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                          std::uint32_t& size) override;
  std::int32_t CloseKey(RegKey key) override;

  std::size_t OpenHandles() const { return handles_.size(); }

 private:
  struct Value {
    std::uint32_t type;
    std::string bytes;
  };
  struct Key {
    std::map<std::string, Value> values;  // by folded name
  };

  void AddKey(std::uint32_t root, std::string_view path);
  static std::string Fold(std::string_view text);
  std::string FullPath(RegKey root, std::string_view subKey) const;  // empty: bad root

  std::map<std::string, Key> keys_;        // by folded full path
  std::map<RegKey, std::string> handles_;  // open handle -> folded full path
  RegKey nextHandle_ = 0x1000;
};

// The entries the system-information launcher reads: first the program's
// full path, then the directory that holds it.
inline constexpr std::string_view kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kMsinfoValue = "PATH";
inline constexpr std::string_view kMsinfoDirectoryKey =
    "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kMsinfoDirectoryValue = "MSINFO";

// Fills `store` as the program's own store: the MSINFO "PATH" value with the
// full path (and its terminating zero) of the first of hardinfo2, hardinfo,
// kinfocenter, gnome-system-monitor found as an executable regular file in a
// directory of `searchPath` (a colon-separated list like $PATH), by the
// order of the names first, then of the directories; nothing else. Only
// absolute directories count, so the current directory never supplies a
// program, and a full path too long to be read back as a value
// (kMaxValueBytes with its zero) is passed over for a later one. When none
// is found the store stays empty.
void FillSystemInfoStore(RegistryStore& store, std::string_view searchPath);

// The program's registry: advapi32 on Windows; elsewhere a store filled from
// $PATH afresh at each search, so a program installed in the meantime is found.
std::unique_ptr<Registry> CreateSystemRegistry();

}  // namespace vemora
