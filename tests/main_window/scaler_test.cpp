#include "main_window/layout_scaler.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "main_window/fake_form.h"
#include "runtime/runtime_error.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::Call;
using testing_support::CallLog;
using testing_support::FakeControl;
using testing_support::FakeForm;
using testing_support::Op;
using testing_support::RowName;

using Five = std::array<double, 5>;  // Height, Width, Top, Left, FontSize
using Cells = std::array<std::int32_t, 5>;
constexpr std::array<Prop, 5> kProps{Prop::Height, Prop::Width, Prop::Top, Prop::Left,
                                     Prop::FontSize};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Five kLoad{300, 1200, 600, 2400, 10};
constexpr Five kScaled{450, 900, 900, 1800, 15};  // kLoad at 9000 x 6000 from 6000 x 8000

FakeControl& AddControl(FakeForm& form, const std::string& name, const Five& values) {
  FakeControl& control = form.Add(name);
  for (std::size_t c = 0; c < kProps.size(); ++c) control.Put(kProps[c], values[c]);
  return control;
}

// The five sets a pass makes on one control, in column order.
CallLog FiveSets(const std::string& name, const Five& values, int failingColumn = -1,
                 int error = 0) {
  CallLog calls;
  for (int c = 0; c < 5; ++c) {
    calls.push_back({name, Op::Set, kProps[c], values[c], c == failingColumn ? error : 0});
  }
  return calls;
}

CallLog SetsOn(const FakeForm& form, const std::string& name) {
  return form.Filter([&](const Call& call) { return call.target == name && call.op == Op::Set; });
}

Cells Row(const LayoutScaler& scaler, int row) {
  return scaler.ControlGeometry()[static_cast<std::size_t>(row - 1)];
}

ErrorNumber ErrorOf(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  ADD_FAILURE() << "no run-time error";
  return ErrorNumber{};
}

// --- One control captured at one size, scaled at another ---------------------

struct ResizeRow {
  const char* name;
  double loadHeight, loadWidth, height, width;
  Five recorded;  // as read at load
  Five expected;  // as set at the resize
  float heightRatio, widthRatio;
};

constexpr Five kWidened{1399.9999523162841796875, 1200, 699.99997615814208984375, 2400,
                        11.6666662693023681640625};  // {1200, 1200, 600, 2400, 10} at 7/6

class ResizeTest : public testing::TestWithParam<ResizeRow> {};

TEST_P(ResizeTest, SetsRecordedValuesTimesRatioThenRefreshesOnce) {
  const ResizeRow& row = GetParam();
  FakeForm form;
  AddControl(form, "C", row.recorded);
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(row.loadHeight, row.loadWidth));
  EXPECT_TRUE(form.Calls(Op::Set).empty());  // capture only reads
  form.ClearLog();
  scaler.Scale(form.PutSize(row.height, row.width));
  EXPECT_EQ(scaler.HeightRatio(), row.heightRatio);
  EXPECT_EQ(scaler.WidthRatio(), row.widthRatio);
  EXPECT_EQ(form.CallsOn("C"), FiveSets("C", row.expected));  // no reads while scaling
  EXPECT_EQ(form.Calls(Op::Refresh).size(), 1u);
  EXPECT_EQ(form.Log().back().op, Op::Refresh);
  EXPECT_EQ(scaler.ControlIndex(), 1);
  EXPECT_EQ(scaler.CurrentControl(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ResizeTest,
    testing::Values(
        ResizeRow{"WorkedExample", 6000, 8000, 9000, 6000, kLoad, kScaled, 1.5f, 0.75f},
        // The single ratio is widened, not recomputed: 1200 gives 1399.99995..., not 1400.
        ResizeRow{"SingleRatioWidened", 6000, 8000, 7000, 8000, Five{1200, 1200, 600, 2400, 10},
                  kWidened, 1.16666662693023681640625f, 1.0f},
        ResizeRow{"HeightOnly", 6000, 8000, 12000, 8000, kLoad, Five{600, 1200, 1200, 2400, 20},
                  2.0f, 1.0f},
        // 6000.5 -> 6000, 8001.5 -> 8002, 9000.5 -> 9000.
        ResizeRow{"WindowSizesRoundedTiesToEven", 6000.5, 8001.5, 9000.5, 4001, kLoad,
                  Five{450, 600, 900, 1200, 15}, 1.5f, 0.5f}),
    RowName<ResizeRow>);

// --- Rounding at capture -------------------------------------------------------

struct RoundingRow {
  const char* name;
  double read;
  std::int32_t recorded;
};

class CaptureRoundingTest : public testing::TestWithParam<RoundingRow> {};

TEST_P(CaptureRoundingTest, RoundsToNearestTiesToEven) {
  const double v = GetParam().read;
  const std::int32_t r = GetParam().recorded;
  FakeForm form;
  AddControl(form, "C", {v, v, v, v, v});
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(v, v));
  EXPECT_EQ(Row(scaler, 1), (Cells{r, r, r, r, r}));
  EXPECT_EQ(scaler.StartHeight(), r);
  EXPECT_EQ(scaler.StartWidth(), r);
}

