#include "toolkit_web/web_form.h"

#include "toolkit_web/web_toolkit.h"

namespace vemora {
namespace {

struct Elements {
  val box, element, caption;
};

// A check box or option button: the input named after the control, with
// its caption in a label for it.
Elements Toggle(const ControlDesign& d, const val& parent, const std::string& group) {
  val box = MakeElement("div", parent, "vemora-toggle");
  val input = MakeElement("input", box);
  const bool option = d.kind == ControlKind::OptionButton;
  input.set("type", std::string(option ? "radio" : "checkbox"));
  if (option) input.set("name", group);
  input.set("checked", option ? d.value == kTrue : d.value == 1);
  // The caption names the input and a click on it toggles; it is no label
  // of its own for a screen reader.
  val label = MakeElement("label", box);
  label.set("htmlFor", std::string(d.name));
  label.call<void>("setAttribute", std::string("role"), std::string("presentation"));
  return {box, input, label};
}

Elements MakeElements(const ControlDesign& d, const val& parent, const std::string& group,
                      const std::string& iconUrl) {
  switch (d.kind) {
    case ControlKind::TextBox: {
      val input = MakeElement("input", parent);
      input.set("type", std::string("text"));
      input.set("value", std::string(d.caption));
      input.set("autocomplete", std::string("off"));
      input.set("spellcheck", false);
      return {input, input, val::undefined()};
    }
    case ControlKind::CommandButton: {
      val button = MakeElement("button", parent);
      button.set("type", std::string("button"));
      return {button, button, button};
    }
    case ControlKind::ComboBox: {
      val select = MakeElement("select", parent);
      for (std::string_view item : d.items)
        MakeElement("option", select).set("text", std::string(item));
      select.set("selectedIndex", -1);
      return {select, select, val::undefined()};
    }
    case ControlKind::Frame: {
      val frame = MakeElement("fieldset", parent);
      return {frame, frame, MakeElement("legend", frame)};
    }
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      return Toggle(d, parent, group);
    case ControlKind::Image: {
      val image = MakeElement("img", parent, d.stretch ? "vemora-stretch" : nullptr);
      // A picture has no text of its own: a screen reader says what it does.
      if (!d.toolTip.empty()) image.set("alt", std::string(d.toolTip));
      if (d.showsIcon) image.set("src", iconUrl);
      return {image, image, val::undefined()};
    }
    case ControlKind::Label: {
      val label = MakeElement("label", parent);
      if (!d.labelFor.empty()) label.set("htmlFor", std::string(d.labelFor));
      return {label, label, label};
    }
    case ControlKind::Animation: {
      val canvas = MakeElement("canvas", parent);
      canvas.call<void>("setAttribute", std::string("role"), std::string("img"));
      canvas.call<void>("setAttribute", std::string("aria-roledescription"),
                        std::string("Animation"));
      return {canvas, canvas, val::undefined()};
    }
  }
  return {val::undefined(), val::undefined(), val::undefined()};
}

void ApplyLook(const ControlDesign& d, Elements e, const PixelRect& box) {
  e.element.set("id", std::string(d.name));
  e.box["classList"].call<void>("add", std::string("vemora-control"));
  if (!d.toolTip.empty()) e.box.set("title", std::string(d.toolTip));
  if (d.questionPointer) e.box["style"].set("cursor", std::string("help"));
  if (d.blackText) e.box["style"].set("color", std::string("black"));
  e.element.set("disabled", !d.enabled);
  e.box["classList"].call<void>("toggle", std::string("disabled"), !d.enabled);
  if (d.kind == ControlKind::Animation) {
    e.element.set("width", box.width);
    e.element.set("height", box.height);
  }
  Place(e.box, box);
}

}  // namespace

WebForm::WebForm(WebToolkit& toolkit, const FormDesign& design)
    : BasicForm(toolkit, design, Dpi{96, 96}), toolkit_(toolkit) {
  val body = Document()["body"];
  window_ = MakeElement("div", body, FillsPage() ? "vemora-page" : "vemora-window");
  window_.set("id", std::string(design.name));
  // Hidden, yet laid out: the form has its design size until it shows.
  window_["style"].set("visibility", std::string("hidden"));
  if (FillsPage()) {
    client_ = window_;
    stopResize_ = Listen(val::global("window"), "resize", *this, kWindowResized);
    // Closing the tab closes the form: its unload handler runs.
    stopPageHide_ = Listen(val::global("window"), "pagehide", *this, kCloseBox);
  } else {
    window_.call<void>("setAttribute", std::string("role"), std::string("dialog"));
    // A click anywhere in it makes it the window the keys go to.
    window_.set("tabIndex", -1);
    Listen(window_, "pointerdown", *this, kRaise);
    window_.call<void>("setAttribute", std::string("aria-labelledby"),
                       std::string(design.name) + ".caption");
    window_["style"].set("zIndex", toolkit_.NextZ());
    bar_ = MakeElement("div", window_, "vemora-caption");
    val title = MakeElement("span", bar_);
    title.set("id", std::string(design.name) + ".caption");
    val close = MakeElement("button", bar_, "vemora-close");
    close.set("type", std::string("button"));
    close.set("tabIndex", -1);
    close.set("textContent", std::string("\u00d7"));
    // For the mouse only, as a window's close box: the keyboard has Esc.
    close.call<void>("setAttribute", std::string("aria-hidden"), std::string("true"));
    Listen(close, "click", *this, kCloseBox);
    val::module_property("vemoraMovable")(window_, bar_);
    client_ = MakeElement("div", window_, "vemora-client");
  }
  NativeResize({ToPixels(design.clientWidth, 96), ToPixels(design.clientHeight, 96)});
  live_ = MakeElement("div", window_, "vemora-live");
  live_.call<void>("setAttribute", std::string("aria-live"), std::string("polite"));
  NativeSetCaption(design.caption);
  Listen(window_, "keydown", *this, kKeyDown);
  Build();
}

WebForm::~WebForm() {
  // The browser window outlives the form: its listeners go first.
  if (FillsPage()) {
    stopResize_();
    stopPageHide_();
  }
  ReleaseControls();
  window_.call<void>("remove");
}

std::unique_ptr<BasicControl> WebForm::NativeControl(const ControlDesign& d,
                                                     BasicControl* container, const PixelRect& box,
                                                     TabRole role) {
  val parent = container ? static_cast<WebControl*>(container)->Box() : client_;
  const std::string group = std::string(Design().name) + "." + std::string(d.container);
  Elements e = MakeElements(d, parent, group, toolkit_.IconUrl());
  ApplyLook(d, e, box);
  // Creation order is Tab order; an option group is entered by the browser
  // at its selected button.
  if (!role.stop && d.kind != ControlKind::OptionButton) e.element.set("tabIndex", -1);
  return std::make_unique<WebControl>(d, *this, e.box, e.element, e.caption, box);
}

// Known without a layout: the size set, or the browser window's.
PixelSize WebForm::NativeClientSize() const {
  if (size_) return *size_;
  const val view = val::global("window");
  return {view["innerWidth"].as<int>(), view["innerHeight"].as<int>()};
}

// A page form takes the size until the browser window's next resize.
void WebForm::NativeResize(PixelSize client) {
  size_ = client;
  client_["style"].set("width", Px(client.width));
  client_["style"].set("height", Px(client.height));
  UserResized();
}

void WebForm::NativeSetCaption(std::string_view caption) {
  caption_ = caption;
  if (FillsPage()) {
    Document().set("title", caption_);
  } else {
    Document()
        .call<val>("getElementById", std::string(Design().name) + ".caption")
        .set("textContent", caption_);
  }
}

void WebForm::NativeShow(bool first) {
  val style = window_["style"];
  style.set("visibility", std::string("visible"));
  shown_ = true;
  if (FillsPage()) {
    // From now on the page form is the browser window's size.
    if (first) FillWindow();
  } else {
    if (first) {
      // Centred in the browser window.
      val view = val::global("window");
      const int left = (view["innerWidth"].as<int>() - window_["offsetWidth"].as<int>()) / 2;
      const int top = (view["innerHeight"].as<int>() - window_["offsetHeight"].as<int>()) / 2;
      style.set("left", Px(std::max(0, left)));
      style.set("top", Px(std::max(0, top)));
    }
    style.set("zIndex", toolkit_.NextZ());
  }
  if (first) {
    FocusFirstStop();
  } else if (!window_.call<bool>("contains", Document()["activeElement"])) {
    window_.call<void>("focus");
  }
}

void WebForm::NativeHide() {
  window_["style"].set("visibility", std::string("hidden"));
}

void WebForm::FillWindow() {
  size_.reset();
  client_["style"].set("width", std::string());
  client_["style"].set("height", std::string());
}

void WebForm::FocusFirstStop() {
  for (const ControlDesign* d : TabOrder(Design().controls)) {
    val element = static_cast<WebControl&>(Find(d->name)).Element();
    // Once the running code is done: focusing lays the page out, which its
    // first scaling would undo at once.
    if (element["disabled"].as<bool>()) continue;
    val::module_property("vemoraFocusSoon")(element);
    return;
  }
}

void WebForm::Announce(std::string_view, std::string_view text) {
  live_.set("textContent", std::string(text));
}

void WebForm::Handle(int code, val event) {
  if (code == kWindowResized) {
    if (!shown_) return;
    FillWindow();
    return UserResized();
  }
  if (code == kCloseBox) return UserClosed();
  if (code == kRaise) {
    window_["style"].set("zIndex", toolkit_.NextZ());
    return;
  }
  const std::string key = event["key"].as<std::string>();
  if (key == "Tab") {
    WrapTab(event);
  } else if (key == "Escape") {
    PressButton(false);
  } else if (key == "Enter") {
    // A focused button takes Enter itself.
    if (Document()["activeElement"]["tagName"].as<std::string>() == "BUTTON") return;
    PressButton(true);
  }
}

// Tab goes round the form's controls, as in a window of its own, instead
// of leaving for the browser's.
void WebForm::WrapTab(val event) {
  const val all = client_.call<val>("querySelectorAll", std::string("input, select, button"));
  val first = val::null(), last = val::null();
  for (int i = 0; i < all["length"].as<int>(); ++i) {
    val e = all[i];
    if (e["disabled"].as<bool>() || e["tabIndex"].as<int>() < 0) continue;
    if (e["type"].as<std::string>() == "radio" && !e["checked"].as<bool>()) continue;
    if (first.isNull()) first = e;
    last = e;
  }
  const val active = Document()["activeElement"];
  const bool back = event["shiftKey"].as<bool>();
  if (first.isNull() || !active.strictlyEquals(back ? first : last)) return;
  event.call<void>("preventDefault");
  (back ? last : first).call<void>("focus");
}

// Enter presses the default button, Esc the cancel button, as a dialog
// frame does.
void WebForm::PressButton(bool isDefault) {
  for (const ControlDesign& d : Design().controls) {
    if (d.kind != ControlKind::CommandButton || !(isDefault ? d.isDefault : d.isCancel)) continue;
    val element = static_cast<WebControl&>(Find(d.name)).Element();
    if (!element["disabled"].as<bool>()) return element.call<void>("click");
  }
}

}  // namespace vemora
