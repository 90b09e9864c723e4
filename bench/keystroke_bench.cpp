// A keystroke in the client count to the new result in Text_Summe, through
// the real widgets: key event, Change, Berechnen, the result's SetText. Its
// floor: a bare window where one line edit's textChanged sets another's text.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "support/bench_program.h"
#include "support/goal_reporter.h"

namespace vemora::bench {
namespace {

// A digit, then Backspace: every keystroke edits the text and changes the
// output. Returns whether the output changed.
bool TypeInto(benchmark::State& state, QLineEdit* input, const QLineEdit* output) {
  input->setFocus();
  input->end(false);
  const QString before = output->text();
  bool typeDigit = true;
  for (auto _ : state) {
    if (typeDigit)
      QTest::keyClick(input, '5');
    else
      QTest::keyClick(input, Qt::Key_Backspace);
    QString text = output->text();
    benchmark::DoNotOptimize(text);
    typeDigit = !typeDigit;
  }
  // After an odd number of keystrokes the input has its digit added.
  return typeDigit || output->text() != before;
}

void BM_KeystrokeToResult(benchmark::State& state) {
  StartedProgram program;
  if (!TypeInto(state, program.Main<QLineEdit>("Text_V6"), program.Main<QLineEdit>("Text_Summe")))
    state.SkipWithError("the result did not change");
}

void BM_KeystrokeFloor(benchmark::State& state) {
  QWidget window;
  auto* input = new QLineEdit("5", &window);
  auto* output = new QLineEdit(&window);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(input);
  layout->addWidget(output);
  QObject::connect(input, &QLineEdit::textChanged, output, &QLineEdit::setText);
  window.show();
  if (!TypeInto(state, input, output)) state.SkipWithError("the output did not change");
}

BENCHMARK(BM_KeystrokeToResult)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_KeystrokeFloor)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

[[maybe_unused]] const bool kGoal =
    RegisterGoal({"BM_KeystrokeToResult",
                  "Keystroke in Text_V6 to the new text in Text_Summe",
                  benchmark::kMicrosecond,
                  "BM_KeystrokeFloor",
                  {},
                  1.5});

}  // namespace
}  // namespace vemora::bench
