// Small AVIs built in memory with the clip generator's writer, for the clip
// reader, the animation control and the About window tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "avi_writer.h"

namespace vemora::avi_testing {

using clipgen::Bytes;

// 8 x 6 RLE8 with a 16-colour palette, three frames.
std::vector<std::vector<std::uint8_t>> SmallIndexFrames();
std::vector<std::uint32_t> SmallPalette();
clipgen::AviVideo SmallRleVideo();

std::string WriteBytes(const std::string& file, const Bytes& bytes);

}  // namespace vemora::avi_testing
