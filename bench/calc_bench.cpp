// The calculation with the formatting of its result, as Berechnen runs it.
#include <benchmark/benchmark.h>

#include <array>

#include "calc/calc.h"
#include "support/goal_reporter.h"

namespace vemora::bench {
namespace {

// The design inputs and a busier server, taken in turn so that no single
// path is all the branch predictor ever sees.
std::array<CalcInputs, 2> InputRows() {
  CalcInputs busy;
  busy.Text_V1 = "4000";
  busy.Check_V2 = 1;
  busy.Combo_V3 = "64";
  busy.Text_V6 = "250";
  busy.Text_V7 = "50000";
  busy.Option_NW3 = 0;
  busy.Option_NW4 = -1;
  busy.Check_L3 = 1;
  busy.Check_L4 = 1;
  return {CalcInputs{}, busy};
}

void BM_CalculateMemory(benchmark::State& state) {
  const auto rows = InputRows();
  CalcState calc;
  std::size_t row = 0;
  for (auto _ : state) {
    std::string text = CalculateMemory(rows[row], calc, ",");
    benchmark::DoNotOptimize(text);
    row ^= 1;
  }
}
BENCHMARK(BM_CalculateMemory)->Repetitions(15)->ReportAggregatesOnly(true);

[[maybe_unused]] const bool kFigure =
    RegisterGoal({"BM_CalculateMemory", "CalculateMemory with its formatted result, per call",
                  benchmark::kNanosecond});

}  // namespace
}  // namespace vemora::bench
