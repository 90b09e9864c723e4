// One line per goal: the figure, its goal, and whether the goal was met.
// scripts/bench.sh counts the lines that start with "[met]" or "[MISSED]".
#pragma once

#include <string_view>

namespace vemora::bench {

// Prints "[met]    figure: value unit, goal at most limit unit (detail)".
// Returns whether value is within limit.
bool PrintGoalLine(std::string_view figure, double value, double limit, std::string_view unit,
                   std::string_view detail = {});

// A figure that could not be measured counts as missed.
void PrintMissingFigure(std::string_view figure, std::string_view reason);

}  // namespace vemora::bench
