#include "clip/avi_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "avi_test_files.h"
#include "clip_drawing.h"
#include "fuzz_check.h"
#include "riff_writer.h"
#include "rle8_encoder.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using namespace avi_testing;
using clipgen::Chunk;
using clipgen::List;
using testing_support::RowName;

std::optional<AviClip> Read(const Bytes& bytes) {
  return ParseAvi(std::string(bytes.begin(), bytes.end()));
}

// Every frame in order, as the animation control asks for them.
Frames AllFrames(AviClip& clip) {
  Frames frames(clip.FrameCount());
  for (std::size_t i = 0; i < frames.size(); ++i) clip.Decode(i, frames[i]);
  return frames;
}

// Valid clips, and what the reader must make of them.
struct GoodRow {
  const char* name;
  Bytes bytes;
  Frames expected;
  std::uint32_t microSecPerFrame = 50000;
};

class GoodClipTest : public testing::TestWithParam<GoodRow> {};

TEST_P(GoodClipTest, DecodesToTheExpectedFrames) {
  const GoodRow& row = GetParam();
  std::optional<AviClip> clip = Read(row.bytes);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->MicroSecPerFrame(), row.microSecPerFrame);
  EXPECT_EQ(std::size_t(clip->Width()) * std::size_t(clip->Height()), row.expected[0].size());
  EXPECT_EQ(AllFrames(*clip), row.expected);
}

// Our clip as the build wrote it beside the executable.
GoodRow OurClip() {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  std::ifstream in(VEMORA_CLIP_FILE, std::ios::binary);
  return {"OurClip", Bytes(std::istreambuf_iterator<char>(in), {}),
          ToPixels(drawn.frames, drawn.palette), drawn.microSecPerFrame};
}

// Rows that take every path of the encoder: long runs, runs of two and
// absolute stretches of odd and even length, up to and past 255.
GoodRow EncoderPaths() {
  clipgen::AviVideo video{701, 9, 8, clipgen::kBiRle8, SmallPalette(), 50000, {}};
  std::vector<std::uint8_t> pattern;
  for (int y = 0; y < video.height; ++y) {
    for (int x = 0, piece = 0; x < video.width; ++piece) {
      const int length = 1 + (piece * 37 + y * 11) % 300;
      for (int i = 0; i < length && x < video.width; ++i, ++x) {
        pattern.push_back(static_cast<std::uint8_t>((piece + y) % 2 == 0 ? (piece * 7 + y) % 16
                                                                         : (x * 5 + y) % 16));
      }
    }
  }
  video.frames = {clipgen::EncodeRle8(pattern, video.width, video.height)};
  return {"EncoderPaths", clipgen::WriteAvi(video), ToPixels({pattern}, video.palette)};
}

GoodRow Gradient(const char* name, std::uint16_t bitCount, bool topDown) {
  return {name, clipgen::WriteAvi(GradientVideo(bitCount, topDown)), GradientPixels(bitCount)};
}

const std::uint32_t kOpaque = 0xFF000000u;

Frames SmallExpected(const std::function<void(Frames&)>& change = nullptr) {
  Frames frames = ToPixels(SmallIndexFrames(), SmallPalette());
  if (change) change(frames);
  return frames;
}

