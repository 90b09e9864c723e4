// A form in the page: a sizable form fills the browser window and gives
// the page its title; a fixed dialog is a window inside the page, with a
// caption bar to move it by, above the others. Controls are form elements
// placed absolutely in pixels.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "toolkit/basic_form.h"
#include "toolkit_web/web_control.h"
#include "toolkit_web/web_dom.h"

namespace vemora {

class WebToolkit;

class WebForm : public BasicForm, private EventSink {
 public:
  WebForm(WebToolkit& toolkit, const FormDesign& design);
  ~WebForm() override;

  // The element that shows the form (the window with its caption bar).
  val Window() const { return window_; }
  // Tells a screen reader, politely, that a field now reads `text`.
  void Announce(std::string_view control, std::string_view text);

 private:
  enum Code { kWindowResized, kKeyDown, kCloseBox, kRaise };
  bool FillsPage() const { return Design().border == Border::Sizable; }
  void Handle(int code, val event) override;
  void PressButton(bool isDefault);
  void WrapTab(val event);
  void FocusFirstStop();
  void FillWindow();
  std::unique_ptr<BasicControl> NativeControl(const ControlDesign& design, BasicControl* container,
                                              const PixelRect& box, TabRole role) override;
  PixelSize NativeClientSize() const override;
  void NativeResize(PixelSize client) override;
  std::string NativeCaption() const override { return caption_; }
  void NativeSetCaption(std::string_view caption) override;
  void NativeShow(bool first) override;
  void NativeRefresh() override {}
  void NativeHide() override;

  WebToolkit& toolkit_;
  val window_ = val::undefined(), bar_ = val::undefined();
  val client_ = val::undefined(), live_ = val::undefined();
  val stopResize_ = val::undefined(), stopPageHide_ = val::undefined();
  std::string caption_;
  std::optional<PixelSize> size_;  // set by code; none while the page form fills the window
  bool shown_ = false;
};

}  // namespace vemora
