// Draws Vemora's clip and writes it as an RLE8 AVI to the file named by the
// only argument.
#include <cstdio>
#include <exception>
#include <fstream>

#include "avi_writer.h"
#include "clip_drawing.h"
#include "rle8_encoder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.avi\n", argc > 0 ? argv[0] : "vemora_clipgen");
    return 2;
  }
  try {
    using namespace vemora::clipgen;
    const DrawnClip drawn = DrawMemoryClip();
    AviVideo video;
    video.width = drawn.width;
    video.height = drawn.height;
    video.bitCount = 8;
    video.compression = kBiRle8;
    video.palette = drawn.palette;
    video.microSecPerFrame = drawn.microSecPerFrame;
    for (const auto& frame : drawn.frames)
      video.frames.push_back(EncodeRle8(frame, drawn.width, drawn.height));
    const Bytes file = WriteAvi(video);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", argv[1]);
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
