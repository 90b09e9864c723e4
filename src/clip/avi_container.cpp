// The RIFF container of a clip: its chunks and lists, the headers, and where
// each frame and palette change lies; every frame is checked with its codec.
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "clip/avi_codecs.h"
#include "clip/avi_reader.h"

namespace vemora {
namespace {

using namespace avi;

// "LIST rec " inside "movi" may nest; deeper than this is refused.
constexpr int kMaxListDepth = 4;

std::uint16_t U16(Bytes b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(Bytes b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::int32_t I32(Bytes b, std::size_t at) {
  return static_cast<std::int32_t>(U32(b, at));
}

bool IdIs(Bytes b, std::size_t at, std::string_view id) {
  return b.size() >= at + 4 && std::memcmp(b.data() + at, id.data(), 4) == 0;
}

struct Chunk {
  std::array<char, 4> id;
  Bytes data;  // for LIST: the list type followed by the children

  bool Is(std::string_view fourcc) const { return std::memcmp(id.data(), fourcc.data(), 4) == 0; }
  bool IsList(std::string_view type) const { return Is("LIST") && IdIs(data, 0, type); }
  Bytes Children() const { return data.subspan(4); }
};

// Calls visit for each chunk of a list body, in order. False when a chunk's
// header or data does not fit in the body, a list is too short for its
// type, or visit says so. An odd-sized chunk is followed by a pad byte,
// which only the body's last chunk may lack.
template <class Visit>
bool ForEachChunk(Bytes body, Visit&& visit) {
  std::size_t at = 0;
  while (at < body.size()) {
    if (body.size() - at < 8) return false;
    const std::uint32_t size = U32(body, at + 4);
    if (size > body.size() - at - 8) return false;
    Chunk chunk{{}, body.subspan(at + 8, size)};
    std::memcpy(chunk.id.data(), body.data() + at, 4);
    if ((chunk.Is("LIST") || chunk.Is("RIFF")) && size < 4) return false;
    if (!visit(chunk)) return false;
    at += 8 + static_cast<std::size_t>(size);
    if ((size & 1) != 0 && at < body.size()) ++at;
  }
  return true;
}

struct Header {
  std::uint32_t microSecPerFrame = 0;
  std::uint32_t totalFrames = 0;
  int videoStream = -1;
  VideoFormat format;
};

bool ParseBitmapInfo(Bytes strf, VideoFormat& format) {
  if (strf.size() < 40) return false;
  const std::uint32_t biSize = U32(strf, 0);
  if (biSize < 40 || biSize > strf.size()) return false;
  const std::int64_t width = I32(strf, 4);
  const std::int64_t height = I32(strf, 8);
  const std::uint16_t planes = U16(strf, 12);
  const std::uint16_t bitCount = U16(strf, 14);
  const std::uint32_t compression = U32(strf, 16);
  const std::uint32_t colorsUsed = U32(strf, 32);
  if (width < 1 || width > kAviMaxSide) return false;
  if (height == 0 || height > kAviMaxSide || height < -kAviMaxSide) return false;
  if (planes != 1) return false;
  if (compression == kBiRgb) {
    if (bitCount != 8 && bitCount != 24) return false;
  } else if (compression == kBiRle8) {
    // RLE bitmaps are always bottom-up.
    if (bitCount != 8 || height < 0) return false;
  } else {
    return false;
  }
  format.width = static_cast<int>(width);
  format.height = static_cast<int>(height < 0 ? -height : height);
  format.topDown = height < 0;
  format.bitCount = bitCount;
  format.compression = compression;
  format.palette.fill(kOpaque);  // indices past the file's table show black
  if (bitCount == 8) {
    const std::uint32_t count = colorsUsed == 0 ? 256 : colorsUsed;
    if (count > 256) return false;
    const Bytes table = strf.subspan(biSize);
    if (table.size() / 4 < count) return false;
    for (std::size_t i = 0; i < count; ++i) {  // RGBQUAD: blue, green, red, reserved
      format.palette[i] = kOpaque | (std::uint32_t{table[4 * i + 2]} << 16) |
                          (std::uint32_t{table[4 * i + 1]} << 8) | table[4 * i];
    }
  }
  return true;
}

bool ParseStreamList(Bytes strl, int index, Header& header) {
  std::optional<Bytes> strh;
  std::optional<Bytes> strf;
  const bool ok = ForEachChunk(strl, [&](const Chunk& chunk) {
    if (chunk.Is("strh") && !strh) strh = chunk.data;
    if (chunk.Is("strf") && !strf) strf = chunk.data;
    return true;
  });
  if (!ok || !strh || strh->size() < 48) return false;
  if (!IdIs(*strh, 0, "vids")) return true;  // audio and others: ignored
  if (header.videoStream >= 0 || !strf) return false;
  header.videoStream = index;
  if (U32(*strh, 32) > kAviMaxFrames) return false;  // dwLength
  if (header.microSecPerFrame == 0) {
    const std::uint64_t scale = U32(*strh, 20);
    const std::uint64_t rate = U32(*strh, 24);
    if (scale != 0 && rate != 0) {
      header.microSecPerFrame = static_cast<std::uint32_t>(
          std::clamp<std::uint64_t>(scale * 1000000 / rate, 1, UINT32_MAX));
    }
  }
  return ParseBitmapInfo(*strf, header.format);
}

bool ParseHeaderList(Bytes hdrl, Header& header) {
  std::optional<Bytes> avih;
  std::vector<Bytes> streamLists;
  constexpr std::size_t kMaxStreams = 100;  // stream numbers are two digits
  const bool ok = ForEachChunk(hdrl, [&](const Chunk& chunk) {
    if (chunk.Is("avih") && !avih) avih = chunk.data;
    if (chunk.IsList("strl")) {
      if (streamLists.size() >= kMaxStreams) return false;
      streamLists.push_back(chunk.Children());
    }
    return true;
  });
  if (!ok || !avih || avih->size() < 40) return false;
  header.microSecPerFrame = U32(*avih, 0);
  header.totalFrames = U32(*avih, 16);
  const std::uint32_t streams = U32(*avih, 24);
  if (header.totalFrames == 0 || header.totalFrames > kAviMaxFrames) return false;
  if (streams == 0 || streams != streamLists.size()) return false;
  for (std::size_t i = 0; i < streamLists.size(); ++i) {
    if (!ParseStreamList(streamLists[i], static_cast<int>(i), header)) return false;
  }
  if (header.videoStream < 0) return false;
  if (header.microSecPerFrame == 0) header.microSecPerFrame = kAviDefaultMicroSecPerFrame;
  return true;
}

struct RawEvent {
  bool palette;
  Bytes data;
};

// Collects the video stream's frames and palette changes from "movi", in
// order, also from "LIST rec " groups.
bool CollectEvents(Bytes list, int depth, const std::array<char, 2>& stream,
                   std::vector<RawEvent>& events) {
  if (depth > kMaxListDepth) return false;
  return ForEachChunk(list, [&](const Chunk& chunk) {
    if (chunk.IsList("rec ")) return CollectEvents(chunk.Children(), depth + 1, stream, events);
    if (chunk.id[0] != stream[0] || chunk.id[1] != stream[1]) return true;
    const bool frame = (chunk.id[2] == 'd' && (chunk.id[3] == 'b' || chunk.id[3] == 'c'));
    const bool palette = chunk.id[2] == 'p' && chunk.id[3] == 'c';
    if (!frame && !palette) return true;
    if (events.size() >= 2 * kAviMaxFrames) return false;
    events.push_back({palette, chunk.data});
    return true;
  });
}

}  // namespace

std::optional<AviClip> ParseAvi(std::string file) {
  AviClip clip;
  clip.bytes_ = std::move(file);
  const Bytes bytes(reinterpret_cast<const std::uint8_t*>(clip.bytes_.data()), clip.bytes_.size());
  if (bytes.size() < 12 || !IdIs(bytes, 0, "RIFF") || !IdIs(bytes, 8, "AVI ")) return std::nullopt;
  const std::uint32_t riffSize = U32(bytes, 4);
  if (riffSize < 4 || riffSize > bytes.size() - 8) return std::nullopt;
  const Bytes body = bytes.subspan(12, riffSize - 4);

  std::optional<Bytes> hdrl;
  std::optional<Bytes> movi;
  const bool ok = ForEachChunk(body, [&](const Chunk& chunk) {
    if (chunk.IsList("hdrl") && !hdrl) hdrl = chunk.Children();
    if (chunk.IsList("movi") && !movi) movi = chunk.Children();
    return true;
  });
  if (!ok || !hdrl || !movi) return std::nullopt;

  Header header;
  if (!ParseHeaderList(*hdrl, header)) return std::nullopt;
  VideoFormat& format = header.format;

  const std::array<char, 2> stream{static_cast<char>('0' + header.videoStream / 10),
                                   static_cast<char>('0' + header.videoStream % 10)};
  std::vector<RawEvent> events;
  if (!CollectEvents(*movi, 0, stream, events)) return std::nullopt;
  const std::size_t frameCount = static_cast<std::size_t>(
      std::count_if(events.begin(), events.end(), [](const RawEvent& e) { return !e.palette; }));
  const std::uint64_t framePixels =
      static_cast<std::uint64_t>(format.width) * static_cast<std::uint64_t>(format.height);
  if (frameCount == 0 || frameCount > kAviMaxFrames ||
      frameCount * framePixels > kAviMaxTotalPixels) {
    return std::nullopt;
  }
  // Every frame and palette change is checked now, without decoding a
  // pixel, so that showing a frame later cannot fail.
  std::array<std::uint32_t, 256> palette = format.palette;
  for (const RawEvent& event : events) {
    if (event.palette) {
      if (format.bitCount == 8 && !ApplyPaletteChange(event.data, palette)) return std::nullopt;
    } else if (!event.data.empty() && !DecodeFrame(event.data, format, nullptr, nullptr)) {
      return std::nullopt;
    }
  }

  clip.width_ = format.width;
  clip.height_ = format.height;
  clip.topDown_ = format.topDown;
  clip.bitCount_ = format.bitCount;
  clip.rle_ = format.compression == kBiRle8;
  clip.microSecPerFrame_ = header.microSecPerFrame;
  clip.frameCount_ = frameCount;
  clip.firstPalette_ = format.palette;
  clip.events_.reserve(events.size());
  for (const RawEvent& event : events) {
    clip.events_.push_back({event.palette,
                            static_cast<std::size_t>(event.data.data() - bytes.data()),
                            event.data.size()});
  }
  clip.Rewind();
  return clip;
}

}  // namespace vemora
