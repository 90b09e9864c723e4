#include "about_window/sysinfo.h"

#include "runtime/numbers.h"
#include "runtime/runtime_error.h"

namespace vemora {

namespace {

constexpr std::uint32_t kOpenOptions = 0;
constexpr std::uint32_t kOpenAccess = 0x2003F;  // READ_CONTROL and all key rights but WOW64
constexpr std::uint32_t kBufferSize = kMaxValueBytes;

constexpr const char* kProgramName = "\\MSINFO32.EXE";

// Closes the key however GetKeyValue ends, also through a run-time error: a
// leaked handle would be a fault of its own. Before a successful open the
// handle is what the failed open left, 0 unless it wrote one.
class KeyCloser {
 public:
  KeyCloser(Registry& registry, const RegKey& key) : registry_(registry), key_(key) {}
  ~KeyCloser() { registry_.CloseKey(key_); }
  KeyCloser(const KeyCloser&) = delete;
  KeyCloser& operator=(const KeyCloser&) = delete;

 private:
  Registry& registry_;
  const RegKey& key_;
};

// Only the character at position `size` (from 1) is tested for a zero, so a
// text stored without its terminator keeps its last character and a zero
// inside the data stays. Position 0 (and one past the buffer) is no
// character at all: an invalid call.
std::string TrimTerminator(const std::string& buffer, std::uint32_t size) {
  if (size == 0 || size > buffer.size()) Raise(ErrorNumber::kInvalidCall);
  return buffer.substr(0, buffer[size - 1] == '\0' ? size - 1 : size);
}

// Each byte from the last to the first gives its hex digits in capitals
// without a leading zero, appended to what `keyVal` held; "&h" goes in front.
// Formatting a text without a pattern leaves it as it is. (Both callers only
// ever see these texts fail as a path: 0x00000102 stored as 02 01 00 00
// loses its top zero byte to the trimming and reads "&h012".)
std::string DwordText(const std::string& data, const std::string& keyVal) {
  std::string digits = keyVal;
  for (auto byte = data.rbegin(); byte != data.rend(); ++byte)
    digits += HexText(static_cast<unsigned char>(*byte));
  return "&h" + digits;
}

}  // namespace

bool GetKeyValue(Registry& registry, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal) {
  RegKey key = 0;
  const KeyCloser closer(registry, key);
  if (registry.OpenKey(keyRoot, keyName, kOpenOptions, kOpenAccess, key) != kErrorSuccess) {
    keyVal.clear();
    return false;
  }
  std::string buffer(kBufferSize, '\0');
  std::uint32_t type = 0;
  std::uint32_t size = kBufferSize;
  if (registry.QueryValue(key, subKeyRef, type, buffer.data(), size) != kErrorSuccess) {
    keyVal.clear();
    return false;
  }
  const std::string data = TrimTerminator(buffer, size);
  if (type == kRegSz) {
    keyVal = data;
  } else if (type == kRegDword) {
    keyVal = DwordText(data, keyVal);
  }
  return true;
}

namespace {

// False when no program was found; a run-time error on the way propagates.
bool FindAndStart(Programs& programs, Registry& registry) {
  std::string programPath;
  if (!GetKeyValue(registry, kHkeyLocalMachine, std::string(kMsinfoKey), std::string(kMsinfoValue),
                   programPath)) {
    if (!GetKeyValue(registry, kHkeyLocalMachine, std::string(kMsinfoDirectoryKey),
                     std::string(kMsinfoDirectoryValue), programPath)) {
      return false;
    }
    // Appended as it stands: a directory ending in a separator gives two.
    if (programs.FileLookup(programPath + kProgramName).empty()) return false;
    programPath += kProgramName;
  }
  // The first entry's path is started untested; if that fails, the second
  // entry is not tried.
  programs.StartProgram(programPath);
  return true;
}

}  // namespace

void StartSysInfo(Services& services, Programs& programs, Registry& registry) {
  try {
    if (FindAndStart(programs, registry)) return;
  } catch (const RuntimeError&) {
  }
  services.MsgBox(kSysInfoUnavailable, kOkOnly);
}

}  // namespace vemora
