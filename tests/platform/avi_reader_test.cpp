#include "platform/avi_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "avi_test_files.h"
#include "clip_drawing.h"
#include "riff_writer.h"
#include "rle8_encoder.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using avi_testing::AviParts;
using avi_testing::Assemble;
using avi_testing::BadClip;
using avi_testing::Bytes;
using avi_testing::Frames;
using avi_testing::PartsOf;
using avi_testing::PutU32At;
using avi_testing::SmallIndexFrames;
using avi_testing::SmallPalette;
using avi_testing::SmallRleVideo;
using avi_testing::TempDir;
using avi_testing::ToPixels;
using clipgen::Chunk;
using clipgen::List;
using testing_support::RowName;

std::optional<AviClip> Read(const Bytes& bytes) { return ReadAvi(std::span<const std::uint8_t>(bytes)); }

Frames DrawnPixels(const clipgen::DrawnClip& drawn) { return ToPixels(drawn.frames, drawn.palette); }

// Our clip as the build wrote it beside the executable.
TEST(GeneratedClipTest, ReadsBackFrameByFrameAsDrawn) {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  const std::optional<AviClip> clip = ReadAviFile(VEMORA_CLIP_FILE);
  ASSERT_TRUE(clip.has_value()) << VEMORA_CLIP_FILE;
  EXPECT_EQ(clip->width, 57);
  EXPECT_EQ(clip->height, 41);
  EXPECT_EQ(clip->microSecPerFrame, drawn.microSecPerFrame);
  ASSERT_GE(drawn.frames.size(), 24u);
  ASSERT_LE(drawn.frames.size(), 48u);
  const Frames expected = DrawnPixels(drawn);
  ASSERT_EQ(clip->frames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(clip->frames[i], expected[i]) << "frame " << i;
}

TEST(GeneratedClipTest, IsEightBitRleWithAFrameChunkPerDrawing) {
  std::ifstream in(VEMORA_CLIP_FILE, std::ios::binary);
  const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<avi_testing::RiffNode> nodes = avi_testing::WalkRiff(bytes);
  const avi_testing::RiffNode& strf = avi_testing::FindNode(nodes, "strf");
  EXPECT_EQ(bytes[strf.data + 14], 8);  // bits per pixel
  EXPECT_EQ(bytes[strf.data + 16], 1);  // BI_RLE8
  const auto frames = std::count_if(nodes.begin(), nodes.end(), [](const auto& n) { return n.id == "00dc"; });
  EXPECT_EQ(static_cast<std::size_t>(frames), clipgen::DrawMemoryClip().frames.size());
  // Consecutive frames differ, so the clip moves all the time.
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  for (std::size_t i = 0; i < drawn.frames.size(); ++i) {
    EXPECT_NE(drawn.frames[i], drawn.frames[(i + 1) % drawn.frames.size()]) << "frame " << i;
  }
}

class FfmpegTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!avi_testing::HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  }
  TempDir dir_;
};

TEST_F(FfmpegTest, DecodesOurClipToTheDrawnPixels) {
  const std::optional<Bytes> decoded = avi_testing::FfmpegRgb24(VEMORA_CLIP_FILE);
  ASSERT_TRUE(decoded.has_value());
  const Bytes expected = avi_testing::ToRgb24(DrawnPixels(clipgen::DrawMemoryClip()));
  ASSERT_EQ(decoded->size(), expected.size());
  EXPECT_TRUE(*decoded == expected);
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
  const std::filesystem::path file = dir_.path() / "written.avi";
  const std::string command = "ffmpeg -v error -nostdin -y -f lavfi -i testsrc=size=" + GetParam().size +
                              ":rate=5 -frames:v 3 -c:v rawvideo -pix_fmt " + GetParam().pixelFormat + " " +
                              avi_testing::ShellQuote(file.string());
  ASSERT_TRUE(avi_testing::RunAndCapture(command).has_value()) << command;
  const std::optional<Bytes> decoded = avi_testing::FfmpegRgb24(file);
  ASSERT_TRUE(decoded.has_value());
  const std::optional<AviClip> clip = ReadAviFile(file.string());
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(std::to_string(clip->width) + "x" + std::to_string(clip->height), GetParam().size);
  EXPECT_EQ(clip->frames.size(), 3u);
  EXPECT_EQ(clip->microSecPerFrame, 200000u);
  EXPECT_TRUE(avi_testing::ToRgb24(clip->frames) == *decoded);
}

