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
};

// CPU time shows how much of the wall time was this process's work and how
// much other load on the machine. Manual timings report theirs in a counter.
double CpuSeconds(const benchmark::BenchmarkReporter::Run& run) {
  if (const auto cpu = run.counters.find(kCpuCounter); cpu != run.counters.end())
    return cpu->second.value;
  if (run.run_name.time_type == "manual_time") return -1;
  return run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
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
      medians_[name] = {run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit),
                        CpuSeconds(run)};
    }
  }
  bool PrintGoals() const {
    bool allRan = true;
    for (const Goal& goal : Goals()) allRan = PrintGoal(goal) && allRan;
    return allRan;
  }

 private:
  bool PrintGoal(const Goal& goal) const {
    const std::string name(goal.benchmark);
    if (const auto error = errors_.find(name); error != errors_.end()) {
      PrintMissingFigure(goal.figure, error->second);
      return false;
    }
    const auto median = medians_.find(name);
    if (median == medians_.end()) {
      PrintMissingFigure(goal.figure, "the benchmark did not run");
      return false;
    }
    const double scale = benchmark::GetTimeUnitMultiplier(goal.unit);
    const Median& m = median->second;
    std::string detail = "median of wall times";
    if (m.cpuSeconds >= 0) {
      char cpu[64];
      std::snprintf(cpu, sizeof cpu, "; CPU time %.4g %s", m.cpuSeconds * scale,
                    std::string(UnitName(goal.unit)).c_str());
      detail += cpu;
    }
    PrintGoalLine(goal.figure, m.realSeconds * scale, goal.limit, UnitName(goal.unit), detail);
    return true;
  }
  static std::string_view UnitName(benchmark::TimeUnit unit) {
    return unit == benchmark::kMicrosecond ? "µs" : benchmark::GetTimeUnitString(unit);
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
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const bool allRan = reporter.PrintGoals();
  benchmark::Shutdown();
  return allRan ? 0 : 1;
}

}  // namespace vemora::bench
