#include "clip_drawing.h"

#include <array>
#include <cstddef>

namespace vemora::clipgen {
namespace {

enum Colour : std::uint8_t {
  kBackground,
  kBorder,
  kBoard,
  kTrace,
  kGold,
  kChip,
  kChipLit,
  kChipFlash,
  kBitBright,
  kBitDim,
  kPin,
  kGauge,
  kGaugeEmpty,
  kColourCount
};

constexpr std::array<std::uint32_t, kColourCount> kPalette = {
    0x141E3C,  // background, dark blue
    0x5A6478,  // border
    0x1E7A3C,  // circuit board
    0x145A2C,  // board traces
    0xD8B03C,  // gold contacts
    0x202024,  // chip body
    0x3CD8F0,  // chip holding data
    0xC8FAFF,  // full chip, flashing
    0x6CFF6C,  // falling bit
    0x2C8C3C,  // bit trail
    0xA0A0A8,  // chip pins
    0xFFC030,  // gauge
    0x504018,  // gauge, empty part
};

constexpr int kChips = 6;
constexpr int kChipLeft = 5;  // first chip's left edge
constexpr int kChipPitch = 8;
constexpr int kChipWidth = 6;
constexpr int kChipTop = 18;
constexpr int kChipHeight = 11;
constexpr int kLevelsPerChip = 3;  // each level lights three rows
constexpr int kRowsPerLevel = 3;
constexpr int kFramesPerLevel = 2;
constexpr int kFillFrames = kChips * kLevelsPerChip * kFramesPerLevel;  // 36
constexpr int kFlashFrames = 4;
constexpr int kFrames = kFillFrames + kFlashFrames;

constexpr int kBitsTop = 2;  // falling bits are drawn between these rows
constexpr int kBitsBottom = 16;
constexpr int kBitSpacing = 7;  // rows from one bit to the next
constexpr int kBitSpeed = 2;    // rows a frame

// 3 x 5 glyphs of 0 and 1, one row per entry, bit 2 is the left column.
constexpr std::array<std::array<std::uint8_t, 5>, 2> kGlyphs = {{
    {0b111, 0b101, 0b101, 0b101, 0b111},
    {0b010, 0b110, 0b010, 0b010, 0b111},
}};
constexpr std::array<int, 16> kBitStream = {1, 0, 1, 1, 0, 0, 1, 1, 1, 0, 1, 0, 0, 1, 0, 1};

class Canvas {
 public:
  Canvas() : pixels_(static_cast<std::size_t>(kClipWidth) * kClipHeight, kBackground) {}

  void Set(int x, int y, std::uint8_t colour, int clipTop = 0, int clipBottom = kClipHeight) {
    if (x < 0 || x >= kClipWidth || y < clipTop || y >= clipBottom || y >= kClipHeight) return;
    pixels_[static_cast<std::size_t>(y) * kClipWidth + static_cast<std::size_t>(x)] = colour;
  }

  void Fill(int left, int top, int width, int height, std::uint8_t colour) {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) Set(x, y, colour);
    }
  }

  std::vector<std::uint8_t> Take() { return std::move(pixels_); }

 private:
  std::vector<std::uint8_t> pixels_;
};

void DrawFrameBorder(Canvas& canvas) {
  for (int x = 0; x < kClipWidth; ++x) {
    canvas.Set(x, 0, kBorder);
    canvas.Set(x, kClipHeight - 1, kBorder);
  }
  for (int y = 0; y < kClipHeight; ++y) {
    canvas.Set(0, y, kBorder);
    canvas.Set(kClipWidth - 1, y, kBorder);
  }
}

