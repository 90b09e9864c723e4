#include "clip/avi_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace vemora {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kOpaque = 0xFF000000u;
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

struct VideoFormat {
  int width = 0;
  int height = 0;  // always positive
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::array<std::uint32_t, 256> palette{};
};

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
    for (std::uint32_t i = 0; i < count; ++i) {  // RGBQUAD: blue, green, red, reserved
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

// AVIPALCHANGE: first entry, entry count (0 means 256), flags, then
// PALETTEENTRY red, green, blue, flags.
bool ApplyPaletteChange(Bytes data, std::array<std::uint32_t, 256>& palette) {
  if (data.size() < 4) return false;
  const std::uint32_t first = data[0];
  const std::uint32_t count = data[1] == 0 ? 256 : data[1];
  if (first + count > 256 || (data.size() - 4) / 4 < count) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = 4 + 4 * i;
    palette[first + i] = kOpaque | (std::uint32_t{data[at]} << 16) |
                         (std::uint32_t{data[at + 1]} << 8) | data[at + 2];
  }
  return true;
}

// Row of the image (top-down) that the n-th stored row fills.
std::size_t ImageRow(const VideoFormat& format, std::size_t storedRow) {
  return format.topDown ? storedRow : static_cast<std::size_t>(format.height) - 1 - storedRow;
}

// With no `indices`, only checks that the frame fits.
bool DecodeUncompressed8(Bytes data, const VideoFormat& format, std::uint8_t* indices) {
  const std::size_t width = static_cast<std::size_t>(format.width);
  const std::size_t stride = (width + 3) & ~std::size_t{3};
  if (data.size() / stride < static_cast<std::size_t>(format.height)) return false;
  if (indices == nullptr) return true;
  for (std::size_t row = 0; row < static_cast<std::size_t>(format.height); ++row) {
    std::memcpy(indices + ImageRow(format, row) * width, data.data() + row * stride, width);
  }
  return true;
}

// With no `pixels`, only checks that the frame fits.
bool DecodeUncompressed24(Bytes data, const VideoFormat& format, std::uint32_t* pixels) {
  const std::size_t width = static_cast<std::size_t>(format.width);
  const std::size_t stride = (width * 3 + 3) & ~std::size_t{3};
  if (data.size() / stride < static_cast<std::size_t>(format.height)) return false;
  if (pixels == nullptr) return true;
  for (std::size_t row = 0; row < static_cast<std::size_t>(format.height); ++row) {
    const std::uint8_t* in = data.data() + row * stride;
    std::uint32_t* out = pixels + ImageRow(format, row) * width;
    for (std::size_t x = 0; x < width; ++x, in += 3) {
      out[x] = kOpaque | (std::uint32_t{in[2]} << 16) | (std::uint32_t{in[1]} << 8) | in[0];
    }
  }
  return true;
}

// BI_RLE8 into the previous frame's indices: pixels that a delta skips keep
// their value. Every run, absolute run and delta must stay inside the
// bitmap; the end of the data counts as the end of the bitmap. With no
// `indices`, only walks the data to check it: where a run lands never
// depends on the pixels before it.
bool DecodeRle8(Bytes data, const VideoFormat& format, std::uint8_t* indices) {
  const std::size_t width = static_cast<std::size_t>(format.width);
  const std::size_t height = static_cast<std::size_t>(format.height);
  std::size_t x = 0;
  std::size_t y = 0;  // stored row, bottom-up
  std::size_t at = 0;
  auto row = [&] { return indices + ImageRow(format, y) * width; };
  while (at < data.size()) {
    if (data.size() - at < 2) return false;
    const std::size_t count = data[at];
    const std::uint8_t value = data[at + 1];
    at += 2;
    if (count > 0) {
      if (y >= height || count > width - x) return false;
      if (indices != nullptr) std::memset(row() + x, value, count);
      x += count;
      continue;
    }
    switch (value) {
      case 0:  // end of line
        if (y >= height) return false;
        x = 0;
        ++y;
        break;
      case 1:  // end of bitmap
        return true;
      case 2: {  // delta: right and up
        if (data.size() - at < 2) return false;
        const std::size_t dx = data[at];
        const std::size_t dy = data[at + 1];
        at += 2;
        if (y >= height || dx > width - x || dy >= height - y) return false;
        x += dx;
        y += dy;
        break;
      }
      default: {  // absolute run of `value` indices, padded to a word
        const std::size_t literal = value;
        if (y >= height || literal > width - x || literal > data.size() - at) return false;
        if (indices != nullptr) std::memcpy(row() + x, data.data() + at, literal);
        x += literal;
        at += literal;
        if ((literal & 1) != 0 && at < data.size()) ++at;
        break;
      }
    }
  }
  return true;
}

bool DecodeFrame(Bytes data, const VideoFormat& format, std::uint8_t* indices,
                 std::uint32_t* pixels) {
  if (format.compression == kBiRle8) return DecodeRle8(data, format, indices);
  if (format.bitCount == 8) return DecodeUncompressed8(data, format, indices);
  return DecodeUncompressed24(data, format, pixels);
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

std::span<const std::uint8_t> AviClip::Data(const Event& event) const {
  return {reinterpret_cast<const std::uint8_t*>(bytes_.data()) + event.at, event.size};
}

void AviClip::Rewind() {
  nextEvent_ = 0;
  framesTaken_ = 0;
  palette_ = firstPalette_;
  // The picture that a frame changes: a first frame that is empty, or that
  // leaves pixels out, shows palette entry 0 (black for 24-bit) there.
  if (bitCount_ == 8) std::fill(indices_.begin(), indices_.end(), std::uint8_t{0});
  lastData_.reset();
}

void AviClip::Decode(std::size_t index, std::vector<std::uint32_t>& pixels) {
  VideoFormat format;
  format.width = width_;
  format.height = height_;
  format.topDown = topDown_;
  format.bitCount = bitCount_;
  format.compression = rle_ ? kBiRle8 : kBiRgb;
  const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  if (bitCount_ == 8 && indices_.size() != count) indices_.assign(count, 0);
  index = std::min(index, frameCount_ - 1);
  if (index + 1 < framesTaken_) Rewind();  // the frame shown now may be asked again
  while (framesTaken_ <= index) {
    const Event& event = events_[nextEvent_++];
    if (event.palette) {
      if (bitCount_ == 8) ApplyPaletteChange(Data(event), palette_);
      continue;
    }
    ++framesTaken_;
    if (event.size == 0) continue;  // an empty chunk repeats the previous frame
    if (bitCount_ == 8) {
      DecodeFrame(Data(event), format, indices_.data(), nullptr);
    } else {
      lastData_ = static_cast<std::size_t>(&event - events_.data());
    }
  }
  pixels.resize(count);
  if (bitCount_ == 8) {
    std::transform(indices_.begin(), indices_.end(), pixels.begin(),
                   [&](std::uint8_t i) { return palette_[i]; });
  } else if (lastData_) {
    DecodeFrame(Data(events_[*lastData_]), format, nullptr, pixels.data());
  } else {
    std::fill(pixels.begin(), pixels.end(), kOpaque);
  }
}

}  // namespace vemora
