#include "clip/avi_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "avi_test_files.h"
#include "clip_drawing.h"
#include "riff_writer.h"
#include "rle8_encoder.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using namespace avi_testing;
using clipgen::Chunk;
using clipgen::List;
using testing_support::RowName;

using Frames = std::vector<std::vector<std::uint32_t>>;

// One 5 x 3 uncompressed frame: pixel (x, y) has index 3 * y + x (24 bits:
// that index as red, one more as green, two more as blue); rows padded with
// 0xEE.
clipgen::AviVideo GradientVideo(std::uint16_t bitCount, bool topDown) {
  clipgen::AviVideo video{5, topDown ? -3 : 3, bitCount, clipgen::kBiRgb, {}, 50000, {{}}};
  if (bitCount == 8) video.palette = SmallPalette();
  Bytes& data = video.frames[0];
  for (int stored = 0; stored < 3; ++stored) {
    const int y = topDown ? stored : 2 - stored;
    for (int x = 0; x < 5; ++x) {
      const auto index = static_cast<std::uint8_t>(3 * y + x);
      if (bitCount == 8) data.push_back(index);
      if (bitCount == 24)
        data.insert(data.end(), {std::uint8_t(index + 2), std::uint8_t(index + 1), index});
    }
    while (data.size() % 4 != 0) data.push_back(0xEE);
  }
  return video;
}

// The pieces of a one-video-stream AVI, to be changed before assembling.
struct AviParts {
  Bytes avih, strh, strf;
  std::vector<Bytes> hdrlExtra;  // after the stream's "strl"
  std::vector<Bytes> movi;       // whole chunks
};

AviParts PartsOf(const clipgen::AviVideo& video) {
  AviParts parts{clipgen::MainHeaderData(video, 1),
                 clipgen::VideoStreamHeaderData(video),
                 clipgen::BitmapInfoData(video),
                 {},
                 {}};
  for (const Bytes& frame : video.frames) {
    parts.movi.push_back(Chunk(clipgen::FrameChunkId(video), frame));
  }
  return parts;
}

Bytes Assemble(const AviParts& parts) {
  std::vector<Bytes> hdrl = {Chunk("avih", parts.avih),
                             List("strl", {Chunk("strh", parts.strh), Chunk("strf", parts.strf)})};
  hdrl.insert(hdrl.end(), parts.hdrlExtra.begin(), parts.hdrlExtra.end());
  return clipgen::Riff("AVI ", {List("hdrl", hdrl), List("movi", parts.movi)});
}

void PutU32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
  if (bytes.size() < at + 4) throw std::out_of_range("PutU32At");
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t U32At(const Bytes& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{bytes.at(at + i)} << (8 * i);
  return value;
}

// Where a chunk's id or a list's type first stands; its size is 4 before.
std::size_t Find(const Bytes& bytes, std::string_view id) {
  const auto at = std::search(bytes.begin(), bytes.end(), id.begin(), id.end());
  if (at == bytes.end()) throw std::out_of_range("no chunk " + std::string(id));
  return static_cast<std::size_t>(at - bytes.begin());
}

Bytes SmallClip(const std::function<void(AviParts&)>& change) {
  AviParts parts = PartsOf(SmallRleVideo());
  change(parts);
  return Assemble(parts);
}

Frames ToPixels(const std::vector<std::vector<std::uint8_t>>& frames,
                const std::vector<std::uint32_t>& palette) {
  Frames out;
  for (const auto& frame : frames) {
    out.emplace_back();
    for (std::uint8_t index : frame) out.back().push_back(0xFF000000u | palette.at(index));
  }
  return out;
}

Frames GradientPixels(std::uint16_t bitCount) {
  std::vector<std::uint32_t> pixels;
  for (std::uint32_t p = 0; p < 15; ++p) {  // top row first
    const std::uint32_t index = 3 * (p / 5) + p % 5;
    pixels.push_back(0xFF000000u | (bitCount == 8 ? SmallPalette()[index]
                                                  : index << 16 | (index + 1) << 8 | (index + 2)));
  }
  return {pixels};
}

struct BadClip {
  std::string name;
  Bytes bytes;
};

