// The least a Qt Widgets program does to show a window: one label. The
// program's start-up is measured against this.
#include <QApplication>
#include <QLabel>

#include "startup/wait_shown.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QLabel label("Vemora");
  label.show();
  return vemora::bench::WaitUntilShown(label) ? 0 : 3;
}
