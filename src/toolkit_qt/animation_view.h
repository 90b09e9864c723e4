// The animation control: shows a silent AVI clip, centred at its natural
// size on the button-face colour, and plays it over and over at the clip's
// own frame rate from a timer on the GUI thread. It keeps the clip's bytes
// and decodes each frame as it comes up, so a clip of any length costs the
// file and one frame.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clip/avi_reader.h"

namespace vemora {

class AnimationView : public QWidget {
 public:
  explicit AnimationView(QWidget* parent = nullptr);

  // Reads the clip and starts playing it from its first frame. A missing,
  // unreadable or unsupported clip leaves the control empty, showing only
  // its background, and returns false; no message is shown.
  bool Open(const std::string& path);
  // Stops and lets go of the clip and its frame, leaving the control empty.
  void Close();

  int FrameCount() const { return clip_ ? static_cast<int>(clip_->FrameCount()) : 0; }
  // 0 when empty.
  int CurrentFrame() const { return current_; }
  // True while the timer steps through a clip of two or more frames.
  bool IsPlaying() const { return timer_.isActive(); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Advance();
  void ShowFrame(int index);

  QTimer timer_;
  std::optional<AviClip> clip_;
  std::vector<std::uint32_t> pixels_;
  QImage frame_;  // shares pixels_, no copy of its own
  int current_ = 0;
};

}  // namespace vemora
