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
  std::printf("%s %s: %.4g %s, goal at most %.4g %s", Mark(met), Text(figure).c_str(), value,
              Text(unit).c_str(), limit, Text(unit).c_str());
  if (!detail.empty()) std::printf(" (%s)", Text(detail).c_str());
  std::printf("\n");
  std::fflush(stdout);
  return met;
}

void PrintMissingFigure(std::string_view figure, std::string_view reason) {
  std::printf("%s %s: no figure, %s\n", Mark(false), Text(figure).c_str(), Text(reason).c_str());
  std::fflush(stdout);
}

}  // namespace vemora::bench