std::vector<BadClip> BadClips() {
  std::vector<BadClip> rows;
  auto add = [&rows](std::string name, Bytes bytes) {
    rows.push_back({std::move(name), std::move(bytes)});
  };
  const Bytes good = clipgen::WriteAvi(SmallRleVideo());
  auto patched = [&good](std::size_t at, const Bytes& with) {
    Bytes bytes = good;
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
  };
  auto grown = [](Bytes bytes, std::size_t at, const Bytes& more) {
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), more.begin(), more.end());
    PutU32At(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    return bytes;
  };
  auto uncompressed = [](std::uint16_t bits, auto&& change) {
    clipgen::AviVideo v = GradientVideo(bits == 16 ? 24 : bits, false);
    v.bitCount = bits;
    change(v);
    return clipgen::WriteAvi(v);
  };

  // The file and its lists and chunks against their parents (a size past
  // its parent's end, and a header cut short: the cut clip test).
  add("NotRiff", patched(3, {'X'}));
  add("NotAvi", patched(8, {'W'}));
  add("NoHeaderList", patched(Find(good, "hdrl"), {'x'}));
  add("AvihMissing", patched(Find(good, "avih"), {'x'}));
  add("RiffSizeTooSmallForType", patched(4, {3, 0, 0, 0}));
  add("StrfSizeWrapsAround", patched(Find(good, "strf") + 4, {0xF8, 0xFF, 0xFF, 0xFF}));
  add("ListTooShortForItsType", grown(good, 12, {'L', 'I', 'S', 'T', 2, 0, 0, 0, 'a', 'b'}));
  add("RecListsNestedTooDeep", SmallClip([](AviParts& p) {  // the first frames at the top
        for (int i = 0; i < 8; ++i) p.movi[2] = List("rec ", {p.movi[2]});
      }));

  // Headers and the bitmap format: one field set to a value out of bounds.
  const struct {
    const char* name;
    Bytes AviParts::*chunk;
    std::size_t at;
    std::uint32_t value;
  } fields[] = {{"StreamCountAboveLists", &AviParts::avih, 24, 2},
                {"FrameCountZero", &AviParts::avih, 16, 0},
                {"FrameCountAboveLimit", &AviParts::avih, 16, 10001},
                {"StreamLengthAboveLimit", &AviParts::strh, 32, 10001},
                {"Height4097", &AviParts::strf, 8, 4097},
                {"Width4097", &AviParts::strf, 4, 4097},
                {"Rle8TopDown", &AviParts::strf, 8, static_cast<std::uint32_t>(-6)},
                {"PlanesTwo", &AviParts::strf, 12, 2},
                {"Rle8With24Bits", &AviParts::strf, 14, 24},
                {"CodecRle4", &AviParts::strf, 16, 2},
                {"HeaderSizeTooSmall", &AviParts::strf, 0, 39},
                {"HeaderSizeBeyondChunk", &AviParts::strf, 0, 40 + 16 * 4 + 1},
                {"PaletteBeyondChunk", &AviParts::strf, 32, 17}};
  for (const auto& f : fields) {
    add(f.name, SmallClip([&f](AviParts& p) { PutU32At(p.*f.chunk, f.at, f.value); }));
  }
  add("PaletteCount257", SmallClip([](AviParts& p) {  // all 257 entries there
        PutU32At(p.strf, 32, 257);
        p.strf.resize(40 + 257 * 4);
      }));
  add("AvihTooShort", SmallClip([](AviParts& p) { p.avih.resize(36); }));
  add("StrhTooShort", SmallClip([](AviParts& p) { p.strh.resize(40); }));
  add("StrfTooShort", SmallClip([](AviParts& p) { p.strf.resize(30); }));
  add("NoVideoStream", SmallClip([](AviParts& p) { std::copy_n("auds", 4, p.strh.begin()); }));
  add("TwoVideoStreams", SmallClip([](AviParts& p) {
        p.hdrlExtra.push_back(List("strl", {Chunk("strh", p.strh), Chunk("strf", p.strf)}));
        PutU32At(p.avih, 24, 2);
      }));
  add("OnlyOtherStreamsFrames", SmallClip([](AviParts& p) { p.movi = {Chunk("01dc", {0, 1})}; }));
  add("MoreFramesThanLimit",
      SmallClip([](AviParts& p) { p.movi.assign(10001, Chunk("00dc", {})); }));
  add("Uncompressed16Bits", uncompressed(16, [](clipgen::AviVideo&) {}));
  // Uncompressed, so that only the size check refuses them.
  add("WidthZero", uncompressed(8, [](clipgen::AviVideo& v) { v.width = 0; }));
  add("HeightZero", uncompressed(8, [](clipgen::AviVideo& v) { v.height = 0; }));
  add("TooManyPixels", uncompressed(8, [](clipgen::AviVideo& v) {
        v.width = v.height = 4096;
        v.frames.assign(3, Bytes{});  // repeats of an empty first frame: no data needed
      }));

  // Frame data against the bitmap; the later frame checked like the first.
  add("UncompressedFrameTooShort", uncompressed(8, [](clipgen::AviVideo& v) {
        v.frames.push_back(v.frames[0]);
        v.frames[1].pop_back();
      }));
  add("Rgb24FrameTooShort", uncompressed(24, [](clipgen::AviVideo& v) { v.frames[0].pop_back(); }));
  // A frame (dc) or palette change (pc) that breaks its codec's rules,
  // before a good frame.
  const std::tuple<const char*, const char*, Bytes> chunks[] = {
      {"RleRunsPastRowEnd", "00dc", {5, 1, 4, 2, 0, 1}},
      {"RleAbsolutePastRowEnd", "00dc", {0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 1}},
      {"RleAbsoluteBeyondData", "00dc", {0, 5, 1, 2}},
      {"RleDeltaPastRight", "00dc", {0, 2, 9, 0, 0, 1}},
      {"RleDeltaPastTopAfterRows", "00dc", {0, 0, 0, 0, 0, 2, 0, 4, 0, 1}},
      {"RleDeltaTruncated", "00dc", {0, 2, 1}},
      {"RleLoneByte", "00dc", {4, 3, 4}},
      {"RleEndOfLinePastTop", "00dc", Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
      {"RleRunAfterLastRow", "00dc", Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}},
      {"PaletteChangeBeyondChunk", "00pc", {0, 4, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}},
      {"PaletteChangePast256", "00pc", {255, 2, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}},
      {"PaletteChangeTooShort", "00pc", {0, 1}}};
  for (const auto& [name, id, data] : chunks) {
    add(name, SmallClip([&id = id, &data = data](AviParts& p) {
          p.movi = {Chunk(id, data), Chunk("00dc", {0, 1})};
        }));
  }

  return rows;
}

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
  std::vector<std::uint32_t> first;  // the animation starts over
  clip->Decode(0, first);
  EXPECT_EQ(first, row.expected[0]);
}