INSTANTIATE_TEST_SUITE_P(Formats, FfmpegWrittenTest,
                         testing::Values(FfmpegFormatRow{"Pal8", "pal8", "16x12"},
                                         FfmpegFormatRow{"Pal8PaddedRows", "pal8", "13x7"},
                                         FfmpegFormatRow{"Bgr24", "bgr24", "16x12"},
                                         FfmpegFormatRow{"Bgr24PaddedRows", "bgr24", "13x7"}),
                         RowName<FfmpegFormatRow>);

// Rows that exercise every path of the encoder: long runs, runs of two,
// absolute stretches of odd and even length, up to and past 255.
std::vector<std::uint8_t> EncoderPattern(int width, int height) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < height; ++y) {
    int x = 0;
    int piece = 0;
    while (x < width) {
      const int length = 1 + (piece * 37 + y * 11) % 300;
      const bool run = (piece + y) % 2 == 0;
      for (int i = 0; i < length && x < width; ++i, ++x) {
        pixels.push_back(static_cast<std::uint8_t>(run ? (piece * 7 + y) % 16 : (x * 5 + y) % 16));
      }
      ++piece;
    }
  }
  return pixels;
}

TEST_F(FfmpegTest, EncoderRoundTripsThroughBothDecoders) {
  constexpr int kWidth = 701;
  constexpr int kHeight = 9;
  const std::vector<std::uint8_t> pattern = EncoderPattern(kWidth, kHeight);
  clipgen::AviVideo video;
  video.width = kWidth;
  video.height = kHeight;
  video.palette = SmallPalette();
  video.frames = {clipgen::EncodeRle8(pattern, kWidth, kHeight)};
  const Frames expected = ToPixels({pattern}, video.palette);
  const std::filesystem::path file = dir_.Write("pattern.avi", clipgen::WriteAvi(video));
  const std::optional<AviClip> clip = ReadAviFile(file.string());
  ASSERT_TRUE(clip.has_value());
  EXPECT_EQ(clip->frames, expected);
  const std::optional<Bytes> decoded = avi_testing::FfmpegRgb24(file);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(*decoded == avi_testing::ToRgb24(expected));
}

// Valid clips built in memory, with what the reader must make of them.
struct GoodRow {
  const char* name;
  std::function<Bytes()> build;
  std::function<Frames()> expected;
  std::uint32_t microSecPerFrame = 50000;
};

class GoodClipTest : public testing::TestWithParam<GoodRow> {};

