// A form built from its design table on a top-level window of the dialog
// manager's kind: absolute geometry from twips at the window's own DPI,
// fonts in points, Tab order, default and cancel buttons, events delivered
// through the event boundary.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"
#include "toolkit_win32/font_cache.h"
#include "toolkit_win32/win32_control.h"

namespace vemora {

class Win32Toolkit;

inline constexpr wchar_t kFormClass[] = L"VemoraForm";

void RegisterFormClass(HINSTANCE instance, HICON icon, HICON smallIcon);

class Win32Form : public Form {
 public:
  Win32Form(Win32Toolkit& toolkit, const FormDesign& design);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  double Get(Prop prop) const override;
  void Set(Prop prop, double value) override;
  std::string Caption() const override;
  void SetCaption(std::string_view caption) override;
  const std::vector<Control*>& Controls() override { return controls_; }
  Control& Item(std::string_view name) override;
  void Refresh() override;
  void Show() override;
  void Unload() override;
  void OpenClip(std::string_view control, const std::string& path) override;
  void OnControl(std::string_view control, Event event, std::function<void()> handler) override;
  void OnLoad(std::function<void()> handler) override { onLoad_ = std::move(handler); }
  void OnResize(std::function<void()> handler) override { onResize_ = std::move(handler); }
  void OnUnload(std::function<void()> handler) override { onUnload_ = std::move(handler); }
  void Load() override;

  HWND Window() const { return window_; }
  UINT Dpi() const { return dpi_; }
  FontCache& Fonts();
  // Selects an option button and clears the others of its container.
  void SelectOption(Win32Control& option);
  // After the user picked an option button: Click for the one now selected.
  void SyncOptions();
  // The form's own messages; false leaves one to the dialog manager.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  struct Entry {
    const ControlDesign* design;
    Win32Control* control;
  };
  void BuildContainer(const FormDesign& design, std::string_view container, HWND parent);
  void MakeToolTips();
  Win32Control& Find(std::string_view name);
  const Entry* ByWindow(HWND control) const;
  void Press(bool defaultButton);
  void Resized(LPARAM clientSize);
  void DrawImage(const DRAWITEMSTRUCT& item);
  void DpiChanged(UINT dpi, const RECT& suggested);
  void Deliver(const std::function<void()>& handler);

  Win32Toolkit& toolkit_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  UINT dpi_ = 96;
  LPARAM clientSize_ = 0;  // of the last WM_SIZE, as it packs them
  std::vector<std::unique_ptr<Win32Control>> owned_;
  std::vector<Control*> controls_;
  std::map<std::string, Win32Control*, std::less<>> byName_;
  std::map<int, Entry> byId_;
  std::function<void()> onLoad_, onResize_, onUnload_;
  bool shown_ = false;
  bool unloaded_ = false;
};

}  // namespace vemora
