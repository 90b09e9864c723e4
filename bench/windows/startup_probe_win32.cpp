// Starts the program as vemora.exe does and ends as soon as its main window
// is shown and painted: the start-up the Windows benchmark times.
#include "app/program.h"
#include "toolkit_win32/win32_toolkit.h"
#include "windows/shown.h"

int main() {
  vemora::Win32Toolkit toolkit(vemora::ApplicationObject());
  vemora::Program program(toolkit);
  if (!program.Start()) return 3;
  // The main window: the one window of this thread that is shown.
  HWND main = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        if (!IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&main));
  vemora::bench::EndWhenShown(main);
}
