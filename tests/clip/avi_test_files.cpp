#include "avi_test_files.h"

#include <fstream>
#include <stdexcept>

#include "rle8_encoder.h"

namespace vemora::avi_testing {

std::vector<std::vector<std::uint8_t>> SmallIndexFrames() {
  std::vector<std::vector<std::uint8_t>> frames(3);
  for (int f = 0; f < 3; ++f)
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x)
        frames[f].push_back(std::uint8_t(x < 4 ? (y + f) % 16 : (x * 3 + y * 5 + f) % 16));
  return frames;
}

std::vector<std::uint32_t> SmallPalette() {
  std::vector<std::uint32_t> palette;
  for (std::uint32_t i = 0; i < 16; ++i) {
    palette.push_back((i * 16u) << 16 | (255 - i * 15) << 8 | (i * 37u % 256));
  }
  return palette;
}

clipgen::AviVideo SmallRleVideo() {
  clipgen::AviVideo video{8, 6, 8, clipgen::kBiRle8, SmallPalette(), 50000, {}};
  for (const auto& frame : SmallIndexFrames())
    video.frames.push_back(clipgen::EncodeRle8(frame, 8, 6));
  return video;
}

std::string WriteBytes(const std::string& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file);
  return file;
}

}  // namespace vemora::avi_testing
