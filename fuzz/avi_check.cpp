// The clip reader, every frame decoded: a clip it accepts keeps the limits
// it promises, and a frame is the same however it is reached.
#include <algorithm>
#include <cstdint>

#include "clip/avi_reader.h"
#include "fuzz_check.h"

namespace vemora::fuzzing {

void CheckAviReader(Input input) {
  std::optional<AviClip> clip = ParseAvi(std::string(input.begin(), input.end()));
  if (!clip) return;
  Expect(clip->Width() >= 1 && clip->Width() <= kAviMaxSide, "width outside the limits");
  Expect(clip->Height() >= 1 && clip->Height() <= kAviMaxSide, "height outside the limits");
  Expect(clip->MicroSecPerFrame() != 0, "no frame rate");
  const std::size_t count = clip->FrameCount();
  Expect(count >= 1 && count <= kAviMaxFrames, "frame count");
  const auto framePixels = static_cast<std::size_t>(clip->Width()) * clip->Height();
  Expect(count * framePixels <= kAviMaxTotalPixels, "more pixels than the limit");
  std::vector<std::uint32_t> frame, last;
  for (std::size_t i = 0; i < count; ++i) {
    clip->Decode(i, frame);
    Expect(frame.size() == framePixels, "a frame of the wrong size");
    Expect(std::all_of(frame.begin(), frame.end(),
                       [](std::uint32_t pixel) { return (pixel >> 24) == 0xFF; }),
           "a pixel that is not opaque");
  }
  // Back to the first frame, then straight to the last: decoded afresh.
  last = frame;
  clip->Decode(0, frame);
  clip->Decode(count - 1, frame);
  Expect(frame == last, "the last frame differs when decoded again");
}

}  // namespace vemora::fuzzing
