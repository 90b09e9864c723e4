// The animation control on Qt: the clip player's frame, centred at its
// natural size on the button-face colour, stepped by a timer on the GUI
// thread.
#pragma once

#include <QTimer>
#include <QWidget>

#include "toolkit/clip_player.h"

namespace vemora {

class AnimationView : public QWidget, private ClipScreen {
 public:
  explicit AnimationView(QWidget* parent = nullptr);
  ClipPlayer& Player() { return player_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void StartTimer(int intervalMs) override { timer_.start(intervalMs); }
  void StopTimer() override { timer_.stop(); }
  void Repaint() override { update(); }

  QTimer timer_;
  ClipPlayer player_{*this};
};

}  // namespace vemora
