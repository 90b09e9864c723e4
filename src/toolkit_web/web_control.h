// One control of a page form: the native primitives of the classic control
// on the form element that shows it, and that element's events reported as
// what the user did.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/basic_control.h"
#include "toolkit/clip_player.h"
#include "toolkit_web/web_dom.h"

namespace vemora {

class WebForm;

class WebControl : public BasicControl, private EventSink, private ClipScreen {
 public:
  // `box` is the element placed in the container; `element` the one that
  // carries the control's name as its id (a check box's input inside its
  // box, else the box itself); `caption` where a caption is shown; `place`
  // where the box was put.
  WebControl(const ControlDesign& design, WebForm& form, val box, val element, val caption,
             const PixelRect& place);
  ~WebControl() override;

  val Box() const { return box_; }
  val Element() const { return element_; }
  ClipPlayer* Player() override { return player_.get(); }

 private:
  enum Code { kUserAction, kTick };
  void Handle(int code, val event) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  void Repaint() override;

  // As placed: only the toolkit places controls, and the browser's offsets
  // would count from a frame's inner edge.
  PixelRect NativeRect() const override { return place_; }
  void NativePlace(const PixelRect& box) override;
  void NativeFont(const FontDesign& font) override { ApplyFont(box_, font); }
  bool NativeEnabled() const override;
  void NativeEnable(bool on) override;
  std::string NativeText() const override;
  void NativeSetText(std::string_view text) override;
  bool NativeChecked() const override;
  void NativeCheck(bool on) override;
  int NativeSelection() const override;
  void NativeSelect(int index) override;

  WebForm& form_;
  val box_, element_, caption_;
  PixelRect place_;
  std::string captionText_;
  bool enabled_ = true;
  std::unique_ptr<ClipPlayer> player_;  // the animation control's
  int timer_ = 0;
  std::vector<unsigned char> rgba_;
};

}  // namespace vemora
