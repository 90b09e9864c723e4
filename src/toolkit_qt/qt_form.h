// A form on Qt widgets: a top-level window holding one widget per row of
// the design table, placed absolutely.
#pragma once

#include <QPointer>

#include "toolkit/basic_form.h"
#include "toolkit_qt/qt_control.h"
#include "toolkit_qt/qt_widgets.h"

namespace vemora {

class QtToolkit;

class QtForm : public BasicForm {
 public:
  QtForm(QtToolkit& toolkit, const FormDesign& design);
  ~QtForm() override;

  // For tests and the start-up probe: the window that shows the form.
  QWidget* Window() const { return window_; }

 private:
  void ApplyTabOrder();
  QtControl& Widget(std::string_view name) const { return static_cast<QtControl&>(Find(name)); }
  std::unique_ptr<BasicControl> NativeControl(const ControlDesign& design, BasicControl* container,
                                              const PixelRect& box, TabRole role) override;
  PixelSize NativeClientSize() const override;
  void NativeResize(PixelSize client) override { window_->resize(client.width, client.height); }
  std::string NativeCaption() const override { return window_->windowTitle().toStdString(); }
  void NativeSetCaption(std::string_view caption) override;
  void NativeShow(bool first) override;
  // The whole window is painted once the running handler returns: inside a
  // resize handler that is the paint Qt makes for the resize anyway, so
  // each step of a drag paints once, and never a half-moved layout.
  void NativeRefresh() override { window_->update(); }
  void NativeHide() override { window_->hide(); }

  QtToolkit& toolkit_;
  QPointer<FormWindow> window_;
};

}  // namespace vemora
