// The memory calculation: ten input values in, seventeen persistent
// variables updated step by step, the result text out. No window code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vemora {

// The Value of a ticked check box and of a selected option button; 0 is off.
inline constexpr std::int16_t kTicked = 1;
inline constexpr std::int16_t kSelected = -1;

// One run's inputs, one field per control of the main window, named after
// it; the suffix names the variable the control feeds (Text_V1 feeds V1).
struct CalcInputs {
  std::string Text_V1 = "100";
  std::int16_t Check_V2 = 0;
  std::string Combo_V3 = "4";
  std::string Text_V6 = "5";
  std::string Text_V7 = "10000";
  std::int16_t Option_NW3 = kSelected;
  std::int16_t Option_NW4 = 0;
  std::int16_t Check_L3 = 0;
  std::int16_t Check_L4 = 0;
  std::string Text_L8 = "3000";
};

// Persists between runs; all 0 at start. V are the input quantities, L the
// shares of the sum, each in KB; L1 and L6 are not assigned in every run.
struct CalcState {
  std::int32_t V1 = 0;  // disk capacity, MB
  double V2 = 0;        // capacity counted for volume blocks, MB: V1, halved by mirroring
  std::int32_t V3 = 0;  // volume block size, KB
  double V4 = 0;        // blocks per MB: 1024 / V3
  double V5 = 0;        // volume blocks: V2 * V4
  std::int32_t V6 = 0;  // clients
  std::int32_t V7 = 0;  // files
  std::int32_t L1 = 0;  // base of the NetWare version: 2048 for 3.1x, 5120 for 4.x
  double L2 = 0;        // disk: V1 / 10
  std::int32_t L3 = 0;  // compression: 250 or 0
  double L4 = 0;        // files: 0.011 each with suballocation, else 0.006
  double L5 = 0;        // volume blocks: 0.008 each
  std::int32_t L6 = 0;  // clients, by bands (AssignClientShare)
  std::int32_t L7 = 0;  // fixed: 2000
  double L8 = 0;        // other applications, as entered
  double SummeKB = 0;
  double SummeMB = 0;

  bool operator==(const CalcState&) const = default;
};

// One run: reads the inputs into V1 ... V7, the shares L1 ... L8, their sum
// SummeKB and SummeMB, in this order, and gives SummeMB as "####.##". A
// failing assignment raises its run-time error at once: the variables
// before it keep their new values, those after it their old ones.
std::string CalculateMemory(const CalcInputs& inputs, CalcState& state,
                            std::string_view decimalSeparator);

// Share of the client count by bands; 0 and less assign nothing.
// Checked 32-bit arithmetic: overflow from 42948273 clients on.
void AssignClientShare(std::int32_t clients, std::int32_t& share);

}  // namespace vemora
