// The registry of Windows itself, through the ANSI calls of advapi32.
#include <windows.h>

#include "os/registry.h"

namespace vemora {

namespace {

// A predefined root arrives as its 32-bit value (0x80000002); Windows keeps
// it sign-extended in a pointer-sized HKEY.
HKEY ToHkey(RegKey key) {
  if (key >= 0x80000000u && key <= 0x80000FFFu) {
    const auto value = static_cast<LONG>(static_cast<DWORD>(key));
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(value)));
  }
  return reinterpret_cast<HKEY>(key);
}

class WindowsRegistry : public Registry {
 public:
  std::int32_t OpenKey(RegKey root, const std::string& subKey, std::uint32_t options,
                       std::uint32_t access, RegKey& key) override {
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(ToHkey(root), subKey.c_str(), options, access, &opened);
    if (status == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(opened);
    return status;
  }

  std::int32_t QueryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                          std::uint32_t& size) override {
    DWORD valueType = 0;
    DWORD dataSize = size;
    const LONG status = ::RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &valueType,
                                           reinterpret_cast<BYTE*>(data), &dataSize);
    type = valueType;
    size = dataSize;
    return status;
  }

  std::int32_t CloseKey(RegKey key) override { return ::RegCloseKey(ToHkey(key)); }
};

}  // namespace

std::unique_ptr<Registry> CreateSystemRegistry() {
  return std::make_unique<WindowsRegistry>();
}

}  // namespace vemora
