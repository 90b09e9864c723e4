// The About window's system-information launcher: finds the program through
// two registry entries and starts it, or tells the user it is unavailable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "os/registry.h"
#include "toolkit/toolkit.h"

namespace vemora {

inline constexpr std::string_view kSysInfoUnavailable =
    "Systeminformationsprogramm zur Zeit nicht verfügbar.";

// Reads value `subKeyRef` of key `keyName` below `keyRoot` into `keyVal`.
// True when the key opened and the value was read; false sets `keyVal` to
// "". A text value (type 1) loses one terminating zero; a 32-bit number
// (type 4) becomes "&h" + hex digits; other types leave `keyVal` as it was.
// A value reported with size 0 raises run-time error 5. The key is closed on
// every way out, that error included.
bool GetKeyValue(Registry& registry, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

// The "Systeminfo..." button's work. Every failure ends in the one message
// kSysInfoUnavailable; no run-time error reaches the caller.
void StartSysInfo(Services& services, Programs& programs, Registry& registry);

}  // namespace vemora
