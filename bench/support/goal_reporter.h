// Runs the registered benchmarks and ends with one line per figure: a goal's
// line compares the median of the repetitions with its floor's, measured in
// the same run; a figure without a goal shows its median alone.
#pragma once

#include <benchmark/benchmark.h>

#include <string_view>

namespace vemora::bench {

struct Goal {
  std::string_view benchmark;     // the function's name as registered
  std::string_view figure;        // what the line says is measured
  benchmark::TimeUnit unit;       // of the times shown
  std::string_view floor = {};    // its floor's benchmark: the goal is a ratio of medians
  std::string_view counter = {};  // or one of its counters: the goal is the counter's median
  double limit = 0;               // at most this ratio or counter value; 0: no goal
};

// A benchmark that times itself sets this counter to its CPU seconds per
// iteration (kAvgIterations), so that its line shows them as well.
inline constexpr const char* kCpuCounter = "cpu_seconds";

// Process CPU time so far, in seconds.
double ProcessCpuSeconds();

// For namespace-scope registration next to the benchmark: always true.
bool RegisterGoal(const Goal& goal);

// Initialises Google Benchmark with argc/argv, runs everything with the
// repetitions of all benchmarks interleaved at random, so that a subject and
// its floor see the same load on the machine, and prints the lines. Returns 0
// when every benchmark ran, 1 otherwise.
int RunBenchmarksWithGoals(int argc, char** argv);

}  // namespace vemora::bench
