// Small AVIs built in memory with the clip generator's writer, for the reader
// and the animation control tests; the ones the reader must refuse as a table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "avi_writer.h"

namespace vemora::avi_testing {

using clipgen::Bytes;
using Frames = std::vector<std::vector<std::uint32_t>>;

// The pieces of a one-video-stream AVI, to be changed before assembling.
struct AviParts {
  Bytes avih, strh, strf;
  std::vector<Bytes> hdrlExtra;  // after the stream's "strl"
  std::vector<Bytes> movi;       // whole chunks
};

void PutU32At(Bytes& bytes, std::size_t at, std::uint32_t value);

// A chunk or list ("LIST:type") in a RIFF file.
struct RiffNode {
  std::string id;
  std::size_t at = 0;    // of the header
  std::size_t data = 0;  // of the data (for a list: of its type)
  std::uint32_t size = 0;
};
RiffNode FindNode(const Bytes& bytes, const std::string& id);

// 8 x 6 RLE8 with a 16-colour palette, three frames; `change` edits its parts.
std::vector<std::vector<std::uint8_t>> SmallIndexFrames();
std::vector<std::uint32_t> SmallPalette();
clipgen::AviVideo SmallRleVideo();
Bytes SmallClip(const std::function<void(AviParts&)>& change);
Frames ToPixels(const std::vector<std::vector<std::uint8_t>>& frames,
                const std::vector<std::uint32_t>& palette);

// One 5 x 3 uncompressed frame: pixel (x, y) has index 3 * y + x (24 bits:
// that index as red, one more as green, two more as blue); rows padded with
// 0xEE.
clipgen::AviVideo GradientVideo(std::uint16_t bitCount, bool topDown);
Frames GradientPixels(std::uint16_t bitCount);

struct BadClip {
  std::string name;
  Bytes bytes;
};
std::vector<BadClip> BadClips();

std::string WriteBytes(const std::string& file, const Bytes& bytes);

}  // namespace vemora::avi_testing
