// The launcher's registry read over a store filled from the input.
//
// Input: the value's type, a byte of flags, then for each of flags 0, 1
// and 3 that is set a length byte and that many bytes (key name, value
// name, what keyVal holds before), then the value's bytes.
//   flag 0: own key name (else the MSINFO key)   flag 1: own value name
//   flag 2: ask in the other ASCII case           flag 3: keyVal not empty
//   flag 4: ask below another root
#include <algorithm>
#include <cctype>
#include <string>

#include "about_window/sysinfo.h"
#include "fuzz_check.h"
#include "os/registry.h"
#include "runtime/runtime_error.h"

namespace vemora::fuzzing {
namespace {

constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
constexpr std::size_t kBufferSize = 1024;  // what GetKeyValue reads at most

// The registry compares names in ASCII case only.
std::string SwapCase(std::string text) {
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) c = static_cast<char>(std::islower(u) ? std::toupper(u) : std::tolower(u));
  }
  return text;
}

// What a value that was read must have become.
void CheckValueRead(std::uint32_t type, const std::string& bytes, const std::string& before,
                    const std::string& keyVal) {
  std::string data = bytes;
  if (data.back() == '\0') data.pop_back();
  if (type == kRegSz) {
    Expect(keyVal == data, "a text value read as something else");
  } else if (type == kRegDword) {
    const std::string head = "&h" + before;
    Expect(keyVal.starts_with(head), "a number value lost its \"&h\" and what came before");
    const std::string digits = keyVal.substr(head.size());
    Expect(digits.find_first_not_of("0123456789ABCDEF") == std::string::npos,
           "a number value's digits");
    Expect(digits.size() >= data.size() && digits.size() <= 2 * data.size(),
           "a number value with the wrong count of digits");
  } else {
    Expect(keyVal == before, "a value of another type changed keyVal");
  }
}

}  // namespace

void CheckRegistryValue(Input input) {
  std::size_t at = 0;
  const auto byte = [&]() -> std::uint8_t { return at < input.size() ? input[at++] : 0; };
  const auto text = [&](std::size_t length) {
    length = std::min(length, input.size() - at);
    at += length;
    return std::string(reinterpret_cast<const char*>(input.data()) + at - length, length);
  };
  const std::uint32_t type = byte();
  const std::uint8_t flags = byte();
  const std::string keyName = (flags & 1) != 0 ? text(byte()) : std::string(kMsinfoKey);
  const std::string valueName = (flags & 2) != 0 ? text(byte()) : std::string(kMsinfoValue);
  const std::string before = (flags & 8) != 0 ? text(byte()) : std::string();
  const std::string bytes = text(input.size() - at);
  const bool otherCase = (flags & 4) != 0;
  const bool otherRoot = (flags & 16) != 0;

  RegistryStore store;
  store.SetValue(kHkeyLocalMachine, keyName, valueName, type, bytes);
  std::string keyVal = before;
  bool read = false;
  bool invalidCall = false;
  try {
    read = GetKeyValue(store, otherRoot ? kHkeyCurrentUser : kHkeyLocalMachine,
                       otherCase ? SwapCase(keyName) : keyName,
                       otherCase ? SwapCase(valueName) : valueName, keyVal);
  } catch (const RuntimeError& error) {
    Expect(error.Number() == ErrorNumber::kInvalidCall,
           "GetKeyValue raised error " + std::to_string(error.Code()));
    invalidCall = true;
  }
  Expect(store.OpenHandles() == 0, "a key was left open");
  // A leading separator is refused by the open, as the registry does.
  const bool refusedPath = !keyName.empty() && keyName.front() == '\\';
  if (otherRoot || refusedPath || bytes.size() > kBufferSize) {
    Expect(!invalidCall && !read && keyVal.empty(), "a value that cannot be read was read");
    return;
  }
  if (bytes.empty()) {
    Expect(invalidCall && keyVal == before, "an empty value did not raise error 5 alone");
    return;
  }
  Expect(read, "a stored value was not found");
  CheckValueRead(type, bytes, before, keyVal);
}

}  // namespace vemora::fuzzing
