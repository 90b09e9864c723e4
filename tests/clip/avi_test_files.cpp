#include "avi_test_files.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "riff_writer.h"
#include "rle8_encoder.h"

namespace vemora::avi_testing {

using clipgen::Chunk;
using clipgen::List;

namespace {

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

}  // namespace

void PutU32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
  if (bytes.size() < at + 4) throw std::out_of_range("PutU32At");
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

RiffNode FindNode(const Bytes& bytes, const std::string& id) {
  for (const RiffNode& node : WalkRiff(bytes)) {
    if (node.id == id) return node;
  }
  throw std::out_of_range("no chunk " + id);
}

std::vector<std::vector<std::uint8_t>> SmallIndexFrames() {
  std::vector<std::vector<std::uint8_t>> frames(3);
  for (int f = 0; f < 3; ++f)
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x)
        frames[f].push_back(std::uint8_t(x < 4 ? (y + f) % 16 : (x * 3 + y * 5 + f) % 16));
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
  clipgen::AviVideo video{8, 6, 8, clipgen::kBiRle8, SmallPalette(), 50000, {}};
  for (const auto& frame : SmallIndexFrames())
    video.frames.push_back(clipgen::EncodeRle8(frame, 8, 6));
  return video;
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

Frames GradientPixels(std::uint16_t bitCount) {
  std::vector<std::uint32_t> pixels;
  for (std::uint32_t p = 0; p < 15; ++p) {  // top row first
    const std::uint32_t index = 3 * (p / 5) + p % 5;
    pixels.push_back(0xFF000000u | (bitCount == 8 ? SmallPalette()[index]
                                                  : index << 16 | (index + 1) << 8 | (index + 2)));
  }
  return {pixels};
}

std::vector<BadClip> BadClips() {
  std::vector<BadClip> rows;
  auto add = [&rows](std::string name, Bytes bytes) {
    rows.push_back({std::move(name), std::move(bytes)});
  };
  const Bytes good = clipgen::WriteAvi(SmallRleVideo());
  const RiffNode movi = FindNode(good, "LIST:movi");
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
  auto sizeOf = [&good](const std::string& id) { return FindNode(good, id).at + 4; };
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

  // The file and its lists and chunks against their parents.
  add("Empty", {});
  add("NotRiff", patchByte(3, 'X'));
  add("NotAvi", patchByte(8, 'W'));
  add("NoHeaderList", patchByte(FindNode(good, "LIST:hdrl").data, 'x'));
  add("AvihMissing", patchByte(FindNode(good, "avih").at, 'x'));
  add("RiffSizeOverflows", patch(4, 0xFFFFFFFF));
  add("RiffSizeBeyondFile", patch(4, static_cast<std::uint32_t>(good.size() - 8 + 2)));
  add("RiffSizeTooSmallForType", patch(4, 3));
  add("MoviLongerThanRiff", patch(movi.at + 4, movi.size + 100));
  add("StrlLongerThanHdrl", patch(sizeOf("LIST:strl"), FindNode(good, "LIST:hdrl").size));
  add("StrfSizeWrapsAround", patch(sizeOf("strf"), 0xFFFFFFF8));
  add("FrameChunkBeyondMovi", patch(sizeOf("00dc"), movi.size));
  add("FrameSizeOverflows", patch(sizeOf("00dc"), 0xFFFFFFFF));
  add("ListTooShortForItsType", grown(good, 12, {'L', 'I', 'S', 'T', 2, 0, 0, 0, 'a', 'b'}));
  add("StrayBytesAfterLastChunk", grown(good, good.size(), {'J', 'U', 'N'}));
  add("RecListsNestedTooDeep", SmallClip([](AviParts& p) {
        for (int i = 0; i < 8; ++i) p.movi = {List("rec ", p.movi)};
      }));
  add("RecListLongerThanMovi", SmallClip([](AviParts& p) {
        p.movi = {List("rec ", {p.movi[0]})};
        PutU32At(p.movi[0], 4, static_cast<std::uint32_t>(p.movi[0].size() + 40));
      }));

  // Headers and the bitmap format: one field set to a value out of bounds.
  const struct {
    const char* name;
    Bytes AviParts::*chunk;
    std::size_t at;
    std::uint32_t value;
  } fields[] = {{"StreamCountZero", &AviParts::avih, 24, 0},
                {"StreamCountAboveLists", &AviParts::avih, 24, 2},
                {"FrameCountAboveLimit", &AviParts::avih, 16, 10001},
                {"StreamLengthAboveLimit", &AviParts::strh, 32, 0xFFFFFFFF},
                {"WidthZero", &AviParts::strf, 4, 0},
                {"HeightZero", &AviParts::strf, 8, 0},
                {"Height4097", &AviParts::strf, 8, 4097},
                {"Width4097", &AviParts::strf, 4, 4097},
                {"WidthNegative", &AviParts::strf, 4, static_cast<std::uint32_t>(-8)},
                {"HeightMostNegative", &AviParts::strf, 8, 0x80000000u},
                {"Rle8TopDown", &AviParts::strf, 8, static_cast<std::uint32_t>(-6)},
                {"PlanesTwo", &AviParts::strf, 12, 2},
                {"Rle8With24Bits", &AviParts::strf, 14, 24},
                {"CodecMjpg", &AviParts::strf, 16, 0x47504A4D},
                {"CodecRle4", &AviParts::strf, 16, 2},
                {"CodecBitfields", &AviParts::strf, 16, 3},
                {"HeaderSizeTooSmall", &AviParts::strf, 0, 39},
                {"HeaderSizeBeyondChunk", &AviParts::strf, 0, 40 + 16 * 4 + 1},
                {"PaletteCount257", &AviParts::strf, 32, 257},
                {"PaletteCountHuge", &AviParts::strf, 32, 0x40000000},
                {"PaletteBeyondChunk", &AviParts::strf, 32, 17}};
  for (const auto& f : fields) {
    add(f.name, SmallClip([&f](AviParts& p) { PutU32At(p.*f.chunk, f.at, f.value); }));
  }
  add("AvihTooShort", SmallClip([](AviParts& p) { p.avih.resize(36); }));
  add("StrhTooShort", SmallClip([](AviParts& p) { p.strh.resize(40); }));
  add("StrfTooShort", SmallClip([](AviParts& p) { p.strf.resize(30); }));
  add("NoVideoStream", SmallClip([](AviParts& p) { std::copy_n("auds", 4, p.strh.begin()); }));
  add("TwoVideoStreams", SmallClip([](AviParts& p) {
        p.hdrlExtra.push_back(List("strl", {Chunk("strh", p.strh), Chunk("strf", p.strf)}));
        PutU32At(p.avih, 24, 2);
      }));
  add("FrameCountZero", SmallClip([](AviParts& p) {
        PutU32At(p.avih, 16, 0);
        PutU32At(p.strh, 32, 0);
      }));
  add("NoFrames", SmallClip([](AviParts& p) { p.movi.clear(); }));
  add("OnlyOtherStreamsFrames", SmallClip([](AviParts& p) { p.movi = {Chunk("01dc", {0, 1})}; }));
  add("MoreFramesThanLimit",
      SmallClip([](AviParts& p) { p.movi.assign(10001, Chunk("00dc", {})); }));
  add("PaletteMissing", SmallClip([](AviParts& p) {
        p.strf.resize(40);
        PutU32At(p.strf, 32, 0);
      }));
  add("Uncompressed16Bits", uncompressed(16, [](clipgen::AviVideo&) {}));
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
  const std::pair<const char*, Bytes> rle[] = {
      {"RleRunPastRowEnd", {9, 1, 0, 1}},
      {"RleRunsPastRowEnd", {5, 1, 4, 2, 0, 1}},
      {"RleAbsolutePastRowEnd", {0, 9, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 1}},
      {"RleAbsoluteBeyondData", {0, 5, 1, 2}},
      {"RleDeltaPastRight", {0, 2, 9, 0, 0, 1}},
      {"RleDeltaPastTop", {0, 2, 0, 6, 0, 1}},
      {"RleDeltaPastTopAfterRows", {0, 0, 0, 0, 0, 2, 0, 4, 1, 1}},
      {"RleDeltaTruncated", {0, 2, 1}},
      {"RleLoneByte", {4, 3, 4}},
      {"RleEndOfLinePastTop", Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
      {"RleRunAfterLastRow", Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}}};
  for (const auto& [name, frame] : rle) {
    add(name, SmallClip([&frame = frame](AviParts& p) {
          p.movi = {Chunk("00dc", frame)};
          PutU32At(p.avih, 16, 1);
        }));
  }
  const std::pair<const char*, Bytes> paletteChanges[] = {
      {"PaletteChangeBeyondChunk", {0, 4, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}},
      {"PaletteChangePast256", {255, 2, 0, 0, 1, 2, 3, 0, 4, 5, 6, 0}},
      {"PaletteChangeTooShort", {0, 1}}};
  for (const auto& [name, change] : paletteChanges) {
    add(name, SmallClip([&change = change](AviParts& p) {
          p.movi.insert(p.movi.begin() + 1, Chunk("00pc", change));
        }));
  }

  // Cut at every chunk boundary, as it is and with the RIFF size made to
  // match the cut (which still leaves a list or chunk longer than the rest).
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

}  // namespace vemora::avi_testing
