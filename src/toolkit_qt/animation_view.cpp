#include "toolkit_qt/animation_view.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

#include "clip/avi_reader.h"

namespace vemora {
namespace {

// The timer's interval in milliseconds: the clip's frame time, rounded,
// but at least one millisecond.
int IntervalMs(std::uint32_t microSecPerFrame) {
  return static_cast<int>(
      std::max<std::uint64_t>(1, (std::uint64_t{microSecPerFrame} + 500) / 1000));
}

QImage ToImage(const std::vector<std::uint32_t>& pixels, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    std::memcpy(image.scanLine(y),
                pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                static_cast<std::size_t>(width) * sizeof(std::uint32_t));
  }
  return image;
}

}  // namespace

AnimationView::AnimationView(QWidget* parent) : QWidget(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &AnimationView::Advance);
}

bool AnimationView::Open(const std::string& path) {
  Clear();
  const std::optional<AviClip> clip = ReadAviFile(path);
  if (!clip) return false;
  frames_.reserve(clip->frames.size());
  for (const auto& frame : clip->frames)
    frames_.push_back(ToImage(frame, clip->width, clip->height));
  if (frames_.size() > 1) timer_.start(IntervalMs(clip->microSecPerFrame));
  update();
  return true;
}

QSize AnimationView::sizeHint() const {
  if (frames_.empty()) return {57, 41};
  return frames_.front().size();
}

void AnimationView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  if (frames_.empty()) return;
  const QImage& frame = frames_[static_cast<std::size_t>(current_)];
  painter.drawImage(QPoint((width() - frame.width()) / 2, (height() - frame.height()) / 2), frame);
}

void AnimationView::Clear() {
  timer_.stop();
  frames_.clear();
  current_ = 0;
  update();
}

void AnimationView::Advance() {
  if (frames_.empty()) return;
  current_ = (current_ + 1) % FrameCount();
  update();
}

}  // namespace vemora
