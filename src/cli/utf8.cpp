#include "cli/utf8.h"

#include <cstdint>

namespace vemora::cli {
namespace {

// Lead bytes of multi-byte sequences: mask, value, length, smallest code point.
struct Lead {
  std::uint8_t mask, value;
  std::size_t length;
  std::uint32_t minimum;
};
constexpr Lead kLeads[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};

}  // namespace

std::size_t ValidSequence(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  if (byte(0) < 0x80) return 1;
  for (const Lead& lead : kLeads) {
    if ((byte(0) & lead.mask) != lead.value) continue;
    if (text.size() < lead.length) return 0;
    std::uint32_t code = byte(0) & static_cast<std::uint8_t>(~lead.mask);
    for (std::size_t i = 1; i < lead.length; ++i) {
      if ((byte(i) & 0xC0) != 0x80) return 0;
      code = (code << 6) | (byte(i) & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lead.minimum || code > 0x10FFFF || surrogate ? 0 : lead.length;
  }
  return 0;
}

}  // namespace vemora::cli
