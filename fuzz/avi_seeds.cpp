// Writes the clip reader's seed clips into the folder named by the only
// argument: tiny clips of every kind the reader decodes, built by the clip
// generator's own writer, so the fuzzer starts from files that decode.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "avi_writer.h"
#include "rle8_encoder.h"

namespace {

using vemora::clipgen::AviVideo;
using vemora::clipgen::Bytes;

constexpr int kWidth = 5;  // odd, so rows need padding and runs end unevenly
constexpr int kHeight = 3;

std::vector<std::uint8_t> Indices(int frame) {
  std::vector<std::uint8_t> indices;
  for (int i = 0; i < kWidth * kHeight; ++i) {
    indices.push_back(static_cast<std::uint8_t>(i % 4 < 2 ? frame % 4 : (i + frame) % 4));
  }
  return indices;
}

AviVideo Video(std::uint16_t bitCount, std::uint32_t compression, int height) {
  AviVideo video;
  video.width = kWidth;
  video.height = height;
  video.bitCount = bitCount;
  video.compression = compression;
  if (bitCount == 8) video.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  return video;
}

// Uncompressed rows are padded to four bytes and stored bottom-up unless
// the height is negative.
Bytes RawFrame(int frame, int bytesPerPixel) {
  const int stride = (kWidth * bytesPerPixel + 3) / 4 * 4;
  Bytes data(static_cast<std::size_t>(stride * kHeight), 0);
  const std::vector<std::uint8_t> indices = Indices(frame);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth * bytesPerPixel; ++x) {
      data[static_cast<std::size_t>(y * stride + x)] = static_cast<std::uint8_t>(
          indices[static_cast<std::size_t>(y * kWidth + x / bytesPerPixel)] * 60 + x);
    }
  }
  return data;
}

bool Write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argc > 0 ? argv[0] : "vemora_avi_seeds");
    return 2;
  }
  using namespace vemora::clipgen;
  const std::string folder = argv[1];
  AviVideo rle = Video(8, kBiRle8, kHeight);
  for (int f = 0; f < 3; ++f) rle.frames.push_back(EncodeRle8(Indices(f), kWidth, kHeight));
  rle.frames.push_back({});  // repeats the frame before
  AviVideo raw8 = Video(8, kBiRgb, -kHeight);
  for (int f = 0; f < 2; ++f) raw8.frames.push_back(RawFrame(f, 1));
  AviVideo raw24 = Video(24, kBiRgb, kHeight);
  for (int f = 0; f < 2; ++f) raw24.frames.push_back(RawFrame(f, 3));
  const bool ok = Write(folder + "/rle8.avi", WriteAvi(rle)) &&
                  Write(folder + "/raw8_top_down.avi", WriteAvi(raw8)) &&
                  Write(folder + "/raw24.avi", WriteAvi(raw24));
  if (!ok) std::fprintf(stderr, "cannot write into %s\n", folder.c_str());
  return ok ? 0 : 1;
}
