#include "main_window/layout_scaler.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "main_window/fake_form.h"
#include "runtime/runtime_error.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::FakeControl;
using testing_support::FakeForm;
using testing_support::RowName;

using Five = std::array<double, 5>;  // Height, Width, Top, Left, FontSize
constexpr std::array<Prop, 5> kProps{Prop::Height, Prop::Width, Prop::Top, Prop::Left,
                                     Prop::FontSize};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Five kLoad{300, 1200, 600, 2400, 10};
constexpr Five kScaled{450, 900, 900, 1800, 15};  // kLoad at 9000 x 6000 from 6000 x 8000

void Put(FakeControl& control, const Five& values) {
  for (std::size_t c = 0; c < kProps.size(); ++c) control.values[kProps[c]] = values[c];
}

FakeControl& AddControl(FakeForm& form, const std::string& name, const Five& values) {
  FakeControl& control = form.Add(name);
  Put(control, values);
  return control;
}

Five Values(const FakeControl& control) {
  Five five{};
  for (std::size_t c = 0; c < kProps.size(); ++c) five[c] = control.values.at(kProps[c]);
  return five;
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
};

constexpr Five kWidened{1399.9999523162841796875, 1200, 699.99997615814208984375, 2400,
                        11.6666662693023681640625};  // {1200, 1200, 600, 2400, 10} at 7/6

class ResizeTest : public testing::TestWithParam<ResizeRow> {};

TEST_P(ResizeTest, SetsRecordedValuesTimesRatioThenRefreshesOnce) {
  const ResizeRow& row = GetParam();
  FakeForm form;
  FakeControl& control = AddControl(form, "C", row.recorded);
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(row.loadHeight, row.loadWidth));
  EXPECT_EQ(Values(control), row.recorded);
  EXPECT_EQ(form.refreshes, 0);
  Put(control, {1, 1, 1, 1, 1});  // scaling never reads the controls back
  scaler.Scale(form.PutSize(row.height, row.width));
  EXPECT_EQ(Values(control), row.expected);
  EXPECT_EQ(form.refreshes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ResizeTest,
    testing::Values(
        ResizeRow{"WorkedExample", 6000, 8000, 9000, 6000, kLoad, kScaled},
        // The single ratio is widened, not recomputed: 1200 gives 1399.99995..., not 1400.
        ResizeRow{"SingleRatioWidened", 6000, 8000, 7000, 8000, Five{1200, 1200, 600, 2400, 10},
                  kWidened},
        // 6000.5 -> 6000, 8001.5 -> 8002, 9000.5 -> 9000.
        ResizeRow{"WindowSizesRoundedTiesToEven", 6000.5, 8001.5, 9000.5, 4001, kLoad,
                  Five{450, 600, 900, 1200, 15}}),
    RowName<ResizeRow>);

// --- Failures that propagate out of a load or a resize ----------------------

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
  FakeControl& control = AddControl(form, "C", kLoad);
  LayoutScaler scaler;
  EXPECT_EQ(ErrorOf([&] {
              if (row.captured) scaler.Capture(form.PutSize(row.loadHeight, row.loadWidth));
              scaler.Scale(form.PutSize(row.height, row.width));
            }),
            row.error);
  EXPECT_EQ(Values(control), kLoad);
  EXPECT_EQ(form.refreshes, 0);
}

INSTANTIATE_TEST_SUITE_P(Errors, ScaleErrorTest,
                         testing::Values(ScaleErrorRow{"ResizeBeforeCapture", false, 0, 0, 9000,
                                                       6000, ErrorNumber::kDivisionByZero},
                                         ScaleErrorRow{"WidthNaN", true, 6000, 8000, 9000, kNaN,
                                                       ErrorNumber::kOverflow},
                                         // Unlike a control's read, the window's size
                                         // propagates when it cannot be rounded.
                                         ScaleErrorRow{"LoadHeightNaN", true, kNaN, 8000, 9000,
                                                       6000, ErrorNumber::kOverflow}),
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
  FakeControl& next = AddControl(form, "D", kLater);
  LayoutScaler scaler;
  form.PutSize(6000, 8000);
  if (row.capturedBefore) scaler.Capture(form);
  Put(control, kLater);
  control.failGet[kProps[row.column]] = ErrorNumber::kPropertyNotSupported;
  EXPECT_NO_THROW(scaler.Capture(form));
  scaler.Scale(form);
  Five expected = kLater;
  expected[row.column] = row.capturedBefore ? kLoad[row.column] : 0;
  EXPECT_EQ(Values(control), expected);
  EXPECT_EQ(Values(next), kLater);
}

TEST_P(StatementFailureTest, FailingSetSkipsOnlyThatStatement) {
  const int column = GetParam().column;
  FakeForm form;
  FakeControl& control = AddControl(form, "C", kLoad);
  control.failSet[kProps[column]] = ErrorNumber::kInvalidPropertyValue;
  FakeControl& next = AddControl(form, "D", kLoad);
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  EXPECT_NO_THROW(scaler.Scale(form.PutSize(9000, 6000)));
  Five expected = kScaled;
  expected[column] = kLoad[column];
  EXPECT_EQ(Values(control), expected);
  EXPECT_EQ(Values(next), kScaled);
  EXPECT_EQ(form.refreshes, 1);
}

INSTANTIATE_TEST_SUITE_P(Columns, StatementFailureTest,
                         testing::Values(ColumnRow{"HeightFirstCapture", 0, false},
                                         ColumnRow{"LeftKeepsEarlier", 3, true}),
                         RowName<ColumnRow>);

TEST(LayoutScalerTest, ControlsBeyondTheTableAreNeverTouched) {
  FakeForm form;
  for (int i = 1; i <= 36; ++i) {
    const double v = i;
    AddControl(form, "C" + std::to_string(i), {v, v, v, v, v});
  }
  LayoutScaler scaler;
  EXPECT_NO_THROW(scaler.Capture(form.PutSize(6000, 8000)));
  EXPECT_NO_THROW(scaler.Scale(form.PutSize(12000, 16000)));
  const auto& controls = form.Controls();
  EXPECT_EQ(Values(static_cast<FakeControl&>(*controls[34])), (Five{70, 70, 70, 70, 70}));
  EXPECT_EQ(Values(static_cast<FakeControl&>(*controls[35])), (Five{36, 36, 36, 36, 36}));
}

TEST(LayoutScalerTest, RefreshFailurePropagatesAfterTheControls) {
  FakeForm form;
  FakeControl& control = AddControl(form, "C", kLoad);
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  form.refreshError = ErrorNumber::kInvalidCall;
  EXPECT_EQ(ErrorOf([&] { scaler.Scale(form.PutSize(9000, 6000)); }), ErrorNumber::kInvalidCall);
  EXPECT_EQ(Values(control), kScaled);
}

// Scaling never changes what was captured: after any sizes, the load size
// gives the recorded whole values back.
TEST(LayoutScalerTest, ReturnToLoadSizeSetsTheRecordedWholeValues) {
  FakeForm form;
  FakeControl& control = AddControl(form, "C", {300.5, 1199.5, 600.25, 2400.75, 9.75});
  LayoutScaler scaler;
  scaler.Capture(form.PutSize(6000, 8000));
  const double sizes[][2] = {{0, 8000}, {6000, 0}, {7000, 333}, {6000, 8000}};  // height, width
  for (const auto& size : sizes) scaler.Scale(form.PutSize(size[0], size[1]));
  EXPECT_EQ(Values(control), (Five{300, 1200, 600, 2401, 10}));
}

}  // namespace
}  // namespace vemora
