// A reader for the silent AVI clips that the animation control plays:
// uncompressed 8-bit frames with a palette, uncompressed 24-bit frames, and
// RLE8. Every size field is checked against its container and against sane
// limits before anything is allocated from it; a file that breaks any rule,
// or uses another codec, is refused as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vemora {

// Limits of what the reader accepts.
inline constexpr int kAviMaxSide = 4096;                         // width and height
inline constexpr std::size_t kAviMaxFrames = 10000;              // frames in one clip
inline constexpr std::uint64_t kAviMaxTotalPixels = 1ull << 25;  // all decoded frames together
inline constexpr std::uint64_t kAviMaxFileBytes = 16ull << 20;   // ReadAviFile only
inline constexpr std::uint32_t kAviDefaultMicroSecPerFrame = 100000;

struct AviClip {
  int width = 0;
  int height = 0;
  // Display time of one frame; never 0 (a clip that gives no rate gets
  // kAviDefaultMicroSecPerFrame).
  std::uint32_t microSecPerFrame = 0;
  // One entry per frame, width * height pixels, 0xAARRGGBB with alpha 0xFF,
  // rows top-down.
  std::vector<std::vector<std::uint32_t>> frames;
};

// Decodes a whole clip held in memory. Refused (nullopt): anything that is
// not a RIFF 'AVI ' file, broken or overlong chunk sizes, no or more than one
// video stream, a codec other than uncompressed 8/24-bit or RLE8, sizes
// outside the limits above, frame data that does not fit the bitmap.
// Audio streams are ignored: their headers are checked like any chunk, their
// data chunks are skipped.
std::optional<AviClip> ReadAvi(std::span<const std::uint8_t> bytes);

// Reads a regular file of at most kAviMaxFileBytes and decodes it.
std::optional<AviClip> ReadAviFile(const std::string& path);

}  // namespace vemora
