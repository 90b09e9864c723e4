// The memory calculation: ten input values in, seventeen persistent
// variables updated step by step, the result text out. No window code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemora {

// One run's inputs, one field per control of the main window.
struct CalcInputs {
  std::string Text_V1 = "100";
  std::int16_t Check_V2 = 0;  // 1 ticked
  std::string Combo_V3 = "4";
  std::string Text_V6 = "5";
  std::string Text_V7 = "10000";
  std::int16_t Option_NW3 = -1;  // -1 selected
  std::int16_t Option_NW4 = 0;
  std::int16_t Check_L3 = 0;
  std::int16_t Check_L4 = 0;
  std::string Text_L8 = "3000";
};

// Persists between runs; L1 and L6 are not assigned in every run.
struct CalcState {
  std::int32_t V1 = 0;
  double V2 = 0;
  std::int32_t V3 = 0;
  double V4 = 0;
  double V5 = 0;
  std::int32_t V6 = 0;
  std::int32_t V7 = 0;
  std::int32_t L1 = 0;
  double L2 = 0;
  std::int32_t L3 = 0;
  double L4 = 0;
  double L5 = 0;
  std::int32_t L6 = 0;
  std::int32_t L7 = 0;
  double L8 = 0;
  double SummeKB = 0;
  double SummeMB = 0;

  bool operator==(const CalcState&) const = default;
};

// Runs steps 1 to 19 on state. A failing step raises its run-time error at
// once: earlier steps keep their new values, later ones their old.
std::string CalculateMemory(const CalcInputs& inputs, CalcState& state,
                            std::string_view decimalSeparator);

// Share of the client count by bands; 0 and less assign nothing.
// Checked 32-bit arithmetic: overflow from 42948273 clients on.
void AssignClientShare(std::int32_t clients, std::int32_t& share);

}  // namespace vemora
