#include "calc/calc.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "runtime/runtime_error.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::RowName;

// The design inputs changed by one edit.
CalcInputs Design(const std::function<void(CalcInputs&)>& edit = {}) {
  CalcInputs in;
  if (edit) edit(in);
  return in;
}

void Nw4(CalcInputs& in) {
  in.Option_NW3 = 0;
  in.Option_NW4 = -1;
}

struct Shares {
  std::int32_t L1;
  double L2;
  std::int32_t L3;
  double L4, L5;
  std::int32_t L6, L7;
  double L8;
  bool operator==(const Shares&) const = default;
};

struct ExampleRow {
  const char* name;
  CalcInputs inputs;
  Shares shares;
  double summeKB;
  const char* text;  // with the separator "."
};

class WorkedExampleTest : public testing::TestWithParam<ExampleRow> {};

TEST_P(WorkedExampleTest, GivesExactSharesAndText) {
  const ExampleRow& row = GetParam();
  CalcState s;
  EXPECT_EQ(CalculateMemory(row.inputs, s, "."), row.text);
  EXPECT_EQ((Shares{s.L1, s.L2, s.L3, s.L4, s.L5, s.L6, s.L7, s.L8}), row.shares);
  EXPECT_EQ(s.SummeKB, row.summeKB);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WorkedExampleTest,
    testing::Values(
        ExampleRow{"Design", Design(), {2048, 10, 0, 60, 204.8, 2000, 2000, 3000}, 9322.8, "9.1"},
        // Both version options selected: 4.x wins.
        ExampleRow{"Nw4Compression",
                   Design([](CalcInputs& in) { in.Option_NW4 = -1, in.Check_L3 = 1; }),
                   {5120, 10, 250, 60, 204.8, 2000, 2000, 3000},
                   12644.8,
                   "12.35"},
        ExampleRow{"ThousandClients",
                   Design([](CalcInputs& in) {
                     in.Text_V1 = "2048", in.Combo_V3 = "16", in.Text_V6 = "1000";
                     in.Text_V7 = "200000", in.Text_L8 = "2500";
                     Nw4(in), in.Check_L4 = 1;
                   }),
                   {5120, 204.8, 0, 2200, 1048.576, 120000, 2000, 2500},
                   133073.376,
                   "129.95"},
        ExampleRow{"OtherFraction",
                   Design([](CalcInputs& in) { in.Text_L8 = "3000.5"; }),
                   {2048, 10, 0, 60, 204.8, 2000, 2000, 3000.5},
                   9323.3,
                   "9.1"}),
    RowName<ExampleRow>);

struct BandRow {
  const char* name;
  std::int32_t clients;
  std::int32_t share;
};

class ClientBandTest : public testing::TestWithParam<BandRow> {};

TEST_P(ClientBandTest, JoinsWithoutAStep) {
  std::int32_t share = -7;
  AssignClientShare(GetParam().clients, share);
  EXPECT_EQ(share, GetParam().share);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ClientBandTest,
    testing::Values(BandRow{"Hundred", 100, 40000}, BandRow{"HundredOne", 101, 40200},
                    BandRow{"TwoFifty", 250, 70000}, BandRow{"TwoFiftyOne", 251, 70100},
                    BandRow{"FiveHundred", 500, 95000}, BandRow{"FiveHundredOne", 501, 95050},
                    BandRow{"Largest", 42948272, 2147483600}, BandRow{"ZeroKeepsShare", 0, -7},
                    BandRow{"NegativeKeepsShare", -3, -7}),
    RowName<BandRow>);

// No clients, no option: those shares of the run before stay.
TEST(CalculateMemory, SharesCarryWhenNothingSelectsThem) {
  CalcState s;
  CalculateMemory(Design(Nw4), s, ",");
  CalculateMemory(Design([](CalcInputs& in) { in.Option_NW3 = 0, in.Text_V6 = ""; }), s, ",");
  EXPECT_EQ(s.L1, 5120);
  EXPECT_EQ(s.L6, 2000);
}

TEST(CalculateMemory, OnlyExactValuesCount) {
  CalcState s;
  // A check box counts only at 1, an option only at -1.
  CalculateMemory(Design([](CalcInputs& in) {
                    in.Check_V2 = -1, in.Check_L3 = 2, in.Check_L4 = -1, in.Option_NW4 = 1;
                  }),
                  s, ",");
  EXPECT_EQ(s.V2, 100);
  EXPECT_EQ(s.L3, 0);
  EXPECT_EQ(s.L4, 60);
  EXPECT_EQ(s.L1, 2048);
}

// Failure state: a run after the design run fails part-way; what it assigned
// before the failure is new, everything after it is left from the run before.
struct FailureRow {
  const char* name;
  std::function<void(CalcInputs&)> edit;
  ErrorNumber error;
  std::function<void(CalcState&)> expectChanged;  // what the failing run wrote
};

class FailureStateTest : public testing::TestWithParam<FailureRow> {};

TEST_P(FailureStateTest, AssignedBeforeTheFailureNewAfterItOld) {
  CalcState s;
  CalculateMemory(Design(), s, ",");
  CalcState expected = s;
  GetParam().expectChanged(expected);
  try {
    CalculateMemory(Design(GetParam().edit), s, ",");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), GetParam().error);
  }
  EXPECT_EQ(s, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FailureStateTest,
    testing::Values(
        FailureRow{"DiskTooLarge", [](CalcInputs& in) { in.Text_V1 = "2147483648"; },
                   ErrorNumber::kOverflow, [](CalcState&) {}},
        FailureRow{"BlockTooLarge",
                   [](CalcInputs& in) { in.Text_V1 = "200", in.Combo_V3 = "1e10"; },
                   ErrorNumber::kOverflow, [](CalcState& s) { s.V1 = 200, s.V2 = 200; }},
        FailureRow{"BlockZero", [](CalcInputs& in) { in.Text_V1 = "300", in.Combo_V3 = "0"; },
                   ErrorNumber::kDivisionByZero,
                   [](CalcState& s) { s.V1 = 300, s.V2 = 300, s.V3 = 0; }},
        FailureRow{
            "ClientsTooMany", [](CalcInputs& in) { in.Combo_V3 = "8", in.Text_V6 = "2147483648"; },
            ErrorNumber::kOverflow, [](CalcState& s) { s.V3 = 8, s.V4 = 128, s.V5 = 12800; }},
        FailureRow{"FilesTooFew",
                   [](CalcInputs& in) { in.Text_V6 = "7", in.Text_V7 = "-2147483649"; },
                   ErrorNumber::kOverflow, [](CalcState& s) { s.V6 = 7; }},
        FailureRow{"ClientShareSumLeavesTheRange",
                   [](CalcInputs& in) {
                     in.Text_V6 = "42948273", in.Text_V7 = "0";
                     Nw4(in);
                   },
                   ErrorNumber::kOverflow,
                   [](CalcState& s) { s.V6 = 42948273, s.V7 = 0, s.L1 = 5120, s.L4 = 0; }},
        FailureRow{"ClientShareProductLeavesTheRange",
                   [](CalcInputs& in) { in.Text_V6 = "42950173"; }, ErrorNumber::kOverflow,
                   [](CalcState& s) { s.V6 = 42950173; }}),
    RowName<FailureRow>);

}  // namespace
}  // namespace vemora
