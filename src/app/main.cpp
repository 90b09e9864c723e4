// The program: Main, then the event loop until the last window goes or the
// program is ended.
#include "app/program.h"
#include "app/version.h"
#include "toolkit_qt/qt_application.h"
#include "toolkit_qt/qt_toolkit.h"

int main(int argc, char* argv[]) {
  vemora::QtApplication application(argc, argv, VEMORA_VERSION_STRING);
  vemora::QtToolkit toolkit(vemora::ApplicationObject());
  vemora::Program program(toolkit);
  if (!program.Start()) return 0;
  return application.Exec();
}
