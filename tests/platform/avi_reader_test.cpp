#include "platform/avi_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "avi_test_files.h"
#include "clip_drawing.h"
#include "riff_writer.h"
#include "rle8_encoder.h"
#include "support/os_helpers.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using namespace avi_testing;
using clipgen::Chunk;
using clipgen::List;
using testing_support::RowName;
using testing_support::TempDir;

std::optional<AviClip> Read(const Bytes& bytes) {
  return ReadAvi(std::span<const std::uint8_t>(bytes));
}

// Our clip as the build wrote it beside the executable.
TEST(GeneratedClipTest, ReadsBackFrameByFrameAsDrawn) {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  const std::optional<AviClip> clip = ReadAviFile(VEMORA_CLIP_FILE);
  ASSERT_TRUE(clip.has_value()) << VEMORA_CLIP_FILE;
  EXPECT_EQ(clip->width, 57);
  EXPECT_EQ(clip->height, 41);
  EXPECT_EQ(clip->microSecPerFrame, drawn.microSecPerFrame);
  ASSERT_GE(drawn.frames.size(), 24u);
  EXPECT_EQ(clip->frames, ToPixels(drawn.frames, drawn.palette));
}

class FfmpegTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  }
  TempDir dir_;
};

TEST_F(FfmpegTest, DecodesOurClipToTheDrawnPixels) {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  const std::optional<Bytes> decoded = FfmpegRgb24(VEMORA_CLIP_FILE);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(*decoded == ToRgb24(ToPixels(drawn.frames, drawn.palette)));
}

struct FfmpegFormatRow {
  const char* name;
  std::string pixelFormat;
  std::string size;
};

class FfmpegWrittenTest : public FfmpegTest, public testing::WithParamInterface<FfmpegFormatRow> {};

// ffmpeg writes an uncompressed AVI from its test picture; our reader must
// see what ffmpeg itself decodes from that file.
TEST_P(FfmpegWrittenTest, ReadsWhatFfmpegDecodes) {
  const std::string file = dir_ / "written.avi";
  const std::string command =
      "ffmpeg -v error -nostdin -y -f lavfi -i testsrc=size=" + GetParam().size +
      ":rate=5 -frames:v 3 -c:v rawvideo -pix_fmt " + GetParam().pixelFormat + " " +
      ShellQuote(file);
  ASSERT_TRUE(RunAndCapture(command).has_value()) << command;
  const std::optional<Bytes> decoded = FfmpegRgb24(file);
  ASSERT_TRUE(decoded.has_value());
  const std::optional<AviClip> clip = ReadAviFile(file);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(std::to_string(clip->width) + "x" + std::to_string(clip->height), GetParam().size);
  EXPECT_EQ(clip->frames.size(), 3u);
  EXPECT_EQ(clip->microSecPerFrame, 200000u);
  EXPECT_TRUE(ToRgb24(clip->frames) == *decoded);
}

INSTANTIATE_TEST_SUITE_P(Formats, FfmpegWrittenTest,
                         testing::Values(FfmpegFormatRow{"Pal8", "pal8", "16x12"},
                                         FfmpegFormatRow{"Pal8PaddedRows", "pal8", "13x7"},
                                         FfmpegFormatRow{"Bgr24", "bgr24", "16x12"},
                                         FfmpegFormatRow{"Bgr24PaddedRows", "bgr24", "13x7"}),
                         RowName<FfmpegFormatRow>);

// Rows that take every path of the encoder: long runs, runs of two and
// absolute stretches of odd and even length, up to and past 255.
TEST_F(FfmpegTest, EncoderRoundTripsThroughBothDecoders) {
  clipgen::AviVideo video;
  video.width = 701;
  video.height = 9;
  video.palette = SmallPalette();
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
  const Frames expected = ToPixels({pattern}, video.palette);
  const std::string file = WriteBytes(dir_ / "pattern.avi", clipgen::WriteAvi(video));
  const std::optional<AviClip> clip = ReadAviFile(file);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->frames, expected);
  const std::optional<Bytes> decoded = FfmpegRgb24(file);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(*decoded == ToRgb24(expected));
}

