#include "calc/calc.h"

#include "runtime/numbers.h"

namespace vemora {
namespace {

struct Band {
  std::int32_t from, base, perClient, offset;
};
// Highest band first: the first whose lower bound is reached applies.
constexpr Band kClientBands[] = {
    {501, 500, 50, 95000},
    {251, 250, 100, 70000},
    {101, 100, 200, 40000},
    {1, 0, 400, 0},
};

}  // namespace

void AssignClientShare(std::int32_t clients, std::int32_t& share) {
  for (const Band& band : kClientBands) {
    if (clients >= band.from) {
      // Subtract, multiply, add: each step checked on its own.
      share = CheckedAdd(CheckedMultiply(CheckedSubtract(clients, band.base), band.perClient),
                         band.offset);
      return;
    }
  }
}

std::string CalculateMemory(const CalcInputs& in, CalcState& s, std::string_view decimalSeparator) {
  s.V1 = RealToInt32(NumberFromText(in.Text_V1));
  s.V2 = in.Check_V2 == kTicked ? CheckedReal(s.V1 * 0.5) : static_cast<double>(s.V1);
  s.V3 = RealToInt32(NumberFromText(in.Combo_V3));
  s.V4 = CheckedDivide(1024.0, s.V3);
  s.V5 = CheckedReal(s.V2 * s.V4);
  s.V6 = RealToInt32(NumberFromText(in.Text_V6));
  s.V7 = RealToInt32(NumberFromText(in.Text_V7));
  if (in.Option_NW3 == kSelected) s.L1 = 2048;
  if (in.Option_NW4 == kSelected) s.L1 = 5120;
  s.L2 = CheckedDivide(s.V1, 10.0);
  s.L3 = in.Check_L3 == kTicked ? 250 : 0;
  s.L4 = CheckedReal(s.V7 * (in.Check_L4 == kTicked ? 0.011 : 0.006));
  s.L5 = CheckedReal(s.V5 * 0.008);
  AssignClientShare(s.V6, s.L6);
  s.L7 = 2000;
  s.L8 = NumberFromText(in.Text_L8);
  // Left to right, one double addition at a time.
  double sum = s.L1;
  sum += s.L2;
  sum += s.L3;
  sum += s.L4;
  sum += s.L5;
  sum += s.L6;
  sum += s.L7;
  sum += s.L8;
  s.SummeKB = CheckedReal(sum);
  s.SummeMB = CheckedDivide(s.SummeKB, 1024.0);
  return FormatTwoDecimals(s.SummeMB, decimalSeparator);
}

}  // namespace vemora
