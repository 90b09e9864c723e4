#include "startup/child_run.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace vemora::bench {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ChildRun RunChild(const std::string& program, const std::vector<std::string>& environment) {
  std::vector<std::string> args{program}, env = environment;
  const std::vector<char*> argv = Pointers(args), envp = Pointers(env);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data());
  if (error != 0) throw std::runtime_error(program + ": " + std::strerror(error));
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) throw std::runtime_error(program + ": wait4 failed");
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  ChildRun run;
  run.seconds = elapsed.count();
  run.peakKiB = usage.ru_maxrss;
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::vector<std::string> EnvironmentWith(const std::string& name, const std::string& value) {
  std::vector<std::string> env;
  const std::string prefix = name + "=";
  for (char** entry = environ; *entry; ++entry) {
    if (std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0) env.emplace_back(*entry);
  }
  env.push_back(prefix + value);
  return env;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace vemora::bench
