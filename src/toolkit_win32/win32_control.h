// One control of a Win32 form: properties by name in twips and points, and
// its events, mapped onto the native child window that shows it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/toolkit.h"

namespace vemora {

class Win32Form;

class Win32Control : public Control {
 public:
  Win32Control(const ControlDesign& design, HWND window, Win32Form& form);
  ~Win32Control() override;
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  std::string_view Name() const override { return name_; }
  ControlKind Kind() const override { return kind_; }
  double Get(Prop prop) const override;
  void Set(Prop prop, double value) override;
  std::string GetText(Prop prop) const override;
  void SetText(Prop prop, std::string_view text) override;

  HWND Window() const { return window_; }
  // Connects the handler to this control's event; 438 when it has none.
  void Connect(Event event, std::function<void()> handler);
  // A notification the control sent its parent (WM_COMMAND).
  void Notify(WORD code);
  void RaiseClick() const;
  // Option buttons: reads the native check; true when it has just become
  // the selected one. The selected button is the group's tab stop.
  bool TakeSelection();
  // The font for the form's present DPI; geometry scaled between two DPIs.
  void ApplyFont();
  void Rescale(UINT from, UINT to);
  // Pixels in the container's client area.
  void Place(int left, int top, int width, int height);

 private:
  RECT Rect() const;
  double GetGeometry(Prop prop) const;
  void SetGeometry(Prop prop, double twips);
  void SetFontSize(double points);
  bool HasFont() const { return kind_ != ControlKind::Image && kind_ != ControlKind::Animation; }
  void SetValue(double value);
  void SetListIndex(double value);
  void SetCaption(std::string_view text);

  std::string name_;
  ControlKind kind_;
  HWND window_;
  Win32Form& form_;
  std::wstring face_;
  double points_;
  bool bold_, italic_;
  HFONT font_ = nullptr;
  int comboHeight_ = 0;  // the closed box's height; the window also holds the list
  int listIndex_ = -1;
  bool selected_ = false;
  bool settingText_ = false;
  std::function<void()> click_, change_;
};

}  // namespace vemora
