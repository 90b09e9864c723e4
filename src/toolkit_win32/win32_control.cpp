#include "toolkit_win32/win32_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "os/wide_text.h"
#include "runtime/numbers.h"
#include "runtime/runtime_error.h"
#include "toolkit/property_checks.h"
#include "toolkit_win32/win32_form.h"

namespace vemora {
namespace {

// The form's font where the design gives none, as on the other toolkit.
constexpr wchar_t kDefaultFace[] = L"Arial";
constexpr double kDefaultPoints = 8.25;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(window, message, wParam, lParam);
}

// The kinds whose caption is their window text.
bool ShowsCaption(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::CommandButton ||
         kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::Frame;
}

}  // namespace

Win32Control::Win32Control(const ControlDesign& design, HWND window, Win32Form& form)
    : name_(design.name),
      kind_(design.kind),
      window_(window),
      form_(form),
      face_(design.font.face.empty() ? kDefaultFace : WideFromUtf8(design.font.face)),
      points_(design.font.size > 0 ? design.font.size : kDefaultPoints),
      bold_(design.font.bold),
      italic_(design.font.italic),
      selected_(design.kind == ControlKind::OptionButton && design.value == -1) {
  if (HasFont()) ApplyFont();
}

Win32Control::~Win32Control() {
  if (font_) form_.Fonts().Release(font_);
}

RECT Win32Control::Rect() const {
  RECT rect;
  GetWindowRect(window_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
  if (kind_ == ControlKind::ComboBox) rect.bottom = rect.top + comboHeight_;
  return rect;
}

// A drop-down list's window also covers its open list: the closed box gets
// the height asked for, the list its items below it.
void Win32Control::Place(int left, int top, int width, int height) {
  if (kind_ == ControlKind::ComboBox) {
    // The closed box is its selection field and a frame around it.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(window_, &info);
    RECT box;
    GetWindowRect(window_, &box);
    const int frame = (box.bottom - box.top) - (info.rcItem.bottom - info.rcItem.top);
    Send(window_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1, height - frame));
    comboHeight_ = height;
    const auto items = static_cast<int>(Send(window_, CB_GETCOUNT));
    const auto itemHeight = static_cast<int>(Send(window_, CB_GETITEMHEIGHT, 0));
    height += std::max(1, items) * itemHeight + 2;
  }
  SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

double Win32Control::GetGeometry(Prop prop) const {
  const RECT r = Rect();
  const double twipsPerPixel = 1440.0 / form_.Dpi();
  switch (prop) {
    case Prop::Height:
      return (r.bottom - r.top) * twipsPerPixel;
    case Prop::Width:
      return (r.right - r.left) * twipsPerPixel;
    case Prop::Top:
      return r.top * twipsPerPixel;
    default:
      return r.left * twipsPerPixel;
  }
}

void Win32Control::SetGeometry(Prop prop, double twips) {
  const RECT r = Rect();
  int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
  const double pixels = twips * form_.Dpi() / 1440.0;
  switch (prop) {
    case Prop::Height:
      if (twips < 0) RaiseBadValue();
      height = CheckedPixels(pixels);
      break;
    case Prop::Width:
      if (twips < 0) RaiseBadValue();
      width = CheckedPixels(pixels);
      break;
    case Prop::Top:
      top = CheckedPixels(pixels);
      break;
    default:
      left = CheckedPixels(pixels);
      break;
  }
  Place(left, top, width, height);
}

void Win32Control::ApplyFont() {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(points_ * form_.Dpi() / 72.0));
  font.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic_;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  face_.copy(font.lfFaceName, LF_FACESIZE - 1);
  const HFONT old = font_;
  font_ = form_.Fonts().Acquire(font);
  if (font_ == old) {
    form_.Fonts().Release(old);
    return;
  }
  const RECT before = Rect();
  Send(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), IsWindowVisible(window_));
  // A new font resizes a drop-down list's box: keep the height asked for
  // (none yet while the form is being built: the form places the box then).
  if (kind_ == ControlKind::ComboBox && comboHeight_ > 0)
    Place(before.left, before.top, before.right - before.left, before.bottom - before.top);
  if (old) form_.Fonts().Release(old);
}

void Win32Control::Rescale(UINT from, UINT to) {
  const RECT r = Rect();
  const auto scale = [&](LONG v) {
    return MulDiv(v, static_cast<int>(to), static_cast<int>(from));
  };
  Place(scale(r.left), scale(r.top), scale(r.right - r.left), scale(r.bottom - r.top));
  if (HasFont()) ApplyFont();
}

void Win32Control::SetFontSize(double points) {
  if (!HasFont()) RaiseUnsupported();
  CheckFontSize(points);
  points_ = points;
  ApplyFont();
}

