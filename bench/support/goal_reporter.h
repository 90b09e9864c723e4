// Runs the registered benchmarks and ends with one goal line per figure: the
// median of the repetitions against its goal.
#pragma once

#include <benchmark/benchmark.h>

#include <string_view>

namespace vemora::bench {

struct Goal {
  std::string_view benchmark;  // the function's name as registered
  std::string_view figure;     // what the line says is measured
  double limit;                // in unit
  benchmark::TimeUnit unit;
};

// A benchmark that times itself sets this counter to its CPU seconds per
// iteration (kAvgIterations), so that its goal line shows them as well.
inline constexpr const char* kCpuCounter = "cpu_seconds";

// Process CPU time so far, in seconds.
double ProcessCpuSeconds();

// For namespace-scope registration next to the benchmark: always true.
bool RegisterGoal(const Goal& goal);

// Initialises Google Benchmark with argc/argv, runs everything, prints the
// goal lines. Returns 0 when every benchmark ran, 1 otherwise.
int RunBenchmarksWithGoals(int argc, char** argv);

}  // namespace vemora::bench
