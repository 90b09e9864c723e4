// One control of a Qt form: the native primitives of the classic control on
// the widget that shows it, and the widget's signals reported as what the
// user did.
#pragma once

#include <QWidget>

#include "toolkit/basic_control.h"

namespace vemora {

class QtControl : public BasicControl {
 public:
  QtControl(const ControlDesign& design, BasicForm& form, QWidget* widget);
  QWidget* Widget() const { return widget_; }
  ClipPlayer* Player() override;

 private:
  void ReportUserActions();
  PixelRect NativeRect() const override;
  void NativePlace(const PixelRect& box) override;
  void NativeFont(const FontDesign& font) override;
  bool NativeEnabled() const override { return widget_->isEnabled(); }
  void NativeEnable(bool on) override { widget_->setEnabled(on); }
  std::string NativeText() const override;
  void NativeSetText(std::string_view text) override;
  bool NativeChecked() const override;
  void NativeCheck(bool on) override;
  int NativeSelection() const override;
  void NativeSelect(int index) override;

  QWidget* widget_;
};

// Tab stops at an option button only while it is the selected one.
void TabIntoGroupHere(QWidget* option, bool selected);

}  // namespace vemora
