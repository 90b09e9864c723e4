// Clips for the reader and the animation control tests: small AVIs built in
// memory with the clip generator's writer, the bad ones as one table, and
// ffmpeg as an independent encoder and decoder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "avi_writer.h"

namespace vemora::avi_testing {

using clipgen::Bytes;
using Frames = std::vector<std::vector<std::uint32_t>>;

// The pieces of a one-video-stream AVI, to be changed before assembling.
struct AviParts {
  Bytes avih, strh, strf;
  std::vector<Bytes> hdrlExtra;  // more chunks or lists at the end of "hdrl"
  std::vector<Bytes> movi;       // whole chunks
  bool index = true;
};

AviParts PartsOf(const clipgen::AviVideo& video);
Bytes Assemble(const AviParts& parts);
void PutU32At(Bytes& bytes, std::size_t at, std::uint32_t value);

// A chunk or list ("LIST:type") in a RIFF file, in file order.
struct RiffNode {
  std::string id;
  std::size_t at = 0;    // of the header
  std::size_t data = 0;  // of the data (for a list: of its type)
  std::uint32_t size = 0;
};
RiffNode FindNode(const Bytes& bytes, const std::string& id);

// Small clips: 8 x 6 with a 16-colour palette, three frames.
std::vector<std::vector<std::uint8_t>> SmallIndexFrames();
std::vector<std::uint32_t> SmallPalette();
clipgen::AviVideo SmallRleVideo();
Frames ToPixels(const std::vector<std::vector<std::uint8_t>>& frames,
                const std::vector<std::uint32_t>& palette);

struct BadClip {
  std::string name;
  Bytes bytes;
};
// Every clip the reader must refuse.
std::vector<BadClip> BadClips();

std::string WriteBytes(const std::string& file, const Bytes& bytes);

// ffmpeg, run as a separate program.
bool HaveFfmpeg();
// A shell command's standard output, or nothing when the command fails.
std::optional<Bytes> RunAndCapture(const std::string& command);
std::string ShellQuote(const std::string& text);
// ffmpeg's decoding of a file as packed RGB, one frame after the other.
std::optional<Bytes> FfmpegRgb24(const std::string& file);
Bytes ToRgb24(const Frames& frames);

}  // namespace vemora::avi_testing
