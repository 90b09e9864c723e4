// One line per figure. scripts/bench.sh counts the goals by the lines that
// start with "[met]" or "[MISSED]"; "[figure]" lines have no goal.
#pragma once

#include <string_view>

namespace vemora::bench {

// Prints "[met]    figure: value unit, goal at most limit unit (detail)".
// Returns whether value is within limit.
bool PrintGoalLine(std::string_view figure, double value, double limit, std::string_view unit,
                   std::string_view detail = {});

// Prints "[figure] figure: value unit (detail)".
void PrintFigureLine(std::string_view figure, double value, std::string_view unit,
                     std::string_view detail = {});

// A figure that could not be measured; when it has a goal, the goal counts
// as missed.
void PrintMissingFigure(std::string_view figure, std::string_view reason, bool hasGoal = true);

}  // namespace vemora::bench
