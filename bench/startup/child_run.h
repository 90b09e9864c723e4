// One child process run to its end: wall time from spawn to reaping, and the
// peak resident memory the kernel reports for it.
#pragma once

#include <string>
#include <vector>

namespace vemora::bench {

struct ChildRun {
  double seconds = 0;
  long peakKiB = 0;     // ru_maxrss
  int exitStatus = -1;  // -1: did not exit normally
};

// Runs program with no arguments in the given environment ("NAME=value").
// Throws std::runtime_error when it cannot be started.
ChildRun RunChild(const std::string& program, const std::vector<std::string>& environment);

// This process's environment with name set to value.
std::vector<std::string> EnvironmentWith(const std::string& name, const std::string& value);

double Median(std::vector<double> values);

}  // namespace vemora::bench
