// Proportional layout of the main window: the capture pass at load records
// every control's geometry and font size, the scaling pass at each resize sets
// every control from that record times the window's size ratio. Controls are
// never read back while scaling, so resizes accumulate no rounding.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "toolkit/toolkit.h"

namespace vemora {

class LayoutScaler {
 public:
  // One row per control in the order of the window's control walk, fixed
  // at 35: the main window's 20 controls with room to spare. A control past
  // the last row fails its row check and is neither captured nor scaled.
  static constexpr int kRows = 35;
  // Height, Width, Top, Left, FontSize.
  static constexpr int kColumns = 5;
  using Geometry = std::array<std::array<std::int32_t, kColumns>, kRows>;

  // End of the window's load handler. A failing window-size read propagates;
  // every control statement ignores its own failure.
  void Capture(Form& form);
  // The whole resize handler. Size reads, ratios and the final Refresh
  // propagate their failures; every control statement ignores its own.
  void Scale(Form& form);

 private:
  using CellStatement = void (LayoutScaler::*)(std::size_t column, std::int32_t& cell);

  void Walk(Form& form, CellStatement statement);
  std::int32_t& CurrentRowCell(std::size_t column);
  float RatioOf(std::size_t column) const;
  void CaptureCell(std::size_t column, std::int32_t& cell);
  void ScaleCell(std::size_t column, std::int32_t& cell);

  Geometry geometry_{};
  std::int32_t controlIndex_ = 0;
  std::int32_t startHeight_ = 0;
  std::int32_t startWidth_ = 0;
  float heightRatio_ = 0;
  float widthRatio_ = 0;
  Control* currentControl_ = nullptr;  // the control the running walk visits
};

}  // namespace vemora
