// The end of a start-up: the window painted and every message it had
// waiting handled. The process then ends at once, as tearing windows down
// is no part of the start-up (and Wine without a window manager waits for
// each window to be unmapped).
#pragma once

#include <windows.h>

namespace vemora::bench {

[[noreturn]] inline void EndWhenShown(HWND window) {
  if (!IsWindowVisible(window)) ExitProcess(4);
  UpdateWindow(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  GdiFlush();
  ExitProcess(0);
}

}  // namespace vemora::bench
