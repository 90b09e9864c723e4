#include "toolkit/clip_player.h"

#include <algorithm>

#include "clip/avi_reader.h"
#include "os/read_file.h"

namespace vemora {

ClipPlayer::ClipPlayer(ClipScreen& screen) : screen_(screen) {}

ClipPlayer::~ClipPlayer() = default;

bool ClipPlayer::Open(const std::string& path) {
  Close();
  std::optional<std::string> bytes = ReadRegularFile(path, kAviMaxFileBytes);
  if (!bytes) return false;
  std::optional<AviClip> clip = ParseAvi(std::move(*bytes));
  if (!clip) return false;
  clip_ = std::make_unique<AviClip>(std::move(*clip));
  clip_->Decode(0, pixels_);
  if (clip_->FrameCount() > 1) {
    // Rounded to the nearest millisecond, then held to the floor.
    const std::uint64_t ms = (std::uint64_t{clip_->MicroSecPerFrame()} + 500) / 1000;
    intervalMs_ = static_cast<int>(std::max<std::uint64_t>(kMinFrameMs, ms));
    screen_.StartTimer(intervalMs_);
  }
  screen_.Repaint();
  return true;
}

void ClipPlayer::Close() {
  if (intervalMs_ > 0) screen_.StopTimer();
  intervalMs_ = 0;
  clip_.reset();
  current_ = 0;
  // Handed back, not just emptied: a large clip's frame would stay otherwise.
  std::vector<std::uint32_t>().swap(pixels_);
  screen_.Repaint();
}

void ClipPlayer::Step() {
  if (!clip_) return;
  current_ = (current_ + 1) % FrameCount();
  clip_->Decode(static_cast<std::size_t>(current_), pixels_);
  screen_.Repaint();
}

int ClipPlayer::Width() const {
  return clip_ ? clip_->Width() : 0;
}

int ClipPlayer::Height() const {
  return clip_ ? clip_->Height() : 0;
}

int ClipPlayer::FrameCount() const {
  return clip_ ? static_cast<int>(clip_->FrameCount()) : 0;
}

}  // namespace vemora