INSTANTIATE_TEST_SUITE_P(
    Clips, GoodClipTest,
    testing::Values(
        GoodRow{"Rle8", clipgen::WriteAvi(SmallRleVideo()), SmallExpected()},
        GoodRow{"Rle8InUncompressedChunks", SmallClip([](AviParts& p) {
                  for (Bytes& c : p.movi) c[3] = 'b';
                }),
                SmallExpected()},
        GoodRow{"FramesInRecLists", SmallClip([](AviParts& p) {
                  p.movi = {List("rec ", {p.movi[0], p.movi[1]}), List("rec ", {p.movi[2]})};
                }),
                SmallExpected()},
        GoodRow{"OddChunksArePadded", SmallClip([](AviParts& p) {
                  p.hdrlExtra.push_back(Chunk("JUNK", Bytes(3, 0xAB)));
                  p.movi.insert(p.movi.begin() + 1, Chunk("JUNK", Bytes(5, 0xCD)));
                  Bytes odd = SmallRleVideo().frames[2];
                  odd.push_back(0xFF);  // after the end of bitmap: never read
                  p.movi[3] = Chunk("00dc", odd);
                }),
                SmallExpected()},
        GoodRow{"EmptyChunkRepeatsThePreviousFrame", SmallClip([](AviParts& p) {
                  p.movi.insert(p.movi.begin() + 1, Chunk("00dc", {}));
                }),
                SmallExpected([](Frames& f) { f.insert(f.begin() + 1, f[0]); })},
        // Palette entries are stored blue, green, red, unused.
        GoodRow{"EmptyFirstFrameShowsPaletteEntryZero", SmallClip([](AviParts& p) {
                  std::copy_n("\x33\x22\x11", 3, p.strf.begin() + 40);
                  p.movi = {Chunk("00dc", {})};
                }),
                Frames{std::vector<std::uint32_t>(48, kOpaque | 0x112233)}},
        // Absolute stretches of odd length are padded to a word, even ones not.
        GoodRow{"AbsoluteStretches", SmallClip([](AviParts& p) {
                  p.movi = {Chunk("00dc", {0, 3, 1, 2, 3, 0, 0, 4, 4, 5, 6, 7, 1, 8, 0, 1})};
                }),
                [] {
                  std::vector<std::uint32_t> f(48, kOpaque | SmallPalette()[0]);
                  for (int x = 0; x < 8; ++x) f[40 + x] = kOpaque | SmallPalette()[x + 1];
                  return Frames{f};
                }()},
        // Bottom row: index 9 at x = 2..3; then skip to x = 6 of the row
        // above and set one pixel to index 10.
        GoodRow{"DeltaKeepsThePreviousPixels", SmallClip([](AviParts& p) {
                  p.movi.resize(2);
                  p.movi[1] = Chunk("00dc", {0, 2, 2, 0, 2, 9, 0, 2, 2, 1, 1, 10, 0, 1});
                }),
                SmallExpected([](Frames& f) {
                  f.resize(2);
                  f[1] = f[0];
                  f[1][5 * 8 + 2] = f[1][5 * 8 + 3] = kOpaque | SmallPalette()[9];
                  f[1][4 * 8 + 6] = kOpaque | SmallPalette()[10];
                })},
        GoodRow{"EndOfDataEndsTheBitmap", SmallClip([](AviParts& p) {
                  p.movi = {Chunk("00dc", {8, 3})};
                }),
                [] {
                  std::vector<std::uint32_t> f(48, kOpaque | SmallPalette()[0]);
                  std::fill(f.begin() + 40, f.end(), kOpaque | SmallPalette()[3]);
                  return Frames{f};
                }()},
        // An audio stream before the video, its chunks among the frames.
        GoodRow{"VideoAsSecondStream", SmallClip([](AviParts& p) {
                  PutU32At(p.avih, 24, 2);
                  for (Bytes& c : p.movi) c[1] = '1';
                  p.movi.insert(p.movi.begin() + 1, Chunk("00wb", Bytes(101, 0x80)));
                  p.hdrlExtra = {List("strl", {Chunk("strh", p.strh), Chunk("strf", p.strf)})};
                  p.strh.assign(56, 0);
                  std::copy_n("auds", 4, p.strh.begin());
                  p.strf = {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 0, 0};
                }),
                SmallExpected()},
        GoodRow{"PaletteChange", SmallClip([](AviParts& p) {
                  p.movi.insert(p.movi.begin() + 2, Chunk("00pc", {3, 2, 0, 0, 0x11, 0x22, 0x33, 0,
                                                                   0x44, 0x55, 0x66, 0}));
                }),
                SmallExpected([](Frames& f) {
                  std::vector<std::uint32_t> palette = SmallPalette();
                  palette[3] = 0x112233;
                  palette[4] = 0x445566;
                  f[2] = ToPixels({SmallIndexFrames()[2]}, palette)[0];
                })},
        GoodRow{"FullPaletteWithCountZero", SmallClip([](AviParts& p) {
                  PutU32At(p.strf, 32, 0);
                  p.strf.resize(40 + 1024, 0x7F);
                }),
                SmallExpected()},
        GoodRow{"FrameTimeFromStreamHeader", SmallClip([](AviParts& p) {
                  PutU32At(p.avih, 0, 0);
                  PutU32At(p.strh, 20, 1);   // scale
                  PutU32At(p.strh, 24, 15);  // rate: 15 frames a second
                }),
                SmallExpected(), 66666},
        GoodRow{"NoFrameTimeAtAll", SmallClip([](AviParts& p) {
                  PutU32At(p.avih, 0, 0);
                  PutU32At(p.strh, 24, 0);
                }),
                SmallExpected(), kAviDefaultMicroSecPerFrame},
        GoodRow{"LastPadByteMissing",
                [] {
                  Bytes b = SmallClip([](AviParts& p) { p.movi.push_back(Chunk("JUNK", {1})); });
                  b.pop_back();
                  const RiffNode movi = FindNode(b, "LIST:movi");
                  PutU32At(b, movi.at + 4, movi.size - 1);
                  PutU32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
                  return b;
                }(),
                SmallExpected()},
        OurClip(), EncoderPaths(), Gradient("Uncompressed8BottomUp", 8, false),
        Gradient("Uncompressed8TopDown", 8, true), Gradient("Uncompressed24BottomUp", 24, false),
        Gradient("Uncompressed24TopDown", 24, true)),
    RowName<GoodRow>);

