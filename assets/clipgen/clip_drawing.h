// Vemora's clip: bits fall into the chips of a memory module, one chip
// after the other, while a gauge below counts the memory filled; when all
// chips are full they flash and the module starts empty again.
#pragma once

#include <cstdint>
#include <vector>

namespace vemora::clipgen {

struct DrawnClip {
  int width = 0;
  int height = 0;
  std::uint32_t microSecPerFrame = 0;
  std::vector<std::uint32_t> palette;             // 0x00RRGGBB
  std::vector<std::vector<std::uint8_t>> frames;  // width * height indices, top-down
};

inline constexpr int kClipWidth = 57;
inline constexpr int kClipHeight = 41;

DrawnClip DrawMemoryClip();

}  // namespace vemora::clipgen
