// Opening the About window as the logo's click does: creating and loading the
// form, which fills its texts and reads and starts the clip, and showing it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <filesystem>
#include <memory>

#include "about_window/info_form.h"
#include "app/program.h"
#include "support/bench_program.h"
#include "support/goal_reporter.h"
#include "toolkit/basic_form.h"
#include "toolkit/clip_player.h"

namespace vemora::bench {
namespace {

bool ClipPlays(InfoForm& about) {
  const ClipPlayer* clip = static_cast<BasicForm&>(about.Window()).Find("Animation1").Player();
  return clip && clip->FrameCount() > 0 && clip->IntervalMs() > 0;
}

// A module of its own per opening: the form a closed window leaves behind is
// destroyed with it, outside the timed part.
void BM_OpenAboutWindow(benchmark::State& state) {
  if (!std::filesystem::is_regular_file(ClipPath(ApplicationObject().Path))) {
    state.SkipWithError("quorl.avi is missing beside the executable");
    return;
  }
  bool clipPlays = true;
  double cpuSeconds = 0;
  for (auto _ : state) {
    auto module = std::make_unique<BenchModule>();
    module->modul.VersionText = "Version 2.3";
    const double cpuStart = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    module->modul.Info_Form().Window().Show();
    QCoreApplication::processEvents();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
    cpuSeconds += ProcessCpuSeconds() - cpuStart;
    clipPlays = clipPlays && ClipPlays(*module->modul.Info_Form.Get());
  }
  state.counters[kCpuCounter] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
  if (!clipPlays) state.SkipWithError("the About window did not read and play the clip");
}
BENCHMARK(BM_OpenAboutWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

[[maybe_unused]] const bool kFigure =
    RegisterGoal({"BM_OpenAboutWindow", "Opening the About window with reading the clip",
                  benchmark::kMillisecond});

}  // namespace
}  // namespace vemora::bench
