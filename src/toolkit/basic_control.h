// One control with the classic rules: which kind has which property and
// event, the errors a request meets, and when Click and Change are raised.
// A toolkit derives from it and supplies the native primitives at the end;
// none of those raises an event of the contract, and the toolkit reports
// what the user did through the User... calls.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "toolkit/toolkit.h"
#include "toolkit/units.h"

namespace vemora {

class BasicForm;
class ClipPlayer;

class BasicControl : public Control {
 public:
  BasicControl(const ControlDesign& design, BasicForm& form);
  BasicControl(const BasicControl&) = delete;
  BasicControl& operator=(const BasicControl&) = delete;

  std::string_view Name() const final { return design_.name; }
  ControlKind Kind() const final { return design_.kind; }
  double Get(Prop prop) const final;
  void Set(Prop prop, double value) final;
  std::string GetText(Prop prop) const final;
  void SetText(Prop prop, std::string_view text) final;

  const ControlDesign& Design() const { return design_; }
  // The handler runs through the form's event boundary; an event the kind
  // does not raise is 438.
  void Connect(Event event, std::function<void()> handler);
  // The font as it stands, face and size always given.
  const FontDesign& Font() const { return font_; }
  // The animation control's player; nullptr on every other kind.
  virtual ClipPlayer* Player() { return nullptr; }

  // What the user did, reported by the native control.
  void UserClicked();  // a button or picture: pressed and released over it
  void UserEdited();   // a text box's text changed
  void UserToggled();  // a check box or option button may have changed
  void UserPicked();   // a list's choice, once committed

  // Called by the form once the native control exists: the design's font,
  // and the state the events are measured against.
  void Start();
  // Option buttons: selected from code, or synced after the user's click.
  // True when it has just become the selected one.
  bool SyncSelection();
  void SetSelected(bool on);
  void RaiseClick() const { Fire(click_); }

 protected:
  BasicForm& Owner() const { return form_; }

  // Pixels in the container's client area.
  virtual PixelRect NativeRect() const = 0;
  virtual void NativePlace(const PixelRect& box) = 0;
  virtual void NativeFont(const FontDesign& font) = 0;
  virtual bool NativeEnabled() const = 0;
  virtual void NativeEnable(bool on) = 0;
  // The caption, the edit's text, or the list's chosen item.
  virtual std::string NativeText() const = 0;
  virtual void NativeSetText(std::string_view text) = 0;
  virtual bool NativeChecked() const = 0;
  virtual void NativeCheck(bool on) = 0;
  virtual int NativeSelection() const = 0;
  virtual void NativeSelect(int index) = 0;

 private:
  bool HasFont() const;
  double GetGeometry(Prop prop) const;
  void SetGeometry(Prop prop, double twips);
  void SetValue(double value);
  void SetListIndex(double value);
  void Fire(const std::function<void()>& handler) const;

  const ControlDesign& design_;
  BasicForm& form_;
  FontDesign font_;
  bool checked_ = false;  // as last seen: a change raises Click
  int listIndex_ = -1;
  bool settingText_ = false;
  std::function<void()> click_, change_;
};

}  // namespace vemora
