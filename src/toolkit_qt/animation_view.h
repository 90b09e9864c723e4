// The animation control: shows a silent AVI clip, centred at its natural
// size on the button-face colour, and plays it over and over at the clip's
// own frame rate from a timer on the GUI thread.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

namespace vemora {

class AnimationView : public QWidget {
 public:
  explicit AnimationView(QWidget* parent = nullptr);

  // Reads the clip and starts playing it from its first frame. A missing,
  // unreadable or unsupported clip leaves the control empty, showing only
  // its background, and returns false; no message is shown.
  bool Open(const std::string& path);

  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // 0 when empty.
  int CurrentFrame() const { return current_; }
  // True while the timer steps through a clip of two or more frames.
  bool IsPlaying() const { return timer_.isActive(); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Clear();
  void Advance();

  QTimer timer_;
  std::vector<QImage> frames_;
  int current_ = 0;
};

}  // namespace vemora