// Our clip as the build wrote it beside the executable.
GoodRow OurClip() {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  std::ifstream in(VEMORA_CLIP_FILE, std::ios::binary);
  return {"OurClip", Bytes(std::istreambuf_iterator<char>(in), {}),
          ToPixels(drawn.frames, drawn.palette), drawn.microSecPerFrame};
}

// An independent decoder: ffmpeg must see the drawing in our clip too, so a
// mistake shared by our writer and our reader cannot hide.
TEST(OurClipTest, FfmpegDecodesTheDrawing) {
  if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg";
  const std::string command = std::string("ffmpeg -v error -nostdin -i '") + VEMORA_CLIP_FILE +
                              "' -f rawvideo -pix_fmt rgb24 -";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  Bytes decoded;
  for (int c = 0; (c = std::fgetc(pipe)) != EOF;) decoded.push_back(static_cast<std::uint8_t>(c));
  ASSERT_EQ(pclose(pipe), 0);
  Bytes drawn;
  for (const auto& frame : OurClip().expected) {
    for (std::uint32_t pixel : frame) {
      for (int shift : {16, 8, 0}) drawn.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
  }
  EXPECT_TRUE(decoded == drawn);
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
        // The smallest picture there is: one pixel, its row padded to four bytes.
        GoodRow{"OnePixel",
                [] {
                  clipgen::AviVideo v = GradientVideo(8, false);
                  v.width = v.height = 1;
                  v.frames = {{4, 0xEE, 0xEE, 0xEE}};
                  return clipgen::WriteAvi(v);
                }(),
                Frames{{kOpaque | SmallPalette()[4]}}},
        // Nothing drawn yet: a first frame that is empty shows black.
        GoodRow{"EmptyFirstFrameIsBlack",
                [] {
                  clipgen::AviVideo v = GradientVideo(24, false);
                  v.frames = {{}};
                  return clipgen::WriteAvi(v);
                }(),
                Frames{std::vector<std::uint32_t>(15, kOpaque)}},
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
        // As many frames as a clip may have: the first, then repeats of it.
        GoodRow{"FramesAtTheLimit", SmallClip([](AviParts& p) {
                  PutU32At(p.avih, 16, 10000);
                  PutU32At(p.strh, 32, 10000);
                  p.movi.resize(1);
                  p.movi.resize(10000, Chunk("00dc", {}));
                }),
                Frames(10000, SmallExpected()[0])},
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
                  const std::size_t movi = Find(b, "movi");
                  PutU32At(b, movi - 4, U32At(b, movi - 4) - 1);
                  PutU32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
                  return b;
                }(),
                SmallExpected()},
        // Each depth bottom-up, which needs the rows turned; top-down once,
        // as both depths turn rows the same way.
        OurClip(), EncoderPaths(), Gradient("Uncompressed8BottomUp", 8, false),
        Gradient("Uncompressed24BottomUp", 24, false), Gradient("Uncompressed8TopDown", 8, true)),
    RowName<GoodRow>);

class BadClipTest : public testing::TestWithParam<BadClip> {};

TEST_P(BadClipTest, IsRefused) {
  EXPECT_FALSE(Read(GetParam().bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(Clips, BadClipTest, testing::ValuesIn(BadClips()), RowName<BadClip>);

// Cut anywhere, as it is and with the RIFF size made to match the cut (which
// still leaves a list or chunk longer than the rest, up to the frames' end).
TEST(CutClipTest, IsRefused) {
  const Bytes good = clipgen::WriteAvi(SmallRleVideo());
  const std::size_t moviEnd = Find(good, "movi") + U32At(good, Find(good, "movi") - 4);
  for (std::size_t cut = 1; cut < good.size(); ++cut) {
    Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(Read(truncated).has_value()) << "cut at " << cut;
    if (cut >= 12 && cut < moviEnd) {
      PutU32At(truncated, 4, static_cast<std::uint32_t>(cut - 8));
      EXPECT_FALSE(Read(truncated).has_value()) << "cut at " << cut << ", RIFF size matching";
    }
  }
}

}  // namespace
}  // namespace vemora
