#include "avi_writer.h"

#include <algorithm>
#include <cstdlib>

namespace vemora::clipgen {
namespace {

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint32_t kAviifKeyFrame = 0x10;

std::uint32_t LargestFrame(const AviVideo& video) {
  std::size_t largest = 0;
  for (const Bytes& frame : video.frames) largest = std::max(largest, frame.size());
  return static_cast<std::uint32_t>(largest);
}

}  // namespace

Bytes MainHeaderData(const AviVideo& video, std::uint32_t streams) {
  Bytes out;
  const std::uint32_t largest = LargestFrame(video);
  PutU32(out, video.microSecPerFrame);
  PutU32(out, video.microSecPerFrame == 0
                  ? 0
                  : static_cast<std::uint32_t>(std::uint64_t{largest} * 1000000 /
                                               video.microSecPerFrame));
  PutU32(out, 0);  // padding granularity
  PutU32(out, kAvifHasIndex);
  PutU32(out, static_cast<std::uint32_t>(video.frames.size()));
  PutU32(out, 0);  // initial frames
  PutU32(out, streams);
  PutU32(out, largest + 8);
  PutU32(out, static_cast<std::uint32_t>(video.width));
  PutU32(out, static_cast<std::uint32_t>(std::abs(video.height)));
  for (int i = 0; i < 4; ++i) PutU32(out, 0);
  return out;
}

Bytes VideoStreamHeaderData(const AviVideo& video) {
  Bytes out;
  PutFourCC(out, "vids");
  if (video.compression == kBiRle8) {
    PutFourCC(out, "mrle");
  } else {
    PutU32(out, 0);
  }
  PutU32(out, 0);                       // flags
  PutU16(out, 0);                       // priority
  PutU16(out, 0);                       // language
  PutU32(out, 0);                       // initial frames
  PutU32(out, video.microSecPerFrame);  // scale: rate / scale frames a second
  PutU32(out, 1000000);                 // rate
  PutU32(out, 0);                       // start
  PutU32(out, static_cast<std::uint32_t>(video.frames.size()));
  PutU32(out, LargestFrame(video));
  PutU32(out, 0xFFFFFFFFu);  // quality: default
  PutU32(out, 0);            // sample size: varies
  PutU16(out, 0);            // frame rectangle
  PutU16(out, 0);
  PutU16(out, static_cast<std::uint16_t>(video.width));
  PutU16(out, static_cast<std::uint16_t>(std::abs(video.height)));
  return out;
}

Bytes BitmapInfoData(const AviVideo& video) {
  Bytes out;
  const std::uint32_t stride =
      ((static_cast<std::uint32_t>(video.width) * video.bitCount + 31) / 32) * 4;
  PutU32(out, 40);
  PutI32(out, video.width);
  PutI32(out, video.height);
  PutU16(out, 1);
  PutU16(out, video.bitCount);
  PutU32(out, video.compression);
  PutU32(out, video.compression == kBiRgb
                  ? stride * static_cast<std::uint32_t>(std::abs(video.height))
                  : 0);
  PutU32(out, 0);  // pixels per metre
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(video.palette.size()));
  PutU32(out, 0);                            // all colours important
  for (std::uint32_t rgb : video.palette) {  // RGBQUAD: blue, green, red, 0
    out.push_back(static_cast<std::uint8_t>(rgb));
    out.push_back(static_cast<std::uint8_t>(rgb >> 8));
    out.push_back(static_cast<std::uint8_t>(rgb >> 16));
    out.push_back(0);
  }
  return out;
}

std::string_view FrameChunkId(const AviVideo& video) {
  return video.compression == kBiRgb ? "00db" : "00dc";
}

Bytes WriteAvi(const AviVideo& video) {
  const Bytes strl = List(
      "strl", {Chunk("strh", VideoStreamHeaderData(video)), Chunk("strf", BitmapInfoData(video))});
  const Bytes hdrl = List("hdrl", {Chunk("avih", MainHeaderData(video, 1)), strl});

  std::vector<Bytes> frameChunks;
  Bytes index;
  std::uint32_t offset = 4;  // from the list type "movi"
  for (const Bytes& frame : video.frames) {
    frameChunks.push_back(Chunk(FrameChunkId(video), frame));
    PutFourCC(index, FrameChunkId(video));
    PutU32(index, frame.empty() ? 0 : kAviifKeyFrame);
    PutU32(index, offset);
    PutU32(index, static_cast<std::uint32_t>(frame.size()));
    offset += static_cast<std::uint32_t>(frameChunks.back().size());
  }
  return Riff("AVI ", {hdrl, List("movi", frameChunks), Chunk("idx1", index)});
}

}  // namespace vemora::clipgen
