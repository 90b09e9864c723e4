// The end of the start-up the probe and the baseline measure alike: the
// window is visible and the window system has exposed it.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vemora::bench {

inline bool IsShown(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return window.isVisible() && handle && handle->isExposed();
}

// Waits for events until the window is shown, at most ten seconds.
inline bool WaitUntilShown(const QWidget& window) {
  QTimer wakeUp;  // a lost expose event must not leave the wait blocked
  wakeUp.start(50);
  const QDeadlineTimer deadline(10000);
  while (!IsShown(window)) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace vemora::bench
