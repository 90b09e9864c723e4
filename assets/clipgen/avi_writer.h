// Writes a silent AVI with one video stream: RIFF 'AVI ', the header list
// (main header, one stream header and its BITMAPINFOHEADER with palette),
// the frames in "movi" and an "idx1" index.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "riff_writer.h"

namespace vemora::clipgen {

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;

struct AviVideo {
  int width = 0;
  int height = 0;  // negative: rows stored top-down (uncompressed only)
  std::uint16_t bitCount = 8;
  std::uint32_t compression = kBiRle8;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB; biClrUsed is its size
  std::uint32_t microSecPerFrame = 100000;
  std::vector<Bytes> frames;  // one chunk's data per frame, in order
};

// The parts, for writers of unusual files (tests).
Bytes MainHeaderData(const AviVideo& video, std::uint32_t streams);
Bytes VideoStreamHeaderData(const AviVideo& video);
Bytes BitmapInfoData(const AviVideo& video);
// "00db" for uncompressed frames, "00dc" for compressed ones.
std::string_view FrameChunkId(const AviVideo& video);

Bytes WriteAvi(const AviVideo& video);

}  // namespace vemora::clipgen
