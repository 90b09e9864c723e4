// The layout scaler on the real main window: one scaling pass over its 20
// controls with the Refresh that ends it, and a drag-resize of 200 steps.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>

#include "support/bench_program.h"
#include "support/goal_reporter.h"

namespace vemora::bench {
namespace {

constexpr int kDragSteps = 200;

// Each resize of the shown window runs the resize handler once, so the
// window alternates between two sizes and every pass sets new geometry.
void BM_ScalingPass(benchmark::State& state) {
  StartedProgram program;
  QWidget* window = program.MainWindow();
  const QSize load = window->size();
  const QSize sizes[] = {load * 1.5, load};
  QWidget* sum = program.Main<QWidget>("Text_Summe");
  const int loadWidth = sum->width();
  std::size_t next = 0;
  for (auto _ : state) {
    window->resize(sizes[next]);
    next ^= 1;
  }
  // The last resize went to the larger size.
  if (next == 1 && sum->width() == loadWidth) state.SkipWithError("the scaler did not run");
}
BENCHMARK(BM_ScalingPass)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// From the load size to twice that size in even steps, the event loop taking
// its turn between steps as it does during a drag. Going back is not timed.
void BM_DragResize(benchmark::State& state) {
  StartedProgram program;
  QWidget* window = program.MainWindow();
  const QSize load = window->size();
  double cpuSeconds = 0;
  for (auto _ : state) {
    const double cpuStart = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (int step = 1; step <= kDragSteps; ++step) {
      window->resize(load + load * step / kDragSteps);
      QCoreApplication::processEvents();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
    cpuSeconds += ProcessCpuSeconds() - cpuStart;
    window->resize(load);
    QCoreApplication::processEvents();
  }
  state.counters[kCpuCounter] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DragResize)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

[[maybe_unused]] const bool kPassGoal =
    RegisterGoal({"BM_ScalingPass", "One scaling pass over the 20 controls with its Refresh", 2,
                  benchmark::kMillisecond});
[[maybe_unused]] const bool kDragGoal =
    RegisterGoal({"BM_DragResize", "Drag-resize of 200 steps from the load size to twice it", 500,
                  benchmark::kMillisecond});

}  // namespace
}  // namespace vemora::bench
