// The Windows program: Main on the native toolkit, then the message loop
// until the last window goes or the program is ended.
#include "app/program.h"
#include "toolkit_win32/win32_toolkit.h"

int main() {
  vemora::Win32Toolkit toolkit(vemora::ApplicationObject());
  vemora::Program program(toolkit);
  if (!program.Start()) return 0;
  return toolkit.Run();
}