// Valid clips built in memory, with what the reader must make of them.
struct GoodRow {
  const char* name;
  Bytes bytes;
  Frames expected;
  std::uint32_t microSecPerFrame = 50000;
};

class GoodClipTest : public testing::TestWithParam<GoodRow> {};

TEST_P(GoodClipTest, DecodesToTheExpectedFrames) {
  const std::optional<AviClip> clip = Read(GetParam().bytes);
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(std::size_t(clip->width) * std::size_t(clip->height), GetParam().expected[0].size());
  EXPECT_EQ(clip->microSecPerFrame, GetParam().microSecPerFrame);
  EXPECT_EQ(clip->frames, GetParam().expected);
}

const std::uint32_t kOpaque = 0xFF000000u;

Bytes Small(const std::function<void(AviParts&)>& change) {
  AviParts parts = PartsOf(SmallRleVideo());
  change(parts);
  return Assemble(parts);
}

Frames SmallExpected(const std::function<void(Frames&)>& change = nullptr) {
  Frames frames = ToPixels(SmallIndexFrames(), SmallPalette());
  if (change) change(frames);
  return frames;
}

// A 5 x 3 picture whose pixel at (x, y) has index 3 * y + x (24 bits: that
// index as red, one more as green, two more as blue), rows padded with 0xEE.
GoodRow Gradient(const char* name, std::uint16_t bitCount, bool topDown) {
  clipgen::AviVideo video;
  video.width = 5;
  video.height = topDown ? -3 : 3;
  video.bitCount = bitCount;
  video.compression = clipgen::kBiRgb;
  video.microSecPerFrame = 50000;
  if (bitCount == 8) video.palette = SmallPalette();
  Bytes data;
  std::vector<std::uint32_t> pixels;
  for (int stored = 0; stored < 3; ++stored) {
    const int y = topDown ? stored : 2 - stored;
    for (std::uint8_t x = 0; x < 5; ++x) {
      const auto index = static_cast<std::uint8_t>(3 * y + x);
      if (bitCount == 8) data.push_back(index);
      if (bitCount == 24)
        data.insert(data.end(), {std::uint8_t(index + 2), std::uint8_t(index + 1), index});
    }
    while (data.size() % 4 != 0) data.push_back(0xEE);
  }
  for (std::uint32_t p = 0; p < 15; ++p) {  // top row first
    const std::uint32_t index = 3 * (p / 5) + p % 5;
    pixels.push_back(kOpaque | (bitCount == 8 ? SmallPalette()[index]
                                              : index << 16 | (index + 1) << 8 | (index + 2)));
  }
  video.frames = {data};
  return {name, clipgen::WriteAvi(video), {pixels}};
}

