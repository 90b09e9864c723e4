#include "avi_test_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "riff_writer.h"
#include "rle8_encoder.h"

namespace vemora::avi_testing {

using clipgen::Chunk;
using clipgen::List;

AviParts PartsOf(const clipgen::AviVideo& video) {
  AviParts parts;
  parts.avih = clipgen::MainHeaderData(video, 1);
  parts.strh = clipgen::VideoStreamHeaderData(video);
  parts.strf = clipgen::BitmapInfoData(video);
  for (const Bytes& frame : video.frames) {
    parts.movi.push_back(Chunk(clipgen::FrameChunkId(video), frame));
  }
  return parts;
}

Bytes Assemble(const AviParts& parts) {
  std::vector<Bytes> hdrl = {Chunk("avih", parts.avih),
                             List("strl", {Chunk("strh", parts.strh), Chunk("strf", parts.strf)})};
  hdrl.insert(hdrl.end(), parts.hdrlExtra.begin(), parts.hdrlExtra.end());
  std::vector<Bytes> top = {List("hdrl", hdrl), List("movi", parts.movi)};
  if (parts.index) {
    Bytes index;
    std::uint32_t offset = 4;
    for (const Bytes& chunk : parts.movi) {
      index.insert(index.end(), chunk.begin(), chunk.begin() + 4);
      clipgen::PutU32(index, 0x10);
      clipgen::PutU32(index, offset);
      index.insert(index.end(), chunk.begin() + 4, chunk.begin() + 8);
      offset += static_cast<std::uint32_t>(chunk.size());
    }
    top.push_back(Chunk("idx1", index));
  }
  return clipgen::Riff("AVI ", top);
}

void PutU32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
  if (bytes.size() < at + 4) throw std::out_of_range("PutU32At");
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

namespace {

std::string Text(const Bytes& bytes, std::size_t at, std::size_t length) {
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
}

void Walk(const Bytes& bytes, std::size_t at, std::size_t end, std::vector<RiffNode>& nodes) {
  while (at + 8 <= end) {
    RiffNode node{Text(bytes, at, 4), at, at + 8, 0};
    for (std::size_t i = 0; i < 4; ++i) node.size |= std::uint32_t{bytes[at + 4 + i]} << (8 * i);
    const bool container = node.id == "RIFF" || node.id == "LIST";
    if (container) node.id += ":" + Text(bytes, node.data, 4);
    nodes.push_back(node);
    if (container) Walk(bytes, node.data + 4, std::min(end, node.data + node.size), nodes);
    at = std::min(end, node.data + node.size + (node.size & 1));
  }
}

std::vector<RiffNode> WalkRiff(const Bytes& bytes) {
  std::vector<RiffNode> nodes;
  Walk(bytes, 0, bytes.size(), nodes);
  return nodes;
}

// A 5 x 3 uncompressed clip of two frames.
clipgen::AviVideo UncompressedVideo(std::uint16_t bitCount) {
  clipgen::AviVideo video;
  video.width = 5;
  video.height = 3;
  video.bitCount = bitCount;
  video.compression = clipgen::kBiRgb;
  if (bitCount == 8) video.palette = SmallPalette();
  video.frames.assign(2, Bytes(bitCount == 8 ? 8 * 3 : 16 * 3, 1));
  return video;
}

}  // namespace

RiffNode FindNode(const Bytes& bytes, const std::string& id) {
  for (const RiffNode& node : WalkRiff(bytes)) {
    if (node.id == id) return node;
  }
  throw std::out_of_range("no chunk " + id);
}

std::vector<std::vector<std::uint8_t>> SmallIndexFrames() {
  std::vector<std::vector<std::uint8_t>> frames(3);
  for (int f = 0; f < 3; ++f) {
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        frames[f].push_back(
            static_cast<std::uint8_t>(x < 4 ? (y + f) % 16 : (x * 3 + y * 5 + f) % 16));
      }
    }
  }
  return frames;
}

