// The frame codecs of the clip reader: uncompressed 8-bit and 24-bit frames,
// RLE8 and palette changes, each checked against the bitmap it fills. What
// flows in is one chunk's bytes; what flows out is palette indices or pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace vemora::avi {

using Bytes = std::span<const std::uint8_t>;

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kOpaque = 0xFF000000u;

struct VideoFormat {
  int width = 0;
  int height = 0;  // always positive
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::array<std::uint32_t, 256> palette{};
};

// AVIPALCHANGE: first entry, entry count (0 means 256), flags, then
// PALETTEENTRY red, green, blue, flags. False when it does not fit.
bool ApplyPaletteChange(Bytes data, std::array<std::uint32_t, 256>& palette);

// One frame's data into the picture: palette `indices` for 8-bit frames
// (RLE8 changes the previous frame's), `pixels` 0xAARRGGBB for 24-bit ones.
// With no target, only checks that the frame fits the bitmap.
bool DecodeFrame(Bytes data, const VideoFormat& format, std::uint8_t* indices,
                 std::uint32_t* pixels);

}  // namespace vemora::avi
