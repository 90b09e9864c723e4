#include "toolkit_win32/win32_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "toolkit/basic_form.h"
#include "toolkit_win32/animation_window.h"
#include "toolkit_win32/font_cache.h"
#include "toolkit_win32/wide_text.h"

namespace vemora {
namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(window, message, wParam, lParam);
}

}  // namespace

Win32Control::Win32Control(const ControlDesign& design, BasicForm& form, HWND window,
                           FontCache& fonts)
    : BasicControl(design, form), window_(window), fonts_(fonts) {}

Win32Control::~Win32Control() {
  if (font_) fonts_.Release(font_);
}

ClipPlayer* Win32Control::Player() {
  return Kind() == ControlKind::Animation ? &PlayerOf(window_) : nullptr;
}

RECT Win32Control::Rect() const {
  RECT rect;
  GetWindowRect(window_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
  if (Kind() == ControlKind::ComboBox) rect.bottom = rect.top + comboHeight_;
  return rect;
}

PixelRect Win32Control::NativeRect() const {
  const RECT r = Rect();
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Control::NativePlace(const PixelRect& box) {
  Place(box.left, box.top, box.width, box.height);
}

// A drop-down list's window also covers its open list: the closed box gets
// the height asked for, the list its items below it.
void Win32Control::Place(int left, int top, int width, int height) {
  if (Kind() == ControlKind::ComboBox) {
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

void Win32Control::NativeFont(const FontDesign&) {
  ApplyFont();
}

void Win32Control::ApplyFont() {
  const FontDesign& design = Font();
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(design.size * Owner().ScreenDpi().y / 72.0));
  font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = design.italic;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  WideFromUtf8(design.face).copy(font.lfFaceName, LF_FACESIZE - 1);
  const HFONT old = font_;
  font_ = fonts_.Acquire(font);
  if (font_ == old) {
    fonts_.Release(old);
    return;
  }
  const RECT before = Rect();
  Send(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), IsWindowVisible(window_));
  // A new font resizes a drop-down list's box: keep the height asked for
  // (none yet while the form is being built: the form places the box then).
  if (Kind() == ControlKind::ComboBox && comboHeight_ > 0)
    Place(before.left, before.top, before.right - before.left, before.bottom - before.top);
  if (old) fonts_.Release(old);
}

void Win32Control::Rescale(UINT from, UINT to) {
  const RECT r = Rect();
  const auto scale = [&](LONG v) {
    return MulDiv(v, static_cast<int>(to), static_cast<int>(from));
  };
  Place(scale(r.left), scale(r.top), scale(r.right - r.left), scale(r.bottom - r.top));
  if (Kind() != ControlKind::Image && Kind() != ControlKind::Animation) ApplyFont();
}

std::string Win32Control::NativeText() const {
  return WindowTextOf(window_);
}

void Win32Control::NativeSetText(std::string_view text) {
  SetWindowTextW(window_, WideFromUtf8(text).c_str());
  // A label is drawn on the form's background: the old text goes with it.
  if (Kind() == ControlKind::Label) {
    RECT r = Rect();
    RedrawWindow(GetParent(window_), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

bool Win32Control::NativeChecked() const {
  return Send(window_, BM_GETCHECK) == BST_CHECKED;
}

// The selected option button is its group's Tab stop.
void Win32Control::NativeCheck(bool on) {
  Send(window_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
  if (Kind() != ControlKind::OptionButton) return;
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  SetWindowLongPtrW(window_, GWL_STYLE, on ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

int Win32Control::NativeSelection() const {
  return static_cast<int>(Send(window_, CB_GETCURSEL));
}

void Win32Control::NativeSelect(int index) {
  Send(window_, CB_SETCURSEL, static_cast<WPARAM>(index));
}

// The list's choice counts once committed: arrow steps in the open list
// pass over items the user may still leave with Esc.
void Win32Control::Notify(WORD code) {
  switch (Kind()) {
    case ControlKind::TextBox:
      if (code == EN_CHANGE) UserEdited();
      return;
    case ControlKind::CommandButton:
      if (code == BN_CLICKED) UserClicked();
      return;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) UserToggled();
      return;
    case ControlKind::Image:
      if (code == STN_CLICKED) UserClicked();
      return;
    case ControlKind::ComboBox:
      // Esc leaves the open list with the choice it had when it opened (the
      // same notice comes with every loss of focus, the list closed or not).
      if (code == CBN_DROPDOWN) droppedIndex_ = NativeSelection();
      if (code == CBN_SELENDCANCEL && Send(window_, CB_GETDROPPEDSTATE))
        NativeSelect(droppedIndex_);
      if ((code == CBN_SELCHANGE && !Send(window_, CB_GETDROPPEDSTATE)) || code == CBN_CLOSEUP ||
          code == CBN_SELENDOK)
        UserPicked();
      return;
    default:
      return;
  }
}

}  // namespace vemora
