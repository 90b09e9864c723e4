#include "toolkit_web/web_control.h"

#include <emscripten/val.h>

#include "toolkit_web/web_form.h"

namespace vemora {
namespace {

// The event by which each kind reports the user's hand.
const char* UserEvent(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
      return "input";
    case ControlKind::ComboBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      return "change";
    case ControlKind::CommandButton:
    case ControlKind::Image:
      return "click";
    default:
      return nullptr;
  }
}

bool ShowsCaption(ControlKind kind) {
  return kind == ControlKind::CommandButton || kind == ControlKind::Frame ||
         kind == ControlKind::OptionButton || kind == ControlKind::CheckBox ||
         kind == ControlKind::Label;
}

}  // namespace

WebControl::WebControl(const ControlDesign& design, WebForm& form, val box, val element,
                       val caption, const PixelRect& place)
    : BasicControl(design, form),
      form_(form),
      box_(std::move(box)),
      element_(std::move(element)),
      caption_(std::move(caption)),
      place_(place),
      enabled_(design.enabled) {
  if (ShowsCaption(design.kind)) NativeSetText(design.caption);
  if (const char* type = UserEvent(design.kind)) Listen(element_, type, *this, kUserAction);
  if (design.kind == ControlKind::Animation)
    player_ = std::make_unique<ClipPlayer>(static_cast<ClipScreen&>(*this));
}

WebControl::~WebControl() {
  // The player stops its timer while this control still exists.
  player_.reset();
}

void WebControl::Handle(int code, val) {
  if (code == kTick) {
    if (player_) player_->Step();
    return;
  }
  switch (Kind()) {
    case ControlKind::TextBox:
      return UserEdited();
    case ControlKind::ComboBox:
      return UserPicked();
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      return UserToggled();
    default:
      return UserClicked();
  }
}

void WebControl::StartTimer(int intervalMs) {
  StopTimer();
  timer_ = vemora::StartTimer(intervalMs, *this, kTick);
}

void WebControl::StopTimer() {
  if (timer_ != 0) vemora::StopTimer(timer_);
  timer_ = 0;
}

// The frame at its natural size, centred on the button face.
void WebControl::Repaint() {
  val context = element_.call<val>("getContext", std::string("2d"));
  const int width = element_["width"].as<int>(), height = element_["height"].as<int>();
  context.set("fillStyle", std::string("ButtonFace"));
  context.call<void>("fillRect", 0, 0, width, height);
  if (!player_ || player_->Empty()) {
    // The copy goes with the clip: a large frame's would stay otherwise.
    std::vector<unsigned char>().swap(rgba_);
    return;
  }
  const auto& pixels = player_->Pixels();
  rgba_.resize(pixels.size() * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    rgba_[i * 4] = static_cast<unsigned char>(pixels[i] >> 16);
    rgba_[i * 4 + 1] = static_cast<unsigned char>(pixels[i] >> 8);
    rgba_[i * 4 + 2] = static_cast<unsigned char>(pixels[i]);
    rgba_[i * 4 + 3] = 255;
  }
  const val bytes = val::global("Uint8ClampedArray")
                        .new_(emscripten::typed_memory_view(rgba_.size(), rgba_.data()));
  const val image = val::global("ImageData").new_(bytes, player_->Width(), player_->Height());
  context.call<void>("putImageData", image, (width - player_->Width()) / 2,
                     (height - player_->Height()) / 2);
}

void WebControl::NativePlace(const PixelRect& box) {
  place_ = box;
  Place(box_, box);
  if (Kind() == ControlKind::Animation) {
    element_.set("width", box.width);
    element_.set("height", box.height);
    Repaint();
  }
}

bool WebControl::NativeEnabled() const {
  return enabled_;
}

// A label or picture has no disabled state of its own: it greys.
void WebControl::NativeEnable(bool on) {
  enabled_ = on;
  element_.set("disabled", !on);
  box_["classList"].call<void>("toggle", std::string("disabled"), !on);
}

std::string WebControl::NativeText() const {
  switch (Kind()) {
    case ControlKind::TextBox:
      return element_["value"].as<std::string>();
    case ControlKind::ComboBox: {
      const int index = NativeSelection();
      return index < 0 ? std::string() : std::string(Design().items[index]);
    }
    default:
      return captionText_;
  }
}

void WebControl::NativeSetText(std::string_view text) {
  if (Kind() == ControlKind::TextBox) {
    element_.set("value", std::string(text));
    // Text set by code is news for a screen reader (the field's reader
    // announces only what the user types).
    form_.Announce(Name(), text);
    return;
  }
  if (!ShowsCaption(Kind())) return;
  captionText_ = text;
  ShowCaption(caption_, text);
}

bool WebControl::NativeChecked() const {
  return (Kind() == ControlKind::CheckBox || Kind() == ControlKind::OptionButton) &&
         element_["checked"].as<bool>();
}

void WebControl::NativeCheck(bool on) {
  if (Kind() == ControlKind::CheckBox || Kind() == ControlKind::OptionButton)
    element_.set("checked", on);
}

int WebControl::NativeSelection() const {
  return Kind() == ControlKind::ComboBox ? element_["selectedIndex"].as<int>() : -1;
}

void WebControl::NativeSelect(int index) {
  if (Kind() == ControlKind::ComboBox) element_.set("selectedIndex", index);
}

}  // namespace vemora
