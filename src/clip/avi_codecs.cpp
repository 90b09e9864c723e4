// The frame codecs, and a clip's frames decoded one at a time as they are
// shown.
#include "clip/avi_codecs.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "clip/avi_reader.h"

namespace vemora {
namespace avi {

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

namespace {

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

}  // namespace

bool DecodeFrame(Bytes data, const VideoFormat& format, std::uint8_t* indices,
                 std::uint32_t* pixels) {
  if (format.compression == kBiRle8) return DecodeRle8(data, format, indices);
  if (format.bitCount == 8) return DecodeUncompressed8(data, format, indices);
  return DecodeUncompressed24(data, format, pixels);
}

}  // namespace avi

using namespace avi;

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
