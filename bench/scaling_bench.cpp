// The layout scaler on the real main window: one scaling pass over its 20
// controls with the Refresh that ends it, and a drag-resize of 200 steps
// against its floor, the same 20 widgets placed by a QGridLayout.
#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <memory>

#include "main_window/main_form_design.h"
#include "support/bench_program.h"
#include "support/goal_reporter.h"

namespace vemora::bench {
namespace {

constexpr int kDragSteps = 200;
constexpr const char* kPaintsCounter = "paints_per_step";

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

// Counts the paints of the whole window; a text box's blinking cursor paints
// only its own small part.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* window) : window_(window) { window->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint &&
        static_cast<QPaintEvent*>(event)->rect().contains(window_->rect()))
      ++paints;
    return false;
  }

 private:
  const QWidget* window_;
};

// From the load size to twice that size in even steps, the event loop taking
// its turn between steps as it does during a drag. Going back is not timed.
void Drag(benchmark::State& state, QWidget* window) {
  QCoreApplication::processEvents();
  const QSize load = window->size();
  PaintCounter counter(window);
  double cpuSeconds = 0;
  int paints = 0;
  for (auto _ : state) {
    counter.paints = 0;
    const double cpuStart = ProcessCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (int step = 1; step <= kDragSteps; ++step) {
      window->resize(load + load * step / kDragSteps);
      QCoreApplication::processEvents();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(elapsed.count());
    cpuSeconds += ProcessCpuSeconds() - cpuStart;
    paints += counter.paints;
    window->resize(load);
    QCoreApplication::processEvents();
  }
  state.counters[kCpuCounter] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
  state.counters[kPaintsCounter] = benchmark::Counter(static_cast<double>(paints) / kDragSteps,
                                                      benchmark::Counter::kAvgIterations);
  if (paints < state.iterations() * kDragSteps) state.SkipWithError("a step was not painted");
}

void BM_DragResize(benchmark::State& state) {
  StartedProgram program;
  Drag(state, program.MainWindow());
}

QWidget* FloorWidget(const ControlDesign& design) {
  const QString text = QString::fromUtf8(design.caption.data(), design.caption.size());
  switch (design.kind) {
    case ControlKind::TextBox:
      return new QLineEdit(text);
    case ControlKind::CommandButton:
      return new QPushButton(text);
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox;
      for (std::string_view item : design.items)
        combo->addItem(QString::fromUtf8(item.data(), item.size()));
      return combo;
    }
    case ControlKind::Frame:
      return new QGroupBox(text);
    case ControlKind::OptionButton:
      return new QRadioButton(text);
    case ControlKind::CheckBox:
      return new QCheckBox(text);
    default: {
      auto* label = new QLabel(text);
      label->setWordWrap(true);
      return label;
    }
  }
}

// The main window's controls, of the same widget classes with the same texts
// and fonts, two to a row of a grid; the frame's own in a grid of its own.
std::unique_ptr<QWidget> GridWindow(QSize size) {
  auto window = std::make_unique<QWidget>();
  auto* grid = new QGridLayout(window.get());
  QGridLayout* frameGrid = nullptr;
  int placed = 0, inFrame = 0;
  for (const ControlDesign& design : MainFormDesign().controls) {
    QWidget* widget = FloorWidget(design);
    if (design.font.size > 0) {
      QFont font(QString::fromUtf8(design.font.face.data(), design.font.face.size()));
      font.setPointSizeF(design.font.size);
      font.setBold(design.font.bold);
      widget->setFont(font);
    }
    if (design.container.empty()) {
      grid->addWidget(widget, placed / 2, placed % 2);
      ++placed;
    } else {
      frameGrid->addWidget(widget, inFrame / 2, inFrame % 2);
      ++inFrame;
    }
    if (design.kind == ControlKind::Frame) frameGrid = new QGridLayout(widget);
  }
  window->resize(size);
  window->show();
  return window;
}

void BM_DragResizeFloor(benchmark::State& state) {
  QSize load;
  {
    StartedProgram program;
    load = program.MainWindow()->size();
  }
  const auto window = GridWindow(load);
  Drag(state, window.get());
}

BENCHMARK(BM_ScalingPass)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_DragResize)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_DragResizeFloor)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

[[maybe_unused]] const bool kPassFigure =
    RegisterGoal({"BM_ScalingPass", "One scaling pass over the 20 controls with its Refresh",
                  benchmark::kMillisecond});
[[maybe_unused]] const bool kDragGoal =
    RegisterGoal({"BM_DragResize",
                  "Drag-resize of 200 steps from the load size to twice it",
                  benchmark::kMillisecond,
                  "BM_DragResizeFloor",
                  {},
                  1.5});
[[maybe_unused]] const bool kPaintGoal =
    RegisterGoal({"BM_DragResize", "Paints of the whole main window per drag step",
                  benchmark::kMillisecond, "BM_DragResizeFloor", kPaintsCounter, 1});

}  // namespace
}  // namespace vemora::bench