void DrawModule(Canvas& canvas) {
  canvas.Fill(3, 16, 51, 19, kBoard);
  for (int x = 4; x < 53; x += 3) canvas.Set(x, 30, kTrace);  // traces between chips and contacts
  canvas.Fill(4, 31, 49, 1, kTrace);
  for (int x = 5; x < 52; x += 2) {  // gold fingers, with the key notch in the middle
    if (x >= 26 && x <= 30) continue;
    canvas.Fill(x, 32, 1, 3, kGold);
  }
  canvas.Fill(27, 33, 3, 2, kBackground);
  for (int chip = 0; chip < kChips; ++chip) {
    const int left = kChipLeft + chip * kChipPitch;
    canvas.Fill(left, kChipTop, kChipWidth, kChipHeight, kChip);
    for (int x = left; x < left + kChipWidth; x += 2) {
      canvas.Set(x + 1, kChipTop - 1, kPin);
      canvas.Set(x + 1, kChipTop + kChipHeight, kPin);
    }
  }
}

// Lights `levels` levels of chip `chip`, from its bottom up.
void FillChip(Canvas& canvas, int chip, int levels, std::uint8_t colour) {
  const int left = kChipLeft + chip * kChipPitch + 1;
  const int bottom = kChipTop + kChipHeight - 1;  // last row inside the chip's frame
  const int rows = levels * kRowsPerLevel;
  canvas.Fill(left, bottom - rows, kChipWidth - 2, rows, colour);
}

void DrawGlyph(Canvas& canvas, int left, int top, int bit, std::uint8_t colour) {
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 3; ++column) {
      if ((kGlyphs[static_cast<std::size_t>(bit)][static_cast<std::size_t>(row)] >> (2 - column)) &
          1) {
        canvas.Set(left + column, top + row, colour, kBitsTop, kBitsBottom);
      }
    }
  }
}

// The bits stream down above the chip being filled; the lowest one shown
// is bright, the ones behind it trail.
void DrawFallingBits(Canvas& canvas, int frame, int chip) {
  const int left = kChipLeft + chip * kChipPitch + 1;
  bool first = true;
  for (int n = 0; n < 16; ++n) {
    const int top = frame * kBitSpeed - n * kBitSpacing - 3;
    if (top >= kBitsBottom) continue;
    if (top + 5 <= kBitsTop) break;
    DrawGlyph(canvas, left, top, kBitStream[static_cast<std::size_t>(n)],
              first ? kBitBright : kBitDim);
    first = false;
  }
}

// A gauge along the bottom: one segment per level filled.
void DrawGauge(Canvas& canvas, int levels) {
  constexpr int kSegments = kChips * kLevelsPerChip;  // 18 segments of 2 pixels, 1 apart
  constexpr int kLeft = (kClipWidth - (kSegments * 3 - 1)) / 2;
  for (int segment = 0; segment < kSegments; ++segment) {
    canvas.Fill(kLeft + segment * 3, 37, 2, 2, segment < levels ? kGauge : kGaugeEmpty);
  }
}

std::vector<std::uint8_t> DrawFrame(int frame) {
  Canvas canvas;
  DrawFrameBorder(canvas);
  DrawModule(canvas);
  if (frame < kFillFrames) {
    const int levels = frame / kFramesPerLevel;  // levels already full
    for (int level = 0; level < levels; ++level) {
      FillChip(canvas, level / kLevelsPerChip, level % kLevelsPerChip + 1, kChipLit);
    }
    DrawFallingBits(canvas, frame, levels / kLevelsPerChip);
    DrawGauge(canvas, levels);
  } else {
    const bool bright = (frame - kFillFrames) % 2 == 0;
    for (int chip = 0; chip < kChips; ++chip) {
      FillChip(canvas, chip, kLevelsPerChip, bright ? kChipFlash : kChipLit);
    }
    DrawGauge(canvas, kChips * kLevelsPerChip);
  }
  return canvas.Take();
}

}  // namespace

DrawnClip DrawMemoryClip() {
  DrawnClip clip;
  clip.width = kClipWidth;
  clip.height = kClipHeight;
  clip.microSecPerFrame = 100000;  // ten frames a second
  clip.palette.assign(kPalette.begin(), kPalette.end());
  for (int frame = 0; frame < kFrames; ++frame) clip.frames.push_back(DrawFrame(frame));
  return clip;
}

}  // namespace vemora::clipgen
