// One control of a Win32 form: the native primitives of the classic control
// on the system's child window that shows it, and its notifications
// reported as what the user did.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/basic_control.h"

namespace vemora {

class FontCache;

class Win32Control : public BasicControl {
 public:
  Win32Control(const ControlDesign& design, BasicForm& form, HWND window, FontCache& fonts);
  ~Win32Control() override;

  HWND Window() const { return window_; }
  ClipPlayer* Player() override;
  // A notification the control sent its parent (WM_COMMAND).
  void Notify(WORD code);
  // The font for the form's present DPI; geometry scaled between two DPIs.
  void ApplyFont();
  void Rescale(UINT from, UINT to);
  // Pixels in the container's client area.
  void Place(int left, int top, int width, int height);

 private:
  RECT Rect() const;
  PixelRect NativeRect() const override;
  void NativePlace(const PixelRect& box) override;
  void NativeFont(const FontDesign& font) override;
  bool NativeEnabled() const override { return IsWindowEnabled(window_) != FALSE; }
  void NativeEnable(bool on) override { EnableWindow(window_, on); }
  std::string NativeText() const override;
  void NativeSetText(std::string_view text) override;
  bool NativeChecked() const override;
  void NativeCheck(bool on) override;
  int NativeSelection() const override;
  void NativeSelect(int index) override;

  HWND window_;
  FontCache& fonts_;
  HFONT font_ = nullptr;
  int comboHeight_ = 0;    // the closed box's height; the window also holds the list
  int droppedIndex_ = -1;  // the list's choice when it was opened
};

}  // namespace vemora