std::vector<std::uint32_t> SmallPalette() {
  std::vector<std::uint32_t> palette;
  for (std::uint32_t i = 0; i < 16; ++i) {
    palette.push_back((i * 16u) << 16 | (255 - i * 15) << 8 | (i * 37u % 256));
  }
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
  for (const auto& frame : SmallIndexFrames())
    video.frames.push_back(clipgen::EncodeRle8(frame, 8, 6));
  return video;
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

std::vector<BadClip> BadClips() {
  std::vector<BadClip> rows;
  auto add = [&rows](std::string name, Bytes bytes) { rows.push_back({std::move(name), bytes}); };
  const clipgen::AviVideo rle = SmallRleVideo();
  const Bytes good = clipgen::WriteAvi(rle);
  auto parts = [&rle](auto&& change) {
    AviParts p = PartsOf(rle);
    change(p);
    return Assemble(p);
  };
  auto patch = [&good](std::size_t at, std::uint32_t value) {
    Bytes bytes = good;
    PutU32At(bytes, at, value);
    return bytes;
  };
  auto patchByte = [&good](std::size_t at, std::uint8_t value) {
    Bytes bytes = good;
    bytes[at] = value;
    return bytes;
  };
  auto sizeAt = [&good](const std::string& id) { return FindNode(good, id).at + 4; };
  auto rleFrame = [&rle](const Bytes& frame) {
    AviParts p = PartsOf(rle);
    p.movi = {Chunk(clipgen::FrameChunkId(rle), frame)};
    PutU32At(p.avih, 16, 1);
    return Assemble(p);
  };
  auto uncompressed = [](std::uint16_t bits, auto&& change) {
    clipgen::AviVideo v = UncompressedVideo(bits == 16 ? 24 : bits);
    v.bitCount = bits;
    change(v);
    return clipgen::WriteAvi(v);
  };
  auto grown = [](Bytes bytes, std::size_t at, const Bytes& more) {
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), more.begin(), more.end());
    PutU32At(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    return bytes;
  };
  const RiffNode movi = FindNode(good, "LIST:movi");

  // The file as a whole.
  add("Empty", {});
  add("OnlyRiffHeader", Bytes(good.begin(), good.begin() + 12));
  add("NotRiff", patchByte(3, 'X'));
  add("NotAvi", patchByte(8, 'W'));
  add("RiffSizeOverflows", patch(4, 0xFFFFFFFF));
  add("RiffSizeBeyondFile", patch(4, static_cast<std::uint32_t>(good.size() - 8 + 2)));
  add("RiffSizeTooSmallForType", patch(4, 3));

  // Lists and chunks against their parent.
  add("HdrlLongerThanRiff", patch(sizeAt("LIST:hdrl"), static_cast<std::uint32_t>(good.size())));
  add("MoviLongerThanRiff", patch(movi.at + 4, movi.size + 100));
  add("StrlLongerThanHdrl", patch(sizeAt("LIST:strl"), FindNode(good, "LIST:hdrl").size));
  add("AvihSizeOverflows", patch(sizeAt("avih"), 0xFFFFFFFF));
  add("StrfSizeWrapsAround", patch(sizeAt("strf"), 0xFFFFFFF8));
  add("FrameChunkBeyondMovi", patch(sizeAt("00dc"), movi.size));
  add("FrameSizeOverflows", patch(sizeAt("00dc"), 0xFFFFFFFF));
  add("ListTooShortForItsType", grown(good, 12, {'L', 'I', 'S', 'T', 2, 0, 0, 0, 'a', 'b'}));
  add("StrayBytesAfterLastChunk", grown(good, good.size(), {'J', 'U', 'N'}));
  add("NoHeaderList", patchByte(FindNode(good, "LIST:hdrl").data, 'x'));
  add("RecListsNestedTooDeep", parts([&](AviParts& p) {
        for (int i = 0; i < 8; ++i) p.movi = {List("rec ", p.movi)};
      }));
  add("RecListLongerThanMovi", parts([&](AviParts& p) {
        p.movi = {List("rec ", {p.movi[0]})};
        PutU32At(p.movi[0], 4, static_cast<std::uint32_t>(p.movi[0].size() + 40));
      }));

  // Headers.
  add("AvihMissing", patchByte(FindNode(good, "avih").at, 'x'));
  add("AvihTooShort", parts([](AviParts& p) { p.avih.resize(36); }));
  add("StrhTooShort", parts([](AviParts& p) { p.strh.resize(40); }));
  add("StrfTooShort", parts([](AviParts& p) { p.strf.resize(30); }));
  add("StreamCountZero", parts([](AviParts& p) { PutU32At(p.avih, 24, 0); }));
  add("StreamCountAboveLists", parts([](AviParts& p) { PutU32At(p.avih, 24, 2); }));
  add("NoVideoStream", parts([](AviParts& p) { std::copy_n("auds", 4, p.strh.begin()); }));
  add("TwoVideoStreams", parts([](AviParts& p) {
        p.hdrlExtra.push_back(List("strl", {Chunk("strh", p.strh), Chunk("strf", p.strf)}));
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
  const std::pair<const char*, std::pair<std::size_t, std::uint32_t>> fields[] = {
      {"WidthZero", {4, 0}},
      {"HeightZero", {8, 0}},
      {"Width100000", {4, 100000}},
      {"Height100000", {8, 100000}},
      {"Width4097", {4, 4097}},
      {"WidthNegative", {4, static_cast<std::uint32_t>(-8)}},
      {"HeightMostNegative", {8, 0x80000000u}},
      {"Rle8TopDown", {8, static_cast<std::uint32_t>(-6)}},
      {"PlanesTwo", {12, 2}},
      {"Rle8With24Bits", {14, 24}},
      {"CodecMjpg", {16, 0x47504A4D}},
      {"CodecRle4", {16, 2}},
      {"CodecBitfields", {16, 3}},
      {"HeaderSizeTooSmall", {0, 39}},
      {"HeaderSizeBeyondChunk", {0, 40 + 16 * 4 + 1}},
      {"PaletteCount257", {32, 257}},
      {"PaletteCountHuge", {32, 0x40000000}},
      {"PaletteBeyondChunk", {32, 17}}};
  for (const auto& [name, field] : fields) {
    add(name, parts([&field](AviParts& p) { PutU32At(p.strf, field.first, field.second); }));
  }
  add("PaletteMissing", parts([](AviParts& p) {
        p.strf.resize(40);
        PutU32At(p.strf, 32, 0);
      }));
  add("Uncompressed16Bits", uncompressed(16, [](clipgen::AviVideo&) {}));
  add("TooManyPixels", uncompressed(8, [](clipgen::AviVideo& v) {
        v.width = v.height = 4096;
        v.frames.assign(3, Bytes{});  // repeats of an empty first frame: no data needed
      }));

  // Frame data against the bitmap (8 x 6).
  add("UncompressedFrameTooShort",
      uncompressed(8, [](clipgen::AviVideo& v) { v.frames[1].pop_back(); }));
  add("Rgb24FrameTooShort",
      uncompressed(24, [](clipgen::AviVideo& v) { v.frames[0].resize(16 * 2 + 15); }));
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
  const std::pair<const char*, Bytes> paletteChanges[] = {
      {"PaletteChangeBeyondChunk", {0, 4, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}},
      {"PaletteChangePast256", {255, 2, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}},
      {"PaletteChangeTooShort", {0, 1}}};
  for (const auto& [name, change] : paletteChanges) {
    add(name, parts([&change](AviParts& p) {
          p.movi.insert(p.movi.begin() + 1, Chunk("00pc", change));
        }));
  }

  // Cut at every chunk boundary: at a chunk's header, its data, a list's
  // children. As it is, and with the RIFF size made to match the cut, which
  // still leaves a list or chunk longer than what is left.
  for (const RiffNode& node : WalkRiff(good)) {
    for (std::size_t cut : {node.at, node.at + 4, node.data, node.data + 4}) {
      const std::string name = "CutAt" + std::to_string(cut);
      if (cut == 0 || cut >= good.size() ||
          std::any_of(rows.begin(), rows.end(), [&](const BadClip& r) { return r.name == name; })) {
        continue;
      }
      Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
      add(name, truncated);
      if (cut >= 12 && cut < movi.data + movi.size) {
        PutU32At(truncated, 4, static_cast<std::uint32_t>(cut - 8));
        add(name + "RiffSizeMatching", truncated);
      }
    }
  }
  return rows;
}

std::string WriteBytes(const std::string& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file);
  return file;
}

bool HaveFfmpeg() {
  return std::system("command -v ffmpeg >/dev/null 2>&1") == 0;
}

std::optional<Bytes> RunAndCapture(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  Bytes out;
  for (int c = 0; (c = std::fgetc(pipe)) != EOF;) out.push_back(static_cast<std::uint8_t>(c));
  if (pclose(pipe) != 0) return std::nullopt;
  return out;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::optional<Bytes> FfmpegRgb24(const std::string& file) {
  return RunAndCapture("ffmpeg -v error -nostdin -i " + ShellQuote(file) +
                       " -f rawvideo -pix_fmt rgb24 -");
}

Bytes ToRgb24(const Frames& frames) {
  Bytes out;
  for (const auto& frame : frames) {
    for (std::uint32_t pixel : frame) {
      for (int shift : {16, 8, 0}) out.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
  }
  return out;
}

}  // namespace vemora::avi_testing
