// Main of the benchmarks on real widgets: one QApplication on the offscreen
// platform, created before the benchmarks parse the command line.
#include <QApplication>

#include "support/goal_reporter.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return vemora::bench::RunBenchmarksWithGoals(argc, argv);
}
