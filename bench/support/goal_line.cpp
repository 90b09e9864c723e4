#include "support/goal_line.h"

#include <cstdio>
#include <string>

namespace vemora::bench {
namespace {

const char* Mark(bool met) {
  return met ? "[met]   " : "[MISSED]";
}

std::string Text(std::string_view view) {
  return std::string(view);
}

}  // namespace

bool PrintGoalLine(std::string_view figure, double value, double limit, std::string_view unit,
                   std::string_view detail) {
  const bool met = value <= limit;
  const std::string u = unit.empty() ? "" : " " + Text(unit);
  std::printf("%s %s: %.4g%s, goal at most %.4g%s", Mark(met), Text(figure).c_str(), value,
              u.c_str(), limit, u.c_str());
  if (!detail.empty()) std::printf(" (%s)", Text(detail).c_str());
  std::printf("\n");
  std::fflush(stdout);
  return met;
}

void PrintFigureLine(std::string_view figure, double value, std::string_view unit,
                     std::string_view detail) {
  std::printf("[figure] %s: %.4g %s", Text(figure).c_str(), value, Text(unit).c_str());
  if (!detail.empty()) std::printf(" (%s)", Text(detail).c_str());
  std::printf("\n");
  std::fflush(stdout);
}

void PrintMissingFigure(std::string_view figure, std::string_view reason, bool hasGoal) {
  std::printf("%s %s: no figure, %s\n", hasGoal ? Mark(false) : "[figure]", Text(figure).c_str(),
              Text(reason).c_str());
  std::fflush(stdout);
}

}  // namespace vemora::bench
