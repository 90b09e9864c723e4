// A form on a top-level window of the dialog manager's kind: the system's
// own controls placed at the window's own DPI, Tab order, default and
// cancel buttons, and the window's messages reported as what the user did.
#pragma once

#include <windows.h>

#include <map>

#include "toolkit/basic_form.h"
#include "toolkit_win32/win32_control.h"

namespace vemora {

class Win32Toolkit;

inline constexpr wchar_t kFormClass[] = L"VemoraForm";

void RegisterFormClass(HINSTANCE instance, HICON icon, HICON smallIcon);

class Win32Form : public BasicForm {
 public:
  Win32Form(Win32Toolkit& toolkit, const FormDesign& design);
  ~Win32Form() override;

  HWND Window() const { return window_; }
  // The form's own messages; false leaves one to the dialog manager.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  struct Entry {
    const ControlDesign* design;
    Win32Control* control;
  };
  std::unique_ptr<BasicControl> NativeControl(const ControlDesign& design, BasicControl* container,
                                              const PixelRect& box, TabRole role) override;
  PixelSize NativeClientSize() const override;
  void NativeResize(PixelSize client) override;
  std::string NativeCaption() const override;
  void NativeSetCaption(std::string_view caption) override;
  void NativeShow(bool first) override;
  void NativeRefresh() override;
  void NativeHide() override { ShowWindow(window_, SW_HIDE); }

  const Entry* ByWindow(HWND control) const;
  void Press(bool defaultButton);
  void DrawImage(const DRAWITEMSTRUCT& item);
  void DpiChanged(UINT dpi, const RECT& suggested);

  Win32Toolkit& toolkit_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  DWORD style_ = 0, exStyle_ = 0;
  std::map<int, Entry> byId_;
};

}  // namespace vemora
