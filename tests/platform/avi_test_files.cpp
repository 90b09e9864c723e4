#include "avi_test_files.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "rle8_encoder.h"
#include "riff_writer.h"

namespace vemora::avi_testing {

using clipgen::Chunk;
using clipgen::List;
using clipgen::PutU32;

AviParts PartsOf(const clipgen::AviVideo& video) {
  AviParts parts;
  parts.avih = clipgen::MainHeaderData(video, 1);
  parts.strh = clipgen::VideoStreamHeaderData(video);
  parts.strf = clipgen::BitmapInfoData(video);
  for (const Bytes& frame : video.frames) parts.movi.push_back(Chunk(clipgen::FrameChunkId(video), frame));
  return parts;
}

Bytes Assemble(const AviParts& parts) {
  std::vector<Bytes> hdrl = {Chunk("avih", parts.avih), List("strl", {Chunk("strh", parts.strh), Chunk("strf", parts.strf)})};
  hdrl.insert(hdrl.end(), parts.moreStreamLists.begin(), parts.moreStreamLists.end());
  hdrl.insert(hdrl.end(), parts.hdrlExtra.begin(), parts.hdrlExtra.end());
  std::vector<Bytes> top = {List("hdrl", hdrl), List("movi", parts.movi)};
  if (parts.index) {
    Bytes index;
    std::uint32_t offset = 4;
    for (const Bytes& chunk : parts.movi) {
      index.insert(index.end(), chunk.begin(), chunk.begin() + 4);
      PutU32(index, 0x10);
      PutU32(index, offset);
      index.insert(index.end(), chunk.begin() + 4, chunk.begin() + 8);
      offset += static_cast<std::uint32_t>(chunk.size());
    }
    top.push_back(Chunk("idx1", index));
  }
  return clipgen::Riff("AVI ", top);
}

void PutU32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
  if (bytes.size() < at + 4) throw std::out_of_range("PutU32At");
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

namespace {

std::uint32_t ReadU32(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

void Walk(const Bytes& bytes, std::size_t at, std::size_t end, std::vector<RiffNode>& nodes) {
  while (at + 8 <= end) {
    RiffNode node;
    node.id.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + 4));
    node.at = at;
    node.data = at + 8;
    node.size = ReadU32(bytes, at + 4);
    const std::size_t next = std::min(end, node.data + node.size + (node.size & 1));
    const bool container = node.id == "RIFF" || node.id == "LIST";
    if (container) {
      node.id += ":" + std::string(bytes.begin() + static_cast<std::ptrdiff_t>(node.data),
                                   bytes.begin() + static_cast<std::ptrdiff_t>(node.data + 4));
    }
    nodes.push_back(node);
    if (container) Walk(bytes, node.data + 4, std::min(end, node.data + node.size), nodes);
    at = next;
  }
}

Bytes WithFrameOf(const clipgen::AviVideo& video, const Bytes& frame) {
  AviParts parts = PartsOf(video);
  parts.movi = {Chunk(clipgen::FrameChunkId(video), frame)};
  PutU32At(parts.avih, 16, 1);
  return Assemble(parts);
}

clipgen::AviVideo UncompressedVideo(std::uint16_t bitCount) {
  clipgen::AviVideo video;
  video.width = 5;
  video.height = 3;
  video.bitCount = bitCount;
  video.compression = clipgen::kBiRgb;
  if (bitCount == 8) video.palette = SmallPalette();
  const std::size_t stride = bitCount == 8 ? 8 : 16;
  video.frames.assign(2, Bytes(stride * 3, 1));
  return video;
}

}  // namespace

std::vector<RiffNode> WalkRiff(const Bytes& bytes) {
  std::vector<RiffNode> nodes;
  Walk(bytes, 0, bytes.size(), nodes);
  return nodes;
}

const RiffNode& FindNode(const std::vector<RiffNode>& nodes, const std::string& id) {
  for (const RiffNode& node : nodes) {
    if (node.id == id) return node;
  }
  throw std::out_of_range("no chunk " + id);
}

std::vector<std::vector<std::uint8_t>> SmallIndexFrames() {
  std::vector<std::vector<std::uint8_t>> frames;
  for (int f = 0; f < 3; ++f) {
    std::vector<std::uint8_t> frame;
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const int value = x < 4 ? (y + f) % 16 : (x * 3 + y * 5 + f) % 16;
        frame.push_back(static_cast<std::uint8_t>(value));
      }
    }
    frames.push_back(frame);
  }
  return frames;
}

