// A keystroke in the client count to the new result in Text_Summe, through
// the real widgets: key event, Change, Berechnen, the result's SetText.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTest>

#include "support/bench_program.h"
#include "support/goal_reporter.h"

namespace vemora::bench {
namespace {

void BM_KeystrokeToResult(benchmark::State& state) {
  StartedProgram program;
  auto* clients = program.Main<QLineEdit>("Text_V6");
  auto* result = program.Main<QLineEdit>("Text_Summe");
  clients->setFocus();
  clients->end(false);
  const QString before = result->text();
  // A digit, then Backspace: every keystroke edits the text and recalculates.
  bool typeDigit = true;
  for (auto _ : state) {
    if (typeDigit)
      QTest::keyClick(clients, '5');
    else
      QTest::keyClick(clients, Qt::Key_Backspace);
    QString text = result->text();
    benchmark::DoNotOptimize(text);
    typeDigit = !typeDigit;
  }
  // After an odd number of keystrokes the count is 55, which changes the sum.
  if (!typeDigit && result->text() == before) state.SkipWithError("the result did not change");
}
BENCHMARK(BM_KeystrokeToResult)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

[[maybe_unused]] const bool kGoal =
    RegisterGoal({"BM_KeystrokeToResult", "Keystroke in Text_V6 to the new text in Text_Summe", 100,
                  benchmark::kMicrosecond});

}  // namespace
}  // namespace vemora::bench
