#include "main_window/layout_scaler.h"

#include "runtime/numbers.h"
#include "runtime/runtime_error.h"

namespace vemora {
namespace {

enum class Axis { kVertical, kHorizontal };

struct Column {
  Prop prop;
  Axis axis;
};

// Both passes walk the columns in this order.
constexpr std::array<Column, LayoutScaler::kColumns> kColumnTable{{
    {Prop::Height, Axis::kVertical},
    {Prop::Width, Axis::kHorizontal},
    {Prop::Top, Axis::kVertical},
    {Prop::Left, Axis::kHorizontal},
    {Prop::FontSize, Axis::kVertical},
}};

std::int32_t WindowSize(const Form& form, Prop prop) {
  return RealToInt32(form.Get(prop));
}

// The quotient is taken in double precision, then kept as a single.
float SizeRatio(std::int32_t current, std::int32_t start) {
  return static_cast<float>(CheckedDivide(current, start));
}

}  // namespace

void LayoutScaler::Capture(Form& form) {
  controlIndex_ = 0;
  startHeight_ = WindowSize(form, Prop::Height);
  startWidth_ = WindowSize(form, Prop::Width);
  Walk(form, &LayoutScaler::CaptureCell);
}

void LayoutScaler::Scale(Form& form) {
  controlIndex_ = 0;
  const std::int32_t height = WindowSize(form, Prop::Height);
  const std::int32_t width = WindowSize(form, Prop::Width);
  heightRatio_ = SizeRatio(height, startHeight_);
  widthRatio_ = SizeRatio(width, startWidth_);
  Walk(form, &LayoutScaler::ScaleCell);
  form.Refresh();
}

// Per control one statement that moves to the next row and one per column;
// a failure abandons only its own statement.
void LayoutScaler::Walk(Form& form, CellStatement statement) {
  for (Control* control : form.Controls()) {
    currentControl_ = control;
    IgnoreErrors([&] { controlIndex_ = CheckedAdd(controlIndex_, 1); });
    for (std::size_t column = 0; column < kColumnTable.size(); ++column) {
      IgnoreErrors([&] { (this->*statement)(column, CurrentRowCell(column)); });
    }
  }
  // Nothing is visited between walks; a kept pointer would outlive the form.
  currentControl_ = nullptr;
}

// Raises before the control is touched, so a control past the last row is
// neither read nor set.
std::int32_t& LayoutScaler::CurrentRowCell(std::size_t column) {
  if (controlIndex_ < 1 || controlIndex_ > kRows) Raise(ErrorNumber::kSubscriptOutOfRange);
  return geometry_[static_cast<std::size_t>(controlIndex_ - 1)][column];
}

float LayoutScaler::RatioOf(std::size_t column) const {
  return kColumnTable[column].axis == Axis::kVertical ? heightRatio_ : widthRatio_;
}

// The cell is written only once the read and its rounding succeeded.
void LayoutScaler::CaptureCell(std::size_t column, std::int32_t& cell) {
  cell = RealToInt32(currentControl_->Get(kColumnTable[column].prop));
}

// Set unrounded: the toolkit converts to the property's own unit.
void LayoutScaler::ScaleCell(std::size_t column, std::int32_t& cell) {
  const double value = CheckedReal(static_cast<double>(RatioOf(column)) * cell);
  currentControl_->Set(kColumnTable[column].prop, value);
}

}  // namespace vemora
