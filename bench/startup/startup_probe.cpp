// The program started as main() starts it, ending once its main window is
// shown: the start-up that the driver times against the baseline.
#include "app/program.h"
#include "app/version.h"
#include "startup/wait_shown.h"
#include "toolkit_qt/qt_application.h"
#include "toolkit_qt/qt_form.h"
#include "toolkit_qt/qt_toolkit.h"

int main(int argc, char* argv[]) {
  vemora::QtApplication application(argc, argv, VEMORA_VERSION_STRING);
  vemora::QtToolkit toolkit(vemora::ApplicationObject());
  vemora::Program program(toolkit);
  if (!program.Start()) return 2;
  auto& form = static_cast<vemora::QtForm&>(program.Modul().vemora_Form.Get()->Window());
  return vemora::bench::WaitUntilShown(*form.Window()) ? 0 : 3;
}
