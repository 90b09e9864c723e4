// The clip reader, every frame decoded: a clip it accepts keeps the limits
// it promises.
#include <algorithm>
#include <cstdint>

#include "clip/avi_reader.h"
#include "fuzz_check.h"

namespace vemora::fuzzing {

void CheckAviReader(Input input) {
  const std::optional<AviClip> clip = ReadAvi(input);
  if (!clip) return;
  Expect(clip->width >= 1 && clip->width <= kAviMaxSide, "width outside the limits");
  Expect(clip->height >= 1 && clip->height <= kAviMaxSide, "height outside the limits");
  Expect(clip->microSecPerFrame != 0, "no frame rate");
  Expect(!clip->frames.empty() && clip->frames.size() <= kAviMaxFrames, "frame count");
  const auto framePixels = static_cast<std::size_t>(clip->width) * clip->height;
  Expect(clip->frames.size() * framePixels <= kAviMaxTotalPixels, "more pixels than the limit");
  for (const auto& frame : clip->frames) {
    Expect(frame.size() == framePixels, "a frame of the wrong size");
    Expect(std::all_of(frame.begin(), frame.end(),
                       [](std::uint32_t pixel) { return (pixel >> 24) == 0xFF; }),
           "a pixel that is not opaque");
  }
}

}  // namespace vemora::fuzzing