std::vector<std::uint32_t> SmallPalette() {
  std::vector<std::uint32_t> palette;
  for (std::uint32_t i = 0; i < 16; ++i) palette.push_back((i * 16u) << 16 | (255 - i * 15) << 8 | (i * 37u % 256));
  return palette;
}

clipgen::AviVideo SmallRleVideo() {
  clipgen::AviVideo video;
  video.width = 8;
  video.height = 6;
  video.bitCount = 8;
  video.compression = clipgen::kBiRle8;
  video.palette = SmallPalette();
  video.microSecPerFrame = 50000;
  for (const auto& frame : SmallIndexFrames()) video.frames.push_back(clipgen::EncodeRle8(frame, 8, 6));
  return video;
}

Frames ToPixels(const std::vector<std::vector<std::uint8_t>>& frames, const std::vector<std::uint32_t>& palette) {
  Frames out;
  for (const auto& frame : frames) {
    std::vector<std::uint32_t> pixels;
    for (std::uint8_t index : frame) pixels.push_back(0xFF000000u | palette.at(index));
    out.push_back(pixels);
  }
  return out;
}

std::vector<BadClip> BadClips() {
  std::vector<BadClip> rows;
  auto add = [&rows](std::string name, Bytes bytes) { rows.push_back({std::move(name), std::move(bytes)}); };
  const clipgen::AviVideo rle = SmallRleVideo();
  const Bytes good = clipgen::WriteAvi(rle);
  const std::vector<RiffNode> nodes = WalkRiff(good);
  auto parts = [&rle](auto&& change) {
    AviParts p = PartsOf(rle);
    change(p);
    return Assemble(p);
  };
  auto patchGood = [&good](std::size_t at, std::uint32_t value) {
    Bytes bytes = good;
    PutU32At(bytes, at, value);
    return bytes;
  };
  auto rleFrame = [&rle](Bytes frame) { return WithFrameOf(rle, frame); };

  // The file as a whole.
  add("Empty", {});
  add("OnlyRiffHeader", Bytes(good.begin(), good.begin() + 12));
  {
    Bytes b = good;
    b[3] = 'X';
    add("NotRiff", b);
    b = good;
    b[8] = 'W';
    add("NotAvi", b);
  }
  add("RiffSizeOverflows", patchGood(4, 0xFFFFFFFF));
  add("RiffSizeBeyondFile", patchGood(4, static_cast<std::uint32_t>(good.size() - 8 + 2)));
  add("RiffSizeTooSmallForType", patchGood(4, 3));

  // Lists and chunks against their parent.
  const RiffNode& hdrl = FindNode(nodes, "LIST:hdrl");
  const RiffNode& movi = FindNode(nodes, "LIST:movi");
  const RiffNode& avihNode = FindNode(nodes, "avih");
  const RiffNode& strf = FindNode(nodes, "strf");
  const RiffNode& frame0 = FindNode(nodes, "00dc");
  add("HdrlLongerThanRiff", patchGood(hdrl.at + 4, static_cast<std::uint32_t>(good.size())));
  add("MoviLongerThanRiff", patchGood(movi.at + 4, movi.size + 100));
  add("StrlLongerThanHdrl", patchGood(FindNode(nodes, "LIST:strl").at + 4, hdrl.size));
  add("AvihSizeOverflows", patchGood(avihNode.at + 4, 0xFFFFFFFF));
  add("StrfSizeWrapsAround", patchGood(strf.at + 4, 0xFFFFFFF8));
  add("FrameChunkBeyondMovi", patchGood(frame0.at + 4, movi.size));
  add("FrameSizeOverflows", patchGood(frame0.at + 4, 0xFFFFFFFF));
  {
    Bytes b = good;
    const Bytes shortList = {'L', 'I', 'S', 'T', 2, 0, 0, 0, 'a', 'b'};
    b.insert(b.begin() + 12, shortList.begin(), shortList.end());
    PutU32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
    add("ListTooShortForItsType", b);
  }
  {
    Bytes b = good;
    b.insert(b.end(), {'J', 'U', 'N'});
    PutU32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
    add("StrayBytesAfterLastChunk", b);
  }
  add("NoMovi", [&] {
    Bytes b(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(movi.at));
    PutU32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
    return b;
  }());
  {
    Bytes b = good;
    b[hdrl.data] = 'x';
    add("NoHeaderList", b);
  }
  {
    AviParts p = PartsOf(rle);
    Bytes nested = Chunk("00dc", rle.frames[0]);
    for (int i = 0; i < 8; ++i) nested = List("rec ", {nested});
    p.movi = {nested};
    add("RecListsNestedTooDeep", Assemble(p));
  }
  add("RecListLongerThanMovi", parts([&](AviParts& p) {
        Bytes rec = List("rec ", {p.movi[0]});
        PutU32At(rec, 4, static_cast<std::uint32_t>(rec.size() + 40));
        p.movi = {rec};
      }));

  // Headers.
  add("AvihMissing", [&] {
    Bytes b = good;
    b[avihNode.at] = 'x';
    return b;
  }());
  add("AvihTooShort", parts([](AviParts& p) { p.avih.resize(36); }));
  add("StrhTooShort", parts([](AviParts& p) { p.strh.resize(40); }));
  add("StrfTooShort", parts([](AviParts& p) { p.strf.resize(30); }));
  add("StreamCountZero", parts([](AviParts& p) { PutU32At(p.avih, 24, 0); }));
  add("StreamCountAboveLists", parts([](AviParts& p) { PutU32At(p.avih, 24, 2); }));
  add("NoVideoStream", parts([](AviParts& p) { p.strh[0] = 'a', p.strh[1] = 'u', p.strh[2] = 'd', p.strh[3] = 's'; }));
  add("TwoVideoStreams", parts([](AviParts& p) {
        p.moreStreamLists.push_back(List("strl", {Chunk("strh", p.strh), Chunk("strf", p.strf)}));
        PutU32At(p.avih, 24, 2);
      }));
  add("FrameCountZero", parts([](AviParts& p) {
        PutU32At(p.avih, 16, 0);
        PutU32At(p.strh, 32, 0);
      }));
  add("FrameCountAboveLimit", parts([](AviParts& p) { PutU32At(p.avih, 16, 10001); }));
  add("StreamLengthAboveLimit", parts([](AviParts& p) { PutU32At(p.strh, 32, 0xFFFFFFFF); }));
  add("NoFrames", parts([](AviParts& p) { p.movi.clear(); }));
  add("OnlyOtherStreamsFrames", parts([](AviParts& p) { p.movi = {Chunk("01dc", {0, 1})}; }));
  add("MoreFramesThanLimit", parts([](AviParts& p) {
        p.movi.assign(10001, Chunk("00dc", {}));
        p.index = false;
      }));

  // The bitmap format.
  add("WidthZero", parts([](AviParts& p) { PutU32At(p.strf, 4, 0); }));
  add("HeightZero", parts([](AviParts& p) { PutU32At(p.strf, 8, 0); }));
  add("Width100000", parts([](AviParts& p) { PutU32At(p.strf, 4, 100000); }));
  add("Height100000", parts([](AviParts& p) { PutU32At(p.strf, 8, 100000); }));
  add("WidthNegative", parts([](AviParts& p) { PutU32At(p.strf, 4, static_cast<std::uint32_t>(-8)); }));
  add("HeightMostNegative", parts([](AviParts& p) { PutU32At(p.strf, 8, 0x80000000u); }));
  add("Width4097", parts([](AviParts& p) { PutU32At(p.strf, 4, 4097); }));
  add("PlanesTwo", parts([](AviParts& p) { p.strf[12] = 2; }));
  add("CodecMjpg", parts([](AviParts& p) { p.strf[16] = 'M', p.strf[17] = 'J', p.strf[18] = 'P', p.strf[19] = 'G'; }));
  add("CodecRle4", parts([](AviParts& p) { PutU32At(p.strf, 16, 2); }));
  add("CodecBitfields", parts([](AviParts& p) { PutU32At(p.strf, 16, 3); }));
  add("Rle8With24Bits", parts([](AviParts& p) { p.strf[14] = 24; }));
  add("Rle8TopDown", parts([](AviParts& p) { PutU32At(p.strf, 8, static_cast<std::uint32_t>(-6)); }));
  add("Uncompressed16Bits", [] {
    clipgen::AviVideo v = UncompressedVideo(24);
    v.bitCount = 16;
    return clipgen::WriteAvi(v);
  }());
  add("Uncompressed32Bits", [] {
    clipgen::AviVideo v = UncompressedVideo(24);
    v.bitCount = 32;
    return clipgen::WriteAvi(v);
  }());
  add("HeaderSizeTooSmall", parts([](AviParts& p) { PutU32At(p.strf, 0, 39); }));
  add("HeaderSizeBeyondChunk", parts([](AviParts& p) { PutU32At(p.strf, 0, static_cast<std::uint32_t>(p.strf.size() + 1)); }));
  add("PaletteCount257", parts([](AviParts& p) { PutU32At(p.strf, 32, 257); }));
  add("PaletteCountHuge", parts([](AviParts& p) { PutU32At(p.strf, 32, 0x40000000); }));
  add("PaletteBeyondChunk", parts([](AviParts& p) { PutU32At(p.strf, 32, 17); }));
  add("PaletteMissing", parts([](AviParts& p) {
        p.strf.resize(40);
        PutU32At(p.strf, 32, 0);
      }));
  add("TooManyPixels", [] {
    clipgen::AviVideo v;
    v.width = 4096;
    v.height = 4096;
    v.bitCount = 8;
    v.compression = clipgen::kBiRgb;
    v.palette = {0, 0xFFFFFF};
    v.frames.assign(3, Bytes{});  // repeats of an empty first frame: no data needed
    return clipgen::WriteAvi(v);
  }());

  // Frame data against the bitmap (8 x 6).
  add("UncompressedFrameTooShort", [] {
    clipgen::AviVideo v = UncompressedVideo(8);
    v.frames[1].pop_back();
    return clipgen::WriteAvi(v);
  }());
  add("Rgb24FrameTooShort", [] {
    clipgen::AviVideo v = UncompressedVideo(24);
    v.frames[0].resize(16 * 2 + 15);
    return clipgen::WriteAvi(v);
  }());
  add("RleRunPastRowEnd", rleFrame({9, 1, 0, 1}));
  add("RleRunsPastRowEnd", rleFrame({5, 1, 4, 2, 0, 1}));
  add("RleAbsolutePastRowEnd", rleFrame({0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 1}));
  add("RleAbsoluteBeyondData", rleFrame({0, 5, 1, 2}));
  add("RleDeltaPastRight", rleFrame({0, 2, 9, 0, 0, 1}));
  add("RleDeltaPastTop", rleFrame({0, 2, 0, 6, 0, 1}));
  add("RleDeltaPastTopAfterRows", rleFrame({0, 0, 0, 0, 0, 2, 0, 4, 1, 1}));
  add("RleDeltaTruncated", rleFrame({0, 2, 1}));
  add("RleLoneByte", rleFrame({4, 3, 4}));
  add("RleEndOfLinePastTop", rleFrame(Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  add("RleRunAfterLastRow", rleFrame(Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}));
  add("PaletteChangeBeyondChunk", parts([](AviParts& p) {
        p.movi.insert(p.movi.begin() + 1, Chunk("00pc", {0, 4, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}));
      }));
  add("PaletteChangePast256", parts([](AviParts& p) {
        p.movi.insert(p.movi.begin() + 1, Chunk("00pc", {255, 2, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}));
      }));
  add("PaletteChangeTooShort", parts([](AviParts& p) { p.movi.insert(p.movi.begin(), Chunk("00pc", {0, 1})); }));

  // Cut at every chunk boundary: at a chunk's header, its data, a list's
  // children. As it is, and with the RIFF size made to match the cut, which
  // still leaves a list or chunk longer than what is left.
  for (const RiffNode& node : nodes) {
    for (std::size_t cut : {node.at, node.at + 4, node.data, node.data + 4}) {
      if (cut == 0 || cut >= good.size()) continue;
      const std::string where = std::to_string(cut);
      Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
      const bool seen = std::any_of(rows.begin(), rows.end(), [&](const BadClip& row) { return row.name == "CutAt" + where; });
      if (seen) continue;
      add("CutAt" + where, truncated);
      if (cut >= 12 && cut < movi.data + movi.size) {
        PutU32At(truncated, 4, static_cast<std::uint32_t>(cut - 8));
        add("CutAt" + where + "RiffSizeMatching", truncated);
      }
    }
  }
  return rows;
}

bool HaveFfmpeg() { return std::system("command -v ffmpeg >/dev/null 2>&1") == 0; }

std::optional<Bytes> RunAndCapture(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  Bytes out;
  std::uint8_t block[65536];
  std::size_t got = 0;
  while ((got = std::fread(block, 1, sizeof block, pipe)) > 0) out.insert(out.end(), block, block + got);
  if (pclose(pipe) != 0) return std::nullopt;
  return out;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::optional<Bytes> FfmpegRgb24(const std::filesystem::path& file) {
  return RunAndCapture("ffmpeg -v error -nostdin -i " + ShellQuote(file.string()) + " -f rawvideo -pix_fmt rgb24 -");
}

Bytes ToRgb24(const Frames& frames) {
  Bytes out;
  for (const auto& frame : frames) {
    for (std::uint32_t pixel : frame) {
      out.push_back(static_cast<std::uint8_t>(pixel >> 16));
      out.push_back(static_cast<std::uint8_t>(pixel >> 8));
      out.push_back(static_cast<std::uint8_t>(pixel));
    }
  }
  return out;
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("vemora_avi_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::Write(const std::string& name, const Bytes& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file;
}

}  // namespace vemora::avi_testing
