#include "toolkit_qt/animation_view.h"

#include <QImage>
#include <QPainter>

namespace vemora {

AnimationView::AnimationView(QWidget* parent) : QWidget(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { player_.Step(); });
}

QSize AnimationView::sizeHint() const {
  if (player_.Empty()) return {57, 41};
  return {player_.Width(), player_.Height()};
}

void AnimationView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  if (player_.Empty()) return;
  // Shares the player's pixels, no copy of its own.
  const QImage frame(reinterpret_cast<const uchar*>(player_.Pixels().data()), player_.Width(),
                     player_.Height(), static_cast<qsizetype>(player_.Width()) * 4,
                     QImage::Format_RGB32);
  painter.drawImage(QPoint((width() - frame.width()) / 2, (height() - frame.height()) / 2), frame);
}

}  // namespace vemora
