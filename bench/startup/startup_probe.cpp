// The program started as main() starts it, ending once its main window is
// shown: the start-up that the driver times against the baseline.
#include <QApplication>

#include "app/program.h"
#include "app/version.h"
#include "platform/qt_form.h"
#include "startup/wait_shown.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Vemora");
  QApplication::setApplicationVersion(VEMORA_VERSION_STRING);
  vemora::Program program;
  if (!program.Start()) return 2;
  auto& form = static_cast<vemora::QtForm&>(program.Modul().vemora_Form.Get()->Window());
  return vemora::bench::WaitUntilShown(*form.Window()) ? 0 : 3;
}
