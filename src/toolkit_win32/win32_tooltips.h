// A form's tooltips: one window for all of them, made when the mouse first
// comes over the form, so that start-up need not wait for it.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace vemora {

struct ToolTip {
  HWND control;
  std::string_view text;
};

// Makes the tips' window for `form` once (`tips` holds it) and gives every
// listed control its tip; long tips wrap.
void MakeToolTips(HWND form, UINT dpi, HWND& tips, std::span<const ToolTip> controls);

}  // namespace vemora