INSTANTIATE_TEST_SUITE_P(
    Clips, GoodClipTest,
    testing::Values(
        GoodRow{"Rle8", clipgen::WriteAvi(SmallRleVideo()), SmallExpected()},
        GoodRow{"Rle8InUncompressedChunks", Small([](AviParts& p) {
                  for (Bytes& c : p.movi) c[3] = 'b';
                }),
                SmallExpected()},
        GoodRow{"FramesInRecLists", Small([](AviParts& p) {
                  p.movi = {List("rec ", {p.movi[0], p.movi[1]}), List("rec ", {p.movi[2]})};
                }),
                SmallExpected()},
        GoodRow{"OddChunksArePadded", Small([](AviParts& p) {
                  p.hdrlExtra.push_back(Chunk("JUNK", Bytes(3, 0xAB)));
                  p.movi.insert(p.movi.begin() + 1, Chunk("JUNK", Bytes(5, 0xCD)));
                  Bytes odd = SmallRleVideo().frames[2];
                  odd.push_back(0xFF);  // after the end of bitmap: never read
                  p.movi[3] = Chunk("00dc", odd);
                }),
                SmallExpected()},
        GoodRow{"EmptyChunkRepeatsThePreviousFrame",
                Small([](AviParts& p) { p.movi.insert(p.movi.begin() + 1, Chunk("00dc", {})); }),
                SmallExpected([](Frames& f) { f.insert(f.begin() + 1, f[0]); })},
        GoodRow{"EmptyFirstFrameShowsPaletteEntryZero",
                Small([](AviParts& p) { p.movi.insert(p.movi.begin(), Chunk("00dc", {})); }),
                SmallExpected([](Frames& f) {
                  f.insert(f.begin(), std::vector<std::uint32_t>(48, kOpaque | SmallPalette()[0]));
                })},
        // Bottom row: index 9 at x = 2..3; then skip to x = 6 of the row
        // above and set one pixel to index 10.
        GoodRow{"DeltaKeepsThePreviousPixels", Small([](AviParts& p) {
                  p.movi.resize(2);
                  p.movi[1] = Chunk("00dc", {0, 2, 2, 0, 2, 9, 0, 2, 2, 1, 1, 10, 0, 1});
                }),
                SmallExpected([](Frames& f) {
                  f.resize(2);
                  f[1] = f[0];
                  f[1][5 * 8 + 2] = f[1][5 * 8 + 3] = kOpaque | SmallPalette()[9];
                  f[1][4 * 8 + 6] = kOpaque | SmallPalette()[10];
                })},
        GoodRow{"EndOfDataEndsTheBitmap", Small([](AviParts& p) {
                  p.movi = {Chunk("00dc", {8, 3})};
                }),
                [] {
                  std::vector<std::uint32_t> f(48, kOpaque | SmallPalette()[0]);
                  std::fill(f.begin() + 40, f.end(), kOpaque | SmallPalette()[3]);
                  return Frames{f};
                }()},
        // An audio stream before the video, its chunks among the frames.
        GoodRow{"VideoAsSecondStream",
                [] {
                  AviParts p = PartsOf(SmallRleVideo());
                  PutU32At(p.avih, 24, 2);
                  for (Bytes& c : p.movi) c[1] = '1';
                  p.movi.insert(p.movi.begin() + 1, Chunk("00wb", Bytes(101, 0x80)));
                  Bytes strh(56, 0);
                  std::copy_n("auds", 4, strh.begin());
                  const Bytes wave = {1,    0, 1, 0, 0x40, 0x1F, 0, 0, 0x40,
                                      0x1F, 0, 0, 1, 0,    8,    0, 0, 0};
                  const Bytes hdrl =
                      List("hdrl", {Chunk("avih", p.avih),
                                    List("strl", {Chunk("strh", strh), Chunk("strf", wave)}),
                                    List("strl", {Chunk("strh", p.strh), Chunk("strf", p.strf)})});
                  return clipgen::Riff("AVI ", {hdrl, List("movi", p.movi)});
                }(),
                SmallExpected()},
        GoodRow{"PaletteChange", Small([](AviParts& p) {
                  p.movi.insert(p.movi.begin() + 2, Chunk("00pc", {3, 2, 0, 0, 0x11, 0x22, 0x33, 0,
                                                                   0x44, 0x55, 0x66, 0}));
                }),
                SmallExpected([](Frames& f) {
                  std::vector<std::uint32_t> palette = SmallPalette();
                  palette[3] = 0x112233;
                  palette[4] = 0x445566;
                  f[2] = ToPixels({SmallIndexFrames()[2]}, palette)[0];
                })},
        GoodRow{"FullPaletteWithCountZero", Small([](AviParts& p) {
                  PutU32At(p.strf, 32, 0);
                  p.strf.resize(40 + 1024, 0x7F);
                }),
                SmallExpected()},
        GoodRow{"FrameTimeFromStreamHeader", Small([](AviParts& p) {
                  PutU32At(p.avih, 0, 0);
                  PutU32At(p.strh, 20, 1);   // scale
                  PutU32At(p.strh, 24, 15);  // rate: 15 frames a second
                }),
                SmallExpected(), 66666},
        GoodRow{"NoFrameTimeAtAll", Small([](AviParts& p) {
                  PutU32At(p.avih, 0, 0);
                  PutU32At(p.strh, 24, 0);
                }),
                SmallExpected(), kAviDefaultMicroSecPerFrame},
        GoodRow{"LastPadByteMissing",
                [] {
                  Bytes b = Small([](AviParts& p) {
                    p.index = false;
                    p.movi.push_back(Chunk("JUNK", {1}));
                  });
                  b.pop_back();
                  const RiffNode movi = FindNode(b, "LIST:movi");
                  PutU32At(b, movi.at + 4, movi.size - 1);
                  PutU32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
                  return b;
                }(),
                SmallExpected()},
        Gradient("Uncompressed8BottomUp", 8, false), Gradient("Uncompressed8TopDown", 8, true),
        Gradient("Uncompressed24BottomUp", 24, false), Gradient("Uncompressed24TopDown", 24, true)),
    RowName<GoodRow>);

