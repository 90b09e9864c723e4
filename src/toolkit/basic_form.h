// A form with the classic rules: built from its design table (containers
// first, in Tab order, design values raising nothing), its controls found
// by name, handlers run through the event boundary, Load, Resize from the
// first showing on, Unload, option groups and clips. A toolkit derives from
// it, supplies the native primitives at the end, and reports what the user
// did through the User... calls.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/basic_control.h"
#include "toolkit/tab_order.h"
#include "toolkit/toolkit.h"
#include "toolkit/units.h"

namespace vemora {

class BasicToolkit;

class BasicForm : public Form {
 public:
  BasicForm(BasicToolkit& toolkit, const FormDesign& design, Dpi dpi);
  ~BasicForm() override;
  BasicForm(const BasicForm&) = delete;
  BasicForm& operator=(const BasicForm&) = delete;

  double Get(Prop prop) const final;
  void Set(Prop prop, double value) final;
  std::string Caption() const final { return NativeCaption(); }
  void SetCaption(std::string_view caption) final { NativeSetCaption(caption); }
  const std::vector<Control*>& Controls() final { return controls_; }
  Control& Item(std::string_view name) final { return Find(name); }
  void Refresh() final { NativeRefresh(); }
  void Show() final;
  void Unload() final;
  void OpenClip(std::string_view control, const std::string& path) final;
  void OnControl(std::string_view control, Event event, std::function<void()> handler) final;
  void OnLoad(std::function<void()> handler) final { onLoad_ = std::move(handler); }
  void OnResize(std::function<void()> handler) final { onResize_ = std::move(handler); }
  void OnUnload(std::function<void()> handler) final { onUnload_ = std::move(handler); }
  void Load() final;

  const FormDesign& Design() const { return design_; }
  Dpi ScreenDpi() const { return dpi_; }
  // A control by name; an unknown name raises error 9.
  BasicControl& Find(std::string_view name) const;
  // Runs a handler at the event boundary.
  void Deliver(const std::function<void()>& handler);
  // Option buttons: `option` selected from code, the others of its
  // container cleared; Click when it was not selected before.
  void SelectOption(BasicControl& option);
  // After the user's click on an option: Click for the one now selected.
  void SyncOptions();

  // What the user did, reported by the native window.
  void UserResized();  // the client area may have a new size
  void UserClosed();   // the close box or the system menu

 protected:
  // Makes every control, containers first and each container's in Tab
  // order; the derived constructor calls it last.
  void Build();
  // Lets go of the controls while the native window still exists; the
  // derived destructor calls it first.
  void ReleaseControls();
  // The DPI changed (a window moved to another screen): sizes follow.
  void SetScreenDpi(Dpi dpi) { dpi_ = dpi; }
  const std::vector<std::unique_ptr<BasicControl>>& Owned() const { return owned_; }

  // `container` is nullptr for the form itself; `box` is in its pixels.
  virtual std::unique_ptr<BasicControl> NativeControl(const ControlDesign& design,
                                                      BasicControl* container, const PixelRect& box,
                                                      TabRole role) = 0;
  virtual PixelSize NativeClientSize() const = 0;
  virtual void NativeResize(PixelSize client) = 0;
  virtual std::string NativeCaption() const = 0;
  virtual void NativeSetCaption(std::string_view caption) = 0;
  // First showing: centred on the screen's work area, focus at the first
  // Tab stop. Again: restored if minimised, brought to the front.
  virtual void NativeShow(bool first) = 0;
  virtual void NativeRefresh() = 0;
  virtual void NativeHide() = 0;

 private:
  friend class BasicToolkit;  // hides every form at the program's end

  void BuildContainer(std::string_view container, BasicControl* parent);

  BasicToolkit& toolkit_;
  const FormDesign design_;  // its rows are the table's own, which lives as long as the program
  Dpi dpi_;
  std::vector<std::unique_ptr<BasicControl>> owned_;
  std::vector<Control*> controls_;
  std::map<std::string, BasicControl*, std::less<>> byName_;
  std::function<void()> onLoad_, onResize_, onUnload_;
  PixelSize lastClient_{-1, -1};
  bool shown_ = false;
  bool unloaded_ = false;
};

}  // namespace vemora
