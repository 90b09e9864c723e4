#include "toolkit_qt/animation_view.h"

#include <QPainter>

#include <algorithm>

#include "os/read_file.h"

namespace vemora {
namespace {

// The timer's interval in milliseconds: the clip's frame time, rounded,
// but at least one millisecond.
int IntervalMs(std::uint32_t microSecPerFrame) {
  return static_cast<int>(
      std::max<std::uint64_t>(1, (std::uint64_t{microSecPerFrame} + 500) / 1000));
}

}  // namespace

AnimationView::AnimationView(QWidget* parent) : QWidget(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &AnimationView::Advance);
}

bool AnimationView::Open(const std::string& path) {
  Close();
  std::optional<std::string> bytes = ReadRegularFile(path, kAviMaxFileBytes);
  if (!bytes) return false;
  clip_ = ParseAvi(std::move(*bytes));
  if (!clip_) return false;
  ShowFrame(0);
  if (clip_->FrameCount() > 1) timer_.start(IntervalMs(clip_->MicroSecPerFrame()));
  return true;
}

QSize AnimationView::sizeHint() const {
  if (!clip_) return {57, 41};
  return {clip_->Width(), clip_->Height()};
}

void AnimationView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  if (frame_.isNull()) return;
  painter.drawImage(QPoint((width() - frame_.width()) / 2, (height() - frame_.height()) / 2),
                    frame_);
}

void AnimationView::Close() {
  timer_.stop();
  frame_ = QImage();
  clip_.reset();
  // Handed back, not just emptied: a large clip's frame would stay otherwise.
  std::vector<std::uint32_t>().swap(pixels_);
  current_ = 0;
  update();
}

void AnimationView::ShowFrame(int index) {
  current_ = index;
  clip_->Decode(static_cast<std::size_t>(index), pixels_);
  frame_ = QImage(reinterpret_cast<const uchar*>(pixels_.data()), clip_->Width(), clip_->Height(),
                  clip_->Width() * 4, QImage::Format_RGB32);
  update();
}

void AnimationView::Advance() {
  if (!clip_) return;
  ShowFrame((current_ + 1) % FrameCount());
}

}  // namespace vemora