class BadClipTest : public testing::TestWithParam<BadClip> {};

TEST_P(BadClipTest, IsRefused) {
  EXPECT_FALSE(Read(GetParam().bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(Clips, BadClipTest, testing::ValuesIn(BadClips()), RowName<BadClip>);

// Damaged copies of good clips: bytes overwritten, sizes set to edge values,
// pieces cut out. Whatever the reader accepts keeps the limits it promises.
TEST(DamagedClipTest, KeepsTheLimits) {
  const Bytes seeds[] = {clipgen::WriteAvi(SmallRleVideo()),
                         clipgen::WriteAvi(GradientVideo(8, false)),
                         clipgen::WriteAvi(GradientVideo(24, true))};
  const std::uint32_t edges[] = {
      0, 1, 2, 3, 4, 0x7F, 0xFF, 0x100, 0xFFFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFF7u, 0xFFFFFFFFu};
  std::mt19937 random(20240611);
  int accepted = 0;
  for (int round = 0; round < 6000; ++round) {
    Bytes b = seeds[round % 3];
    for (int c = 1 + int(random() % 4); c > 0 && !b.empty(); --c) {
      const std::size_t at = random() % b.size();
      const auto from = b.begin() + static_cast<std::ptrdiff_t>(at);
      const auto kind = random() % 4;
      if (kind == 0) b[at] = static_cast<std::uint8_t>(random());
      if (kind == 1 && at + 4 <= b.size()) PutU32At(b, at, edges[random() % std::size(edges)]);
      if (kind == 2)
        b.erase(from, from + std::min<std::ptrdiff_t>(b.end() - from, 1 + int(random() % 16)));
      if (kind == 3) b.resize(at);
    }
    ASSERT_NO_THROW(fuzzing::CheckAviReader(b)) << "round " << round;
    accepted += Read(b).has_value();
  }
  EXPECT_GT(accepted, 0);  // some damage is harmless (pixels, junk): the good path runs too
}

}  // namespace
}  // namespace vemora