INSTANTIATE_TEST_SUITE_P(Values, CaptureRoundingTest,
                         testing::Values(RoundingRow{"TieDownToEven", 8.5, 8},
                                         RoundingRow{"TieUpToEven", 9.5, 10},
                                         RoundingRow{"ThreeQuarters", 9.75, 10},
                                         RoundingRow{"NegativeTie", -2.5, -2},
                                         RoundingRow{"Largest", 2147483647.49, 2147483647},
                                         RoundingRow{"Smallest", -2147483648.5, -2147483647 - 1}),
                         RowName<RoundingRow>);

// --- Reads that cannot be rounded ----------------------------------------------

struct BadReadRow {
  const char* name;
  double read;
};

class CaptureBadReadTest : public testing::TestWithParam<BadReadRow> {};

TEST_P(CaptureBadReadTest, ControlCellKeepsItsValueWindowSizePropagates) {
  FakeForm form;
  FakeControl& control = AddControl(form, "C", {7, 7, 7, 7, 7});
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  for (Prop prop : kProps) control.Put(prop, GetParam().read);
  EXPECT_NO_THROW(scaler.Capture(form));
  EXPECT_EQ(Row(scaler, 1), (Cells{7, 7, 7, 7, 7}));

  LayoutScaler fresh;
  form.ClearLog();
  EXPECT_EQ(ErrorOf([&] { fresh.Capture(form.PutSize(GetParam().read, 8000)); }),
            ErrorNumber::kOverflow);
  EXPECT_TRUE(form.CallsOn("C").empty());
  EXPECT_EQ(fresh.StartHeight(), 0);
}

INSTANTIATE_TEST_SUITE_P(Values, CaptureBadReadTest,
                         testing::Values(BadReadRow{"TieAboveRange", 2147483647.5},
                                         BadReadRow{"BelowRange", -2147483649.0},
                                         BadReadRow{"NaN", kNaN}),
                         RowName<BadReadRow>);

// --- Failures that propagate out of a resize -----------------------------------

struct ScaleErrorRow {
  const char* name;
  bool captured;
  double loadHeight, loadWidth, height, width;
  ErrorNumber error;
};

class ScaleErrorTest : public testing::TestWithParam<ScaleErrorRow> {};