TEST_P(GoodClipTest, DecodesToTheExpectedFrames) {
  const std::optional<AviClip> clip = Read(GetParam().build());
  ASSERT_TRUE(clip.has_value());
  const Frames expected = GetParam().expected();
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(static_cast<std::size_t>(clip->width) * static_cast<std::size_t>(clip->height), expected[0].size());
  EXPECT_EQ(clip->microSecPerFrame, GetParam().microSecPerFrame);
  ASSERT_EQ(clip->frames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(clip->frames[i], expected[i]) << "frame " << i;
}

Frames SmallExpected() { return ToPixels(SmallIndexFrames(), SmallPalette()); }

Bytes SmallWith(const std::function<void(AviParts&)>& change) {
  AviParts parts = PartsOf(SmallRleVideo());
  change(parts);
  return Assemble(parts);
}

// A 5 x 3 picture whose pixel at (x, y) has index 3 * y + x.
Frames GradientExpected(bool rgb) {
  std::vector<std::uint32_t> pixels;
  for (std::uint32_t y = 0; y < 3; ++y) {
    for (std::uint32_t x = 0; x < 5; ++x) {
      const std::uint32_t index = 3 * y + x;
      pixels.push_back(rgb ? 0xFF000000u | index << 16 | (index + 1) << 8 | (index + 2) : 0xFF000000u | SmallPalette()[index]);
    }
  }
  return {pixels};
}

Bytes Gradient(std::uint16_t bitCount, bool topDown) {
  clipgen::AviVideo video;
  video.width = 5;
  video.height = topDown ? -3 : 3;
  video.bitCount = bitCount;
  video.compression = clipgen::kBiRgb;
  video.microSecPerFrame = 50000;
  if (bitCount == 8) video.palette = SmallPalette();
  Bytes data;
  for (int stored = 0; stored < 3; ++stored) {
    const int y = topDown ? stored : 2 - stored;
    for (int x = 0; x < 5; ++x) {
      const auto index = static_cast<std::uint8_t>(3 * y + x);
      if (bitCount == 8) {
        data.push_back(index);
      } else {
        data.insert(data.end(), {static_cast<std::uint8_t>(index + 2), static_cast<std::uint8_t>(index + 1), index});
      }
    }
    while (data.size() % 4 != 0) data.push_back(0xEE);  // row padding, never shown
  }
  video.frames = {data};
  return clipgen::WriteAvi(video);
}

Bytes WaveStreamList() {
  Bytes strh;
  clipgen::PutFourCC(strh, "auds");
  strh.resize(56, 0);
  Bytes wave = {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 0, 0};  // PCM 8 kHz mono
  return List("strl", {Chunk("strh", strh), Chunk("strf", wave)});
}

INSTANTIATE_TEST_SUITE_P(
    Clips, GoodClipTest,
    testing::Values(
        GoodRow{"Rle8", [] { return clipgen::WriteAvi(SmallRleVideo()); }, SmallExpected},
        GoodRow{"Rle8InUncompressedChunks",
                [] {
                  return SmallWith([](AviParts& p) {
                    for (Bytes& c : p.movi) c[3] = 'b';
                  });
                },
                SmallExpected},
        GoodRow{"FramesInRecLists",
                [] { return SmallWith([](AviParts& p) { p.movi = {List("rec ", {p.movi[0], p.movi[1]}), List("rec ", {p.movi[2]})}; }); },
                SmallExpected},
        GoodRow{"OddChunksArePadded",
                [] {
                  return SmallWith([](AviParts& p) {
                    p.hdrlExtra.push_back(Chunk("JUNK", Bytes(3, 0xAB)));
                    p.movi.insert(p.movi.begin() + 1, Chunk("JUNK", Bytes(5, 0xCD)));
                    Bytes odd = SmallRleVideo().frames[2];
                    odd.push_back(0xFF);  // after the end of bitmap: never read
                    p.movi[3] = Chunk("00dc", odd);
                  });
                },
                SmallExpected},
        GoodRow{"EmptyChunkRepeatsThePreviousFrame",
                [] { return SmallWith([](AviParts& p) { p.movi.insert(p.movi.begin() + 1, Chunk("00dc", {})); }); },
                [] {
                  Frames f = SmallExpected();
                  f.insert(f.begin() + 1, f[0]);
                  return f;
                }},
        GoodRow{"EmptyFirstFrameShowsPaletteEntryZero",
                [] { return SmallWith([](AviParts& p) { p.movi.insert(p.movi.begin(), Chunk("00dc", {})); }); },
                [] {
                  Frames f = SmallExpected();
                  f.insert(f.begin(), std::vector<std::uint32_t>(48, 0xFF000000u | SmallPalette()[0]));
                  return f;
                }},
        GoodRow{"DeltaKeepsThePreviousPixels",
                [] {
                  return SmallWith([](AviParts& p) {
                    // Bottom row: index 9 at x = 2..3; then skip to x = 6 of the
                    // row above and set one pixel to index 10.
                    p.movi.resize(2);
                    p.movi[1] = Chunk("00dc", {0, 2, 2, 0, 2, 9, 0, 2, 2, 1, 1, 10, 0, 1});
                  });
                },
                [] {
                  Frames f = SmallExpected();
                  f.resize(2);
                  f[1] = f[0];
                  const std::uint32_t nine = 0xFF000000u | SmallPalette()[9];
                  f[1][5 * 8 + 2] = nine;
                  f[1][5 * 8 + 3] = nine;
                  f[1][4 * 8 + 6] = 0xFF000000u | SmallPalette()[10];
                  return f;
                }},
        GoodRow{"EndOfDataEndsTheBitmap",
                [] {
                  return SmallWith([](AviParts& p) {
                    p.movi.resize(1);
                    p.movi[0] = Chunk("00dc", {8, 3});
                  });
                },
                [] {
                  std::vector<std::uint32_t> f(48, 0xFF000000u | SmallPalette()[0]);
                  std::fill(f.begin() + 40, f.end(), 0xFF000000u | SmallPalette()[3]);
                  return Frames{f};
                }},
        GoodRow{"AudioStreamIsIgnored",
                [] {
                  return SmallWith([](AviParts& p) {
                    p.moreStreamLists.push_back(WaveStreamList());
                    PutU32At(p.avih, 24, 2);
                    p.movi.insert(p.movi.begin() + 1, Chunk("01wb", Bytes(101, 0x80)));
                    p.movi.push_back(Chunk("01wb", Bytes(7, 0x80)));
                  });
                },
                SmallExpected},
        GoodRow{"VideoAsSecondStream",
                [] {
                  AviParts p = PartsOf(SmallRleVideo());
                  PutU32At(p.avih, 24, 2);
                  for (Bytes& c : p.movi) c[1] = '1';
                  p.movi.insert(p.movi.begin(), Chunk("00wb", Bytes(4, 0x80)));
                  const Bytes strl = List("strl", {Chunk("strh", p.strh), Chunk("strf", p.strf)});
                  Bytes hdrl = List("hdrl", {Chunk("avih", p.avih), WaveStreamList(), strl});
                  return clipgen::Riff("AVI ", {hdrl, List("movi", p.movi)});
                },
                SmallExpected},
        GoodRow{"PaletteChange",
                [] {
                  return SmallWith([](AviParts& p) {
                    p.movi.insert(p.movi.begin() + 2, Chunk("00pc", {3, 2, 0, 0, 0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0}));
                  });
                },
                [] {
                  std::vector<std::uint32_t> palette = SmallPalette();
                  Frames f = SmallExpected();
                  palette[3] = 0x112233;
                  palette[4] = 0x445566;
                  f[2] = ToPixels({SmallIndexFrames()[2]}, palette)[0];
                  return f;
                }},
        GoodRow{"FullPaletteWithCountZero",
                [] {
                  return SmallWith([](AviParts& p) {
                    PutU32At(p.strf, 32, 0);
                    p.strf.resize(40 + 1024, 0x7F);
                  });
                },
                SmallExpected},
        GoodRow{"FrameTimeFromStreamHeader",
                [] {
                  return SmallWith([](AviParts& p) {
                    PutU32At(p.avih, 0, 0);
                    PutU32At(p.strh, 20, 1);   // scale
                    PutU32At(p.strh, 24, 15);  // rate: 15 frames a second
                  });
                },
                SmallExpected, 66666},
        GoodRow{"NoFrameTimeAtAll",
                [] {
                  return SmallWith([](AviParts& p) {
                    PutU32At(p.avih, 0, 0);
                    PutU32At(p.strh, 24, 0);
                  });
                },
                SmallExpected, kAviDefaultMicroSecPerFrame},
        GoodRow{"LastPadByteMissing",
                [] {
                  AviParts p = PartsOf(SmallRleVideo());
                  p.index = false;
                  p.movi.push_back(Chunk("JUNK", {1}));
                  Bytes b = Assemble(p);
                  b.pop_back();
                  const avi_testing::RiffNode movi = avi_testing::FindNode(avi_testing::WalkRiff(b), "LIST:movi");
                  PutU32At(b, movi.at + 4, movi.size - 1);
                  PutU32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
                  return b;
                },
                SmallExpected},
        GoodRow{"Uncompressed8BottomUp", [] { return Gradient(8, false); }, [] { return GradientExpected(false); }},
        GoodRow{"Uncompressed8TopDown", [] { return Gradient(8, true); }, [] { return GradientExpected(false); }},
        GoodRow{"Uncompressed24BottomUp", [] { return Gradient(24, false); }, [] { return GradientExpected(true); }},
        GoodRow{"Uncompressed24TopDown", [] { return Gradient(24, true); }, [] { return GradientExpected(true); }}),
    RowName<GoodRow>);

class BadClipTest : public testing::TestWithParam<BadClip> {};

TEST_P(BadClipTest, IsRefused) {
  EXPECT_FALSE(Read(GetParam().bytes).has_value());
  TempDir dir;
  EXPECT_FALSE(ReadAviFile(dir.Write("bad.avi", GetParam().bytes).string()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Clips, BadClipTest, testing::ValuesIn(avi_testing::BadClips()), RowName<BadClip>);

// The cuts and patches above start from a clip the reader does accept.
TEST(BadClipBaseTest, StartsFromAGoodClip) {
  EXPECT_TRUE(Read(clipgen::WriteAvi(SmallRleVideo())).has_value());
  EXPECT_TRUE(Read(Assemble(PartsOf(SmallRleVideo()))).has_value());
}

TEST(AviFileTest, RefusesWhatIsNoReadableFile) {
  TempDir dir;
  EXPECT_FALSE(ReadAviFile((dir.path() / "missing.avi").string()).has_value());
  EXPECT_FALSE(ReadAviFile(dir.path().string()).has_value());
  EXPECT_FALSE(ReadAviFile("").has_value());
}

TEST(AviFileTest, RefusesAFileAboveTheSizeLimit) {
  TempDir dir;
  // A valid clip followed by enough padding inside the RIFF to pass the limit.
  AviParts parts = PartsOf(SmallRleVideo());
  parts.movi.push_back(Chunk("JUNK", Bytes(kAviMaxFileBytes, 0)));
  const Bytes big = Assemble(parts);
  ASSERT_GT(big.size(), kAviMaxFileBytes);
  EXPECT_TRUE(Read(big).has_value());
  EXPECT_FALSE(ReadAviFile(dir.Write("big.avi", big).string()).has_value());
}


// Damaged copies of good clips: bytes overwritten, sizes set to edge
// values, pieces cut out. Whatever comes of it, the reader answers without
// crashing, and what it accepts keeps the frame size it promises.
TEST(DamagedClipTest, NeverCrashes) {
  std::vector<Bytes> seeds = {clipgen::WriteAvi(SmallRleVideo()), Gradient(8, false), Gradient(24, true)};
  std::mt19937 random(20240611);
  const std::uint32_t edges[] = {0, 1, 2, 3, 4, 0x7F, 0xFF, 0x100, 0xFFFF, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFF7u, 0xFFFFFFFFu};
  int accepted = 0;
  for (int round = 0; round < 6000; ++round) {
    Bytes bytes = seeds[static_cast<std::size_t>(round) % seeds.size()];
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int c = 0; c < changes && !bytes.empty(); ++c) {
      const std::size_t at = random() % bytes.size();
      switch (random() % 4) {
        case 0:
          bytes[at] = static_cast<std::uint8_t>(random());
          break;
        case 1:
          if (at + 4 <= bytes.size()) PutU32At(bytes, at, edges[random() % std::size(edges)]);
          break;
        case 2:
          bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), at + 1 + random() % 16)));
          break;
        default:
          bytes.resize(at);
          break;
      }
    }
    const std::optional<AviClip> clip = Read(bytes);
    if (!clip) continue;
    ++accepted;
    ASSERT_FALSE(clip->frames.empty());
    for (const auto& frame : clip->frames) {
      ASSERT_EQ(frame.size(), static_cast<std::size_t>(clip->width) * static_cast<std::size_t>(clip->height));
    }
  }
  EXPECT_GT(accepted, 0);  // some damage is harmless (pixels, junk), so the good path runs too
}

}  // namespace
}  // namespace vemora
