// The program started as main() starts it, ending once its main window is
// shown: the start-up that the driver times against the baseline.
#include <QApplication>
#include <QWidget>

#include "app/program.h"
#include "app/version.h"
#include "startup/wait_shown.h"
#include "toolkit_qt/qt_application.h"
#include "toolkit_qt/qt_toolkit.h"

int main(int argc, char* argv[]) {
  vemora::QtApplication application(argc, argv, VEMORA_VERSION_STRING);
  vemora::QtToolkit toolkit(vemora::ApplicationObject());
  vemora::Program program(toolkit);
  if (!program.Start()) return 2;
  // The main window, found as any Qt program finds its windows: by the name
  // its design table gives it.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == "vemora_Form")
      return vemora::bench::WaitUntilShown(*window) ? 0 : 3;
  return 3;
}
