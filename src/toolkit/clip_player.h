// The animation control's player: reads a clip, steps through its frames
// at the clip's own pace (held to a floor) and starts over at the end. The
// toolkit gives it a timer and a surface to show the frame on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vemora {

class AviClip;

// A frame time below this is held to it: a clip may ask for any pace, but
// stepping faster than a display shows only keeps a processor busy.
inline constexpr int kMinFrameMs = 10;

// What the player needs of the toolkit.
class ClipScreen {
 public:
  virtual ~ClipScreen() = default;
  // Calls the player's Step every `intervalMs` until stopped.
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
  // The frame (or the emptiness) changed: show it.
  virtual void Repaint() = 0;
};

class ClipPlayer {
 public:
  explicit ClipPlayer(ClipScreen& screen);
  ~ClipPlayer();
  ClipPlayer(const ClipPlayer&) = delete;
  ClipPlayer& operator=(const ClipPlayer&) = delete;

  // Reads the clip and plays it from its first frame, a clip of one frame
  // still. A missing, unreadable or unsupported clip leaves the player
  // empty and returns false; nothing is said.
  bool Open(const std::string& path);
  // Stops, and gives back the clip and its frame's memory.
  void Close();
  // The timer's tick: the next frame, after the last the first.
  void Step();

  bool Empty() const { return !clip_; }
  int Width() const;
  int Height() const;
  int FrameCount() const;
  int CurrentFrame() const { return current_; }
  // The timer's interval in milliseconds; 0 when nothing plays.
  int IntervalMs() const { return intervalMs_; }
  // The frame shown: Width() x Height() pixels 0xFFRRGGBB, rows top-down.
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

 private:
  ClipScreen& screen_;
  std::unique_ptr<AviClip> clip_;
  std::vector<std::uint32_t> pixels_;
  int current_ = 0;
  int intervalMs_ = 0;
};

}  // namespace vemora
