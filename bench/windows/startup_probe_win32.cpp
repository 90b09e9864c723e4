// Starts the program as vemora.exe does and ends as soon as its main window
// is shown and painted: the start-up the Windows benchmark times.
#include "app/program.h"
#include "toolkit_win32/win32_form.h"
#include "toolkit_win32/win32_toolkit.h"
#include "windows/shown.h"

int main() {
  vemora::Win32Toolkit toolkit(vemora::ApplicationObject());
  vemora::Program program(toolkit);
  if (!program.Start()) return 3;
  auto& form = dynamic_cast<vemora::Win32Form&>(program.Modul().vemora_Form.Get()->Window());
  vemora::bench::EndWhenShown(form.Window());
}