TEST_P(ScaleErrorTest, FailsBeforeAnyControlIsTouchedAndWithoutRefresh) {
  const ScaleErrorRow& row = GetParam();
  FakeForm form;
  AddControl(form, "C", kLoad);
  LayoutScaler scaler;
  if (row.captured) scaler.Capture(form.PutSize(row.loadHeight, row.loadWidth));
  form.ClearLog();
  EXPECT_EQ(ErrorOf([&] { scaler.Scale(form.PutSize(row.height, row.width)); }), row.error);
  EXPECT_TRUE(form.CallsOn("C").empty());
  EXPECT_TRUE(form.Calls(Op::Refresh).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ScaleErrorTest,
    testing::Values(
        ScaleErrorRow{"ResizeBeforeCapture", false, 0, 0, 9000, 6000, ErrorNumber::kDivisionByZero},
        ScaleErrorRow{"ZeroByZeroBeforeCapture", false, 0, 0, 0, 6000, ErrorNumber::kOverflow},
        ScaleErrorRow{"ZeroLoadWidth", true, 6000, 0, 9000, 6000, ErrorNumber::kDivisionByZero},
        ScaleErrorRow{"HeightOverflow", true, 6000, 8000, 3e9, 6000, ErrorNumber::kOverflow},
        ScaleErrorRow{"WidthNaN", true, 6000, 8000, 9000, kNaN, ErrorNumber::kOverflow}),
    RowName<ScaleErrorRow>);

// --- Failures of one control statement -----------------------------------------

struct ColumnRow {
  const char* name;
  int column;
  bool capturedBefore;
};

class StatementFailureTest : public testing::TestWithParam<ColumnRow> {};

TEST_P(StatementFailureTest, FailingReadLeavesOnlyThatCell) {
  const ColumnRow& row = GetParam();
  constexpr Five kLater{310, 1210, 610, 2410, 11};
  FakeForm form;
  FakeControl& control = AddControl(form, "C", kLoad);
  AddControl(form, "D", kLater);
  LayoutScaler scaler;
  form.PutSize(6000, 8000);
  if (row.capturedBefore) scaler.Capture(form);
  for (std::size_t c = 0; c < 5; ++c) control.Put(kProps[c], kLater[c]);
  control.FailGet(kProps[row.column], ErrorNumber::kPropertyNotSupported);
  EXPECT_NO_THROW(scaler.Capture(form));
  Cells expected{310, 1210, 610, 2410, 11};
  EXPECT_EQ(Row(scaler, 2), expected);
  expected[row.column] = row.capturedBefore ? static_cast<std::int32_t>(kLoad[row.column]) : 0;
  EXPECT_EQ(Row(scaler, 1), expected);
}

TEST_P(StatementFailureTest, FailingSetSkipsOnlyThatStatement) {
  const int column = GetParam().column;
  FakeForm form;
  AddControl(form, "C", kLoad).FailSet(kProps[column], ErrorNumber::kInvalidPropertyValue);
  AddControl(form, "D", kLoad);
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  EXPECT_NO_THROW(scaler.Scale(form.PutSize(9000, 6000)));
  EXPECT_EQ(SetsOn(form, "C"), FiveSets("C", kScaled, column, 380));
  EXPECT_EQ(SetsOn(form, "D"), FiveSets("D", kScaled));
  EXPECT_EQ(form.Calls(Op::Refresh).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Columns, StatementFailureTest,
                         testing::Values(ColumnRow{"HeightFirstCapture", 0, false},
                                         ColumnRow{"LeftKeepsEarlier", 3, true},
                                         ColumnRow{"FontSizeFirstCapture", 4, false}),
                         RowName<ColumnRow>);

TEST(LayoutScalerTest, LogoWithoutFontSizeIsScaledOtherwise) {
  FakeForm form;
  AddControl(form, "Text_Summe", kLoad);
  AddControl(form, "Logo", {600, 600, 4680, 3000, 0})
      .FailGet(Prop::FontSize, ErrorNumber::kPropertyNotSupported)
      .FailSet(Prop::FontSize, ErrorNumber::kPropertyNotSupported);
  AddControl(form, "Label_Summe", kLoad);
  LayoutScaler scaler;
  EXPECT_NO_THROW(scaler.Capture(form.PutSize(6000, 8000)));
  EXPECT_EQ(Row(scaler, 2), (Cells{600, 600, 4680, 3000, 0}));
  EXPECT_NO_THROW(scaler.Scale(form.PutSize(9000, 6000)));
  EXPECT_EQ(SetsOn(form, "Logo"), FiveSets("Logo", {900, 450, 7020, 2250, 0.0}, 4, 438));
  EXPECT_EQ(SetsOn(form, "Label_Summe"), FiveSets("Label_Summe", kScaled));
}

TEST(LayoutScalerTest, ZeroHeightSkipsRefusedSetsAndNextResizeRestores) {
  FakeForm form;
  auto refuseNonPositive = [](double value) { return value <= 0; };
  AddControl(form, "C", kLoad)
      .FailSet(Prop::FontSize, ErrorNumber::kInvalidPropertyValue, refuseNonPositive)
      .FailSet(Prop::Height, ErrorNumber::kInvalidPropertyValue, refuseNonPositive);
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  EXPECT_NO_THROW(scaler.Scale(form.PutSize(0, 8000)));
  CallLog expected = FiveSets("C", {0.0, 1200, 0.0, 2400, 0.0}, 4, 380);
  expected[0].error = 380;
  EXPECT_EQ(SetsOn(form, "C"), expected);
  form.ClearLog();
  scaler.Scale(form.PutSize(12000, 8000));
  EXPECT_EQ(SetsOn(form, "C"), FiveSets("C", {600, 1200, 1200, 2400, 20}));
}

TEST(LayoutScalerTest, ControlsBeyondTheTableAreNeverTouched) {
  FakeForm form;
  for (int i = 1; i <= 36; ++i) {
    const double v = i;
    AddControl(form, "C" + std::to_string(i), {v, v, v, v, v});
  }
  LayoutScaler scaler;
  EXPECT_NO_THROW(scaler.Capture(form.PutSize(6000, 8000)));
  EXPECT_NO_THROW(scaler.Scale(form.PutSize(12000, 16000)));
  EXPECT_EQ(Row(scaler, 35), (Cells{35, 35, 35, 35, 35}));
  EXPECT_EQ(SetsOn(form, "C35"), FiveSets("C35", {70, 70, 70, 70, 70}));
  EXPECT_TRUE(form.CallsOn("C36").empty());
  EXPECT_EQ(scaler.ControlIndex(), 36);
}

TEST(LayoutScalerTest, RefreshFailurePropagatesAfterTheControls) {
  FakeForm form;
  AddControl(form, "C", kLoad);
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  form.FailRefresh(ErrorNumber::kInvalidCall);
  EXPECT_EQ(ErrorOf([&] { scaler.Scale(form.PutSize(9000, 6000)); }), ErrorNumber::kInvalidCall);
  EXPECT_EQ(SetsOn(form, "C"), FiveSets("C", kScaled));
}

// --- Any sequence of resizes, then back to the load size -----------------------

struct SequenceRow {
  const char* name;
  std::vector<std::array<double, 2>> sizes;  // height, width
};

class ReturnToLoadSizeTest : public testing::TestWithParam<SequenceRow> {};

TEST_P(ReturnToLoadSizeTest, SetsTheRecordedWholeValues) {
  FakeForm form;
  AddControl(form, "A", {300.5, 1199.5, 600.25, 2400.75, 9.75});
  AddControl(form, "B", {195, 4455, 195, 120, 8.25});
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  for (const auto& [height, width] : GetParam().sizes) scaler.Scale(form.PutSize(height, width));
  form.ClearLog();
  scaler.Scale(form.PutSize(6000, 8000));
  EXPECT_EQ(SetsOn(form, "A"), FiveSets("A", {300, 1200, 600, 2401, 10}));
  EXPECT_EQ(SetsOn(form, "B"), FiveSets("B", {195, 4455, 195, 120, 8}));
}

INSTANTIATE_TEST_SUITE_P(Sequences, ReturnToLoadSizeTest,
                         testing::Values(SequenceRow{"ThroughZero", {{0, 8000}, {6000, 0}, {0, 0}}},
                                         SequenceRow{"OddSizes",
                                                     {{7000, 8000}, {6001, 7999}, {12345, 333}}}),
                         RowName<SequenceRow>);

}  // namespace
}  // namespace vemora
