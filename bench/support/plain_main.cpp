// Main of the benchmarks that need no window system.
#include "support/goal_reporter.h"

int main(int argc, char** argv) {
  return vemora::bench::RunBenchmarksWithGoals(argc, argv);
}
