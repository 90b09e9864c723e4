// A reader for the silent AVI clips that the animation control plays:
// uncompressed 8-bit frames with a palette, uncompressed 24-bit frames, and
// RLE8. Every size field is checked against its container and against sane
// limits before anything is allocated from it; a file that breaks any rule,
// or uses another codec, is refused as a whole. Frames are decoded one at a
// time, when they are shown.
#pragma once

#include <array>
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
inline constexpr std::uint64_t kAviMaxTotalPixels = 1ull << 25;  // all frames of a clip together
inline constexpr std::uint64_t kAviMaxFileBytes = 16ull << 20;   // for whoever reads the file
inline constexpr std::uint32_t kAviDefaultMicroSecPerFrame = 100000;

// A clip that ParseAvi accepted. It keeps the file's bytes and decodes a
// frame only when asked, so its memory is the file plus one frame of palette
// indices, however many frames the clip has.
class AviClip {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Display time of one frame; never 0 (a clip that gives no rate gets
  // kAviDefaultMicroSecPerFrame).
  std::uint32_t MicroSecPerFrame() const { return microSecPerFrame_; }
  // At least 1.
  std::size_t FrameCount() const { return frameCount_; }

  // Puts frame `index` (below FrameCount()) into `pixels`: Width() * Height()
  // pixels, 0xAARRGGBB with alpha 0xFF, rows top-down. A frame may change
  // only part of the one before, so playing forward, and going back to
  // frame 0, cost one frame each; any other step back decodes again from
  // the first frame. Cannot fail: ParseAvi has checked every frame.
  void Decode(std::size_t index, std::vector<std::uint32_t>& pixels);

 private:
  friend std::optional<AviClip> ParseAvi(std::string bytes);
  AviClip() = default;
  struct Event {
    bool palette;          // a palette change, else a frame
    std::size_t at, size;  // of its data in bytes_
  };

  void Rewind();
  std::span<const std::uint8_t> Data(const Event& event) const;

  std::string bytes_;
  int width_ = 0;
  int height_ = 0;
  bool topDown_ = false;
  int bitCount_ = 0;
  bool rle_ = false;
  std::uint32_t microSecPerFrame_ = 0;
  std::size_t frameCount_ = 0;
  std::vector<Event> events_;
  std::array<std::uint32_t, 256> firstPalette_{};
  // Where decoding stands: events taken, frames among them, the palette and
  // the 8-bit picture so far, the last 24-bit frame with data.
  std::size_t nextEvent_ = 0;
  std::size_t framesTaken_ = 0;
  std::array<std::uint32_t, 256> palette_{};
  std::vector<std::uint8_t> indices_;
  std::optional<std::size_t> lastData_;  // in events_
};

// Takes a whole clip as it lies in a file. Refused (nullopt): anything that
// is not a RIFF 'AVI ' file, broken or overlong chunk sizes, no or more than
// one video stream, a codec other than uncompressed 8/24-bit or RLE8, sizes
// outside the limits above, frame data that does not fit the bitmap.
// Audio streams are ignored: their headers are checked like any chunk, their
// data chunks are skipped.
std::optional<AviClip> ParseAvi(std::string bytes);

}  // namespace vemora