double Win32Control::Get(Prop prop) const {
  switch (prop) {
    case Prop::Height:
    case Prop::Width:
    case Prop::Top:
    case Prop::Left:
      return GetGeometry(prop);
    case Prop::FontSize:
      if (!HasFont()) RaiseUnsupported();
      return points_;
    case Prop::Enabled:
      return IsWindowEnabled(window_) ? -1 : 0;
    case Prop::Value: {
      const bool checked = Send(window_, BM_GETCHECK) == BST_CHECKED;
      if (kind_ == ControlKind::CheckBox) return checked ? 1 : 0;
      if (kind_ == ControlKind::OptionButton) return checked ? -1 : 0;
      RaiseUnsupported();
    }
    case Prop::ListIndex:
      if (kind_ == ControlKind::ComboBox) return static_cast<double>(Send(window_, CB_GETCURSEL));
      RaiseUnsupported();
    default:
      RaiseUnsupported();
  }
}

void Win32Control::Set(Prop prop, double value) {
  switch (prop) {
    case Prop::Height:
    case Prop::Width:
    case Prop::Top:
    case Prop::Left:
      SetGeometry(prop, value);
      return;
    case Prop::FontSize:
      SetFontSize(value);
      return;
    case Prop::Enabled:
      EnableWindow(window_, value != 0);
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
// cannot be cleared, only replaced by another.
void Win32Control::SetValue(double value) {
  if (kind_ == ControlKind::CheckBox) {
    if (value != 0 && value != 1) RaiseBadValue();
    const WPARAM check = value == 1 ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(Send(window_, BM_GETCHECK)) == check) return;
    Send(window_, BM_SETCHECK, check);
    RaiseClick();
    return;
  }
  if (kind_ != ControlKind::OptionButton) RaiseUnsupported();
  if (value != 0) form_.SelectOption(*this);
}

// Setting ListIndex raises Click, which the native list does not do.
void Win32Control::SetListIndex(double value) {
  if (kind_ != ControlKind::ComboBox) RaiseUnsupported();
  const int index = RealToInt32(value);
  if (index < -1 || index >= static_cast<int>(Send(window_, CB_GETCOUNT))) RaiseBadValue();
  if (index == listIndex_) return;
  Send(window_, CB_SETCURSEL, static_cast<WPARAM>(index));
  listIndex_ = index;
  if (index >= 0) RaiseClick();
}

std::string Win32Control::GetText(Prop prop) const {
  if (prop == Prop::Text) {
    if (kind_ == ControlKind::TextBox || kind_ == ControlKind::ComboBox)
      return WindowTextOf(window_);
  } else if (prop == Prop::Caption) {
    if (ShowsCaption(kind_)) return WindowTextOf(window_);
    if (kind_ == ControlKind::Image) return {};  // a picture's caption is always empty
  }
  RaiseUnsupported();
}

void Win32Control::SetText(Prop prop, std::string_view text) {
  if (prop == Prop::Caption) return SetCaption(text);
  if (prop != Prop::Text || kind_ != ControlKind::TextBox) RaiseUnsupported();
  if (WindowTextOf(window_) == text) return;
  // Change is raised here once, whether or not the edit control reports
  // text set from code.
  settingText_ = true;
  SetWindowTextW(window_, WideFromUtf8(text).c_str());
  settingText_ = false;
  if (change_) change_();
}

void Win32Control::SetCaption(std::string_view text) {
  if (!ShowsCaption(kind_)) RaiseUnsupported();
  SetWindowTextW(window_, WideFromUtf8(text).c_str());
  // A label is drawn on the form's background: the old text goes with it.
  if (kind_ == ControlKind::Label) {
    RECT r = Rect();
    RedrawWindow(GetParent(window_), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void Win32Control::Connect(Event event, std::function<void()> handler) {
  if (event == Event::Change && kind_ == ControlKind::TextBox) {
    change_ = std::move(handler);
    return;
  }
  switch (event == Event::Click ? kind_ : ControlKind::Label) {
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ComboBox:
    case ControlKind::CommandButton:
    case ControlKind::Image:
      click_ = std::move(handler);
      return;
    default:
      RaiseUnsupported();
  }
}

void Win32Control::RaiseClick() const {
  if (click_) click_();
}

bool Win32Control::TakeSelection() {
  const bool now = Send(window_, BM_GETCHECK) == BST_CHECKED;
  const bool became = now && !selected_;
  if (now != selected_) {
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    SetWindowLongPtrW(window_, GWL_STYLE, now ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  selected_ = now;
  return became;
}

void Win32Control::Notify(WORD code) {
  switch (kind_) {
    case ControlKind::TextBox:
      if (code == EN_CHANGE && !settingText_ && change_) change_();
      return;
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) RaiseClick();
      return;
    case ControlKind::Image:
      if (code == STN_CLICKED) RaiseClick();
      return;
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) form_.SyncOptions();
      return;
    case ControlKind::ComboBox:
      if (code == CBN_SELCHANGE) {
        const auto index = static_cast<int>(Send(window_, CB_GETCURSEL));
        if (index == listIndex_) return;
        listIndex_ = index;
        if (index >= 0) RaiseClick();
      }
      return;
    default:
      return;
  }
}

}  // namespace vemora
