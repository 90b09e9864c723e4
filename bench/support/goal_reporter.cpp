#include "support/goal_reporter.h"

#include <time.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "support/goal_line.h"

namespace vemora::bench {
namespace {

std::vector<Goal>& Goals() {
  static std::vector<Goal> goals;
  return goals;
}

struct Median {
  double realSeconds = 0;
  double cpuSeconds = -1;  // negative: not measured
  std::map<std::string, double> counters;
};

// CPU time shows how much of the wall time was this process's work and how
// much other load on the machine. Manual timings report theirs in a counter.
double CpuSeconds(const benchmark::BenchmarkReporter::Run& run) {
  if (const auto cpu = run.counters.find(kCpuCounter); cpu != run.counters.end())
    return cpu->second.value;
  if (run.run_name.time_type == "manual_time") return -1;
  return run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

std::string UnitName(benchmark::TimeUnit unit) {
  return unit == benchmark::kMicrosecond ? "µs" : benchmark::GetTimeUnitString(unit);
}

// "45.2 µs (CPU 9.1 µs)" in the goal's unit.
std::string Times(const Median& m, benchmark::TimeUnit unit) {
  const double scale = benchmark::GetTimeUnitMultiplier(unit);
  char text[96];
  if (m.cpuSeconds < 0)
    std::snprintf(text, sizeof text, "%.4g %s", m.realSeconds * scale, UnitName(unit).c_str());
  else
    std::snprintf(text, sizeof text, "%.4g %s (CPU %.4g %s)", m.realSeconds * scale,
                  UnitName(unit).c_str(), m.cpuSeconds * scale, UnitName(unit).c_str());
  return text;
}

// The console output as usual, and each benchmark's median kept in seconds.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  MedianReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string& name = run.run_name.function_name;
      if (run.error_occurred) errors_[name] = run.error_message;
      if (run.aggregate_name != "median") continue;
      Median& m = medians_[name];
      m.realSeconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      m.cpuSeconds = CpuSeconds(run);
      for (const auto& [counter, value] : run.counters) m.counters[counter] = value.value;
    }
  }
  bool PrintGoals() const {
    bool allRan = true;
    for (const Goal& goal : Goals()) allRan = PrintGoal(goal) && allRan;
    return allRan;
  }

 private:
  // The benchmark's median, or null after printing why there is none.
  const Median* Find(const Goal& goal, std::string_view benchmark) const {
    const std::string name(benchmark);
    std::string reason = name + " did not run";
    if (const auto error = errors_.find(name); error != errors_.end())
      reason = name + ": " + error->second;
    else if (const auto median = medians_.find(name); median != medians_.end())
      return &median->second;
    PrintMissingFigure(goal.figure, reason, goal.limit > 0);
    return nullptr;
  }

  bool PrintGoal(const Goal& goal) const {
    const Median* subject = Find(goal, goal.benchmark);
    if (!subject) return false;
    if (!goal.counter.empty()) {
      const Median* floor = goal.floor.empty() ? nullptr : Find(goal, goal.floor);
      const double value = subject->counters.at(std::string(goal.counter));
      char detail[64] = "";
      if (floor)
        std::snprintf(detail, sizeof detail, "floor %.4g",
                      floor->counters.at(std::string(goal.counter)));
      PrintGoalLine(goal.figure, value, goal.limit, "", detail);
      return true;
    }
    if (goal.floor.empty()) {
      const double scale = benchmark::GetTimeUnitMultiplier(goal.unit);
      std::string detail = "median of wall times";
      if (subject->cpuSeconds >= 0) {
        char cpu[64];
        std::snprintf(cpu, sizeof cpu, "; CPU time %.4g %s", subject->cpuSeconds * scale,
                      UnitName(goal.unit).c_str());
        detail += cpu;
      }
      PrintFigureLine(goal.figure, subject->realSeconds * scale, UnitName(goal.unit), detail);
      return true;
    }
    const Median* floor = Find(goal, goal.floor);
    if (!floor) return false;
    const std::string detail =
        "medians " + Times(*subject, goal.unit) + " vs " + Times(*floor, goal.unit);
    PrintGoalLine(goal.figure, subject->realSeconds / floor->realSeconds, goal.limit, "x floor",
                  detail);
    return true;
  }

  std::map<std::string, Median> medians_;
  std::map<std::string, std::string> errors_;
};

}  // namespace

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool RegisterGoal(const Goal& goal) {
  Goals().push_back(goal);
  return true;
}

int RunBenchmarksWithGoals(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const bool allRan = reporter.PrintGoals();
  benchmark::Shutdown();
  return allRan ? 0 : 1;
}

}  // namespace vemora::bench
