// A form built from its design table on Qt widgets: absolute geometry from
// twips, fonts in points, events delivered through the event boundary.
#pragma once

#include <QPointer>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"
#include "toolkit_qt/qt_control.h"
#include "toolkit_qt/qt_widgets.h"

namespace vemora {

class QtToolkit;

class QtForm : public Form {
 public:
  QtForm(QtToolkit& toolkit, const FormDesign& design);
  ~QtForm() override;

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

  // For tests and the start-up probe: the window that shows the form.
  QWidget* Window() const { return window_; }

 private:
  void BuildControls(const FormDesign& design);
  void ApplyTabOrder(const FormDesign& design);
  QtControl& Find(std::string_view name);
  QSize FrameAllowance() const;
  void Deliver(const std::function<void()>& handler);

  QtToolkit& toolkit_;
  Border border_;
  Dpi dpi_;
  QPointer<FormWindow> window_;
  std::vector<std::unique_ptr<QtControl>> owned_;
  std::vector<Control*> controls_;
  std::map<std::string, QtControl*, std::less<>> byName_;
  std::function<void()> onLoad_, onResize_, onUnload_;
  bool unloaded_ = false;
};

}  // namespace vemora
