// Times the program's start-up against the baseline, side by side: probe and
// baseline in turn (A B A B), each run to its end, on whatever platform the
// environment selects. Prints the two ratios of medians as goal lines.
//   vemora_startup_bench <platform name> [pairs]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "startup/child_run.h"
#include "support/goal_line.h"

namespace fs = std::filesystem;

namespace vemora::bench {
namespace {

struct Samples {
  std::vector<double> seconds, peakKiB;
  int failures = 0;
  void Add(const ChildRun& run) {
    seconds.push_back(run.seconds);
    peakKiB.push_back(static_cast<double>(run.peakKiB));
    if (run.exitStatus != 0) ++failures;
  }
};

// A runtime folder of our own, so no running copy's lock is seen.
fs::path PrivateRuntimeDir() {
  std::string pattern = (fs::temp_directory_path() / "vemora-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

void Report(const std::string& platform, const Samples& probe, const Samples& baseline) {
  const double probeTime = Median(probe.seconds), baseTime = Median(baseline.seconds);
  const double probeKiB = Median(probe.peakKiB), baseKiB = Median(baseline.peakKiB);
  char detail[160];
  std::snprintf(detail, sizeof detail, "medians %.1f ms vs %.1f ms over %zu pairs", probeTime * 1e3,
                baseTime * 1e3, probe.seconds.size());
  PrintGoalLine("Start-up to the main window shown, " + platform, probeTime / baseTime, 1.5,
                "x floor", detail);
  std::snprintf(detail, sizeof detail, "medians %.1f MiB vs %.1f MiB", probeKiB / 1024,
                baseKiB / 1024);
  PrintGoalLine("Peak resident memory at start-up, " + platform, probeKiB / baseKiB, 1.2, "x floor",
                detail);
}

int Run(const std::string& platform, int pairs) {
  const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
  const std::string probe = (bin / "vemora_startup_probe").string();
  const std::string baseline = (bin / "vemora_startup_baseline").string();
  const fs::path runtime = PrivateRuntimeDir();
  const auto env = EnvironmentWith("XDG_RUNTIME_DIR", runtime.string());
  // One untimed pair first: the libraries come into the page cache.
  RunChild(probe, env);
  RunChild(baseline, env);
  Samples probeRuns, baselineRuns;
  for (int i = 0; i < pairs; ++i) {
    probeRuns.Add(RunChild(probe, env));
    baselineRuns.Add(RunChild(baseline, env));
  }
  fs::remove_all(runtime);
  if (probeRuns.failures || baselineRuns.failures) {
    PrintMissingFigure("Start-up to the main window shown, " + platform,
                       "a probe or baseline run failed");
    PrintMissingFigure("Peak resident memory at start-up, " + platform, "a run failed");
    return 1;
  }
  Report(platform, probeRuns, baselineRuns);
  return 0;
}

}  // namespace
}  // namespace vemora::bench

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <platform name> [pairs]\n", argv[0]);
    return 2;
  }
  const int pairs = argc > 2 ? std::atoi(argv[2]) : 15;
  try {
    return vemora::bench::Run(argv[1], pairs > 0 ? pairs : 15);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
