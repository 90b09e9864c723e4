#include "toolkit/basic_control.h"

#include "runtime/numbers.h"
#include "runtime/runtime_error.h"
#include "toolkit/basic_form.h"
#include "toolkit/property_checks.h"

namespace vemora {
namespace {

// The kinds whose Caption is their text.
bool ShowsCaption(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CommandButton ||
         kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::Frame;
}

bool RaisesClick(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::ComboBox || kind == ControlKind::CommandButton ||
         kind == ControlKind::Image;
}

FontDesign DesignFont(const FontDesign& font) {
  FontDesign full = font;
  if (full.face.empty()) full.face = kDefaultFont.face;
  if (full.size <= 0) full.size = kDefaultFont.size;
  return full;
}

}  // namespace

BasicControl::BasicControl(const ControlDesign& design, BasicForm& form)
    : design_(design), form_(form), font_(DesignFont(design.font)) {}

void BasicControl::Start() {
  if (HasFont()) NativeFont(font_);
  checked_ =
      (Kind() == ControlKind::CheckBox || Kind() == ControlKind::OptionButton) && NativeChecked();
  if (Kind() == ControlKind::ComboBox) listIndex_ = NativeSelection();
}

bool BasicControl::HasFont() const {
  return Kind() != ControlKind::Image && Kind() != ControlKind::Animation;
}

double BasicControl::GetGeometry(Prop prop) const {
  const PixelRect r = NativeRect();
  const Dpi dpi = form_.ScreenDpi();
  switch (prop) {
    case Prop::Height:
      return ToTwips(r.height, dpi.y);
    case Prop::Width:
      return ToTwips(r.width, dpi.x);
    case Prop::Top:
      return ToTwips(r.top, dpi.y);
    default:
      return ToTwips(r.left, dpi.x);
  }
}

void BasicControl::SetGeometry(Prop prop, double twips) {
  const PixelRect before = NativeRect();
  PixelRect r = before;
  const Dpi dpi = form_.ScreenDpi();
  switch (prop) {
    case Prop::Height:
      if (twips < 0) RaiseBadValue();
      r.height = CheckedPixels(twips * dpi.y / kTwipsPerInch);
      break;
    case Prop::Width:
      if (twips < 0) RaiseBadValue();
      r.width = CheckedPixels(twips * dpi.x / kTwipsPerInch);
      break;
    case Prop::Top:
      r.top = CheckedPixels(twips * dpi.y / kTwipsPerInch);
      break;
    default:
      r.left = CheckedPixels(twips * dpi.x / kTwipsPerInch);
      break;
  }
  // The scaler sets every control at each pass, most of them to where they
  // are: a native move costs, even to the same place.
  if (r != before) NativePlace(r);
}

double BasicControl::Get(Prop prop) const {
  switch (prop) {
    case Prop::Height:
    case Prop::Width:
    case Prop::Top:
    case Prop::Left:
      return GetGeometry(prop);
    case Prop::FontSize:
      if (!HasFont()) RaiseUnsupported();
      return font_.size;
    case Prop::Enabled:
      return NativeEnabled() ? kTrue : 0;
    case Prop::Value:
      if (Kind() == ControlKind::CheckBox) return NativeChecked() ? 1 : 0;
      if (Kind() == ControlKind::OptionButton) return NativeChecked() ? kTrue : 0;
      RaiseUnsupported();
    case Prop::ListIndex:
      if (Kind() == ControlKind::ComboBox) return NativeSelection();
      RaiseUnsupported();
    default:
      RaiseUnsupported();
  }
}

void BasicControl::Set(Prop prop, double value) {
  switch (prop) {
    case Prop::Height:
    case Prop::Width:
    case Prop::Top:
    case Prop::Left:
      SetGeometry(prop, value);
      return;
    case Prop::FontSize:
      if (!HasFont()) RaiseUnsupported();
      CheckFontSize(value);
      if (value == font_.size) return;  // the same font again: nothing to redo
      font_.size = value;
      NativeFont(font_);
      return;
    case Prop::Enabled:
      NativeEnable(value != 0);
      return;
    case Prop::Value:
      SetValue(value);
      return;
    case Prop::ListIndex:
      SetListIndex(value);
      return;
    default:
      RaiseUnsupported();
  }
}

// A check box raises Click when its value changes, also from code; an
// option button when it becomes the selected one. A selected option button
// is not cleared from code, only replaced by another.
void BasicControl::SetValue(double value) {
  if (Kind() == ControlKind::CheckBox) {
    if (value != 0 && value != 1) RaiseBadValue();
    const bool on = value == 1;
    if (on == checked_) return;
    checked_ = on;
    NativeCheck(on);
    Fire(click_);
    return;
  }
  if (Kind() != ControlKind::OptionButton) RaiseUnsupported();
  if (value != 0) form_.SelectOption(*this);
}

// Setting ListIndex to another item raises Click, as a choice does.
void BasicControl::SetListIndex(double value) {
  if (Kind() != ControlKind::ComboBox) RaiseUnsupported();
  const int index = RealToInt32(value);
  if (index < -1 || index >= static_cast<int>(design_.items.size())) RaiseBadValue();
  if (index == listIndex_) return;
  listIndex_ = index;
  NativeSelect(index);
  if (index >= 0) Fire(click_);
}

std::string BasicControl::GetText(Prop prop) const {
  if (prop == Prop::Text) {
    if (Kind() == ControlKind::TextBox || Kind() == ControlKind::ComboBox) return NativeText();
  } else if (prop == Prop::Caption) {
    if (ShowsCaption(Kind())) return NativeText();
    if (Kind() == ControlKind::Image) return {};  // a picture's caption is always empty
  }
  RaiseUnsupported();
}

// Text set from code raises Change once, when it differs.
void BasicControl::SetText(Prop prop, std::string_view text) {
  if (prop == Prop::Caption && ShowsCaption(Kind())) return NativeSetText(text);
  if (prop != Prop::Text || Kind() != ControlKind::TextBox) RaiseUnsupported();
  if (NativeText() == text) return;
  settingText_ = true;
  try {
    NativeSetText(text);
  } catch (...) {
    settingText_ = false;
    throw;
  }
  settingText_ = false;
  Fire(change_);
}

void BasicControl::Connect(Event event, std::function<void()> handler) {
  if (event == Event::Change && Kind() == ControlKind::TextBox) {
    change_ = std::move(handler);
  } else if (event == Event::Click && RaisesClick(Kind())) {
    click_ = std::move(handler);
  } else {
    RaiseUnsupported();
  }
}

void BasicControl::Fire(const std::function<void()>& handler) const {
  if (handler) form_.Deliver(handler);
}

void BasicControl::UserClicked() {
  if (Kind() == ControlKind::CommandButton || Kind() == ControlKind::Image) Fire(click_);
}

void BasicControl::UserEdited() {
  if (Kind() == ControlKind::TextBox && !settingText_) Fire(change_);
}

void BasicControl::UserToggled() {
  if (Kind() == ControlKind::OptionButton) return form_.SyncOptions();
  if (Kind() != ControlKind::CheckBox || NativeChecked() == checked_) return;
  checked_ = !checked_;
  Fire(click_);
}

void BasicControl::UserPicked() {
  if (Kind() != ControlKind::ComboBox) return;
  const int index = NativeSelection();
  if (index == listIndex_) return;
  listIndex_ = index;
  if (index >= 0) Fire(click_);
}

bool BasicControl::SyncSelection() {
  const bool now = NativeChecked();
  if (now == checked_) return false;
  checked_ = now;
  NativeCheck(now);  // lets the toolkit keep its own group state alike
  return now;
}

void BasicControl::SetSelected(bool on) {
  checked_ = on;
  NativeCheck(on);
}

}  // namespace vemora