class BadClipTest : public testing::TestWithParam<BadClip> {};

TEST_P(BadClipTest, IsRefused) {
  EXPECT_FALSE(Read(GetParam().bytes).has_value());
  TempDir dir;
  EXPECT_FALSE(ReadAviFile(WriteBytes(dir / "bad.avi", GetParam().bytes)).has_value());
}

INSTANTIATE_TEST_SUITE_P(Clips, BadClipTest, testing::ValuesIn(BadClips()), RowName<BadClip>);

TEST(AviFileTest, RefusesWhatIsNoReadableFile) {
  TempDir dir;
  EXPECT_FALSE(ReadAviFile(dir / "missing.avi").has_value());
  EXPECT_FALSE(ReadAviFile(dir.Path()).has_value());
  EXPECT_FALSE(ReadAviFile("").has_value());
  // A valid clip, padded inside the RIFF past the size limit.
  const Bytes big =
      Small([](AviParts& p) { p.movi.push_back(Chunk("JUNK", Bytes(kAviMaxFileBytes, 0))); });
  ASSERT_TRUE(Read(big).has_value());
  EXPECT_FALSE(ReadAviFile(WriteBytes(dir / "big.avi", big)).has_value());
}

// Damaged copies of good clips: bytes overwritten, sizes set to edge values,
// pieces cut out. The reader answers without crashing, and what it accepts
// keeps the frame size it promises.
TEST(DamagedClipTest, NeverCrashes) {
  const Bytes seeds[] = {clipgen::WriteAvi(SmallRleVideo()), Gradient("", 8, false).bytes,
                         Gradient("", 24, true).bytes};
  std::mt19937 random(20240611);
  const std::uint32_t edges[] = {
      0, 1, 2, 3, 4, 0x7F, 0xFF, 0x100, 0xFFFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFF7u, 0xFFFFFFFFu};
  int accepted = 0;
  for (int round = 0; round < 6000; ++round) {
    Bytes bytes = seeds[round % 3];
    for (int c = 0, changes = 1 + int(random() % 4); c < changes && !bytes.empty(); ++c) {
      const std::size_t at = random() % bytes.size();
      const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(at);
      switch (random() % 4) {
        case 0:
          bytes[at] = static_cast<std::uint8_t>(random());
          break;
        case 1:
          if (at + 4 <= bytes.size()) PutU32At(bytes, at, edges[random() % std::size(edges)]);
          break;
        case 2:
          bytes.erase(from, from + static_cast<std::ptrdiff_t>(std::min<std::size_t>(
                                       bytes.size() - at, 1 + random() % 16)));
          break;
        default:
          bytes.resize(at);
      }
    }
    const std::optional<AviClip> clip = Read(bytes);
    if (!clip) continue;
    ++accepted;
    ASSERT_FALSE(clip->frames.empty());
    for (const auto& frame : clip->frames) {
      ASSERT_EQ(frame.size(), std::size_t(clip->width) * std::size_t(clip->height));
    }
  }
  EXPECT_GT(accepted, 0);  // some damage is harmless (pixels, junk): the good path runs too
}

}  // namespace
}  // namespace vemora
