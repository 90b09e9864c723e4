#include "toolkit_win32/native_controls.h"

#include <commctrl.h>

#include "toolkit_win32/animation_window.h"
#include "toolkit_win32/wide_text.h"

namespace vemora {
namespace {

struct NativeKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

NativeKind NativeKindOf(const ControlDesign& d) {
  switch (d.kind) {
    case ControlKind::TextBox:
      return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton:
      return {L"BUTTON", static_cast<DWORD>(d.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ControlKind::ComboBox:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case ControlKind::Frame:
      return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlKind::OptionButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case ControlKind::Image:
      return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
    case ControlKind::Label:
      // Only a label with a tooltip takes the mouse; the others let clicks
      // through to what lies below.
      return {L"STATIC", static_cast<DWORD>(SS_LEFT | (d.toolTip.empty() ? 0 : SS_NOTIFY)), 0};
    case ControlKind::Animation:
      return {kAnimationClass, 0, 0};
  }
  return {L"STATIC", 0, 0};
}

// A group box keeps nothing of its children's notifications: the form gets them.
LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR form) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return SendMessageW(reinterpret_cast<HWND>(form), message, wParam, lParam);
  }
  return DefSubclassProc(frame, message, wParam, lParam);
}

// A picture's Click comes when the button is released over it, as on a
// push button: the static control itself would report the press.
LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(picture);
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() != picture) return 0;
      ReleaseCapture();
      RECT box;
      GetClientRect(picture, &box);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&box, at))
        SendMessageW(GetParent(picture), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(picture), STN_CLICKED),
                     reinterpret_cast<LPARAM>(picture));
      return 0;
    }
  }
  return DefSubclassProc(picture, message, wParam, lParam);
}

}  // namespace

HWND CreateNativeControl(const ControlDesign& d, HWND parent, HWND form, int id, DWORD layout,
                         const RECT& box) {
  const NativeKind native = NativeKindOf(d);
  const DWORD style = WS_CHILD | WS_VISIBLE | native.style | layout | (d.enabled ? 0 : WS_DISABLED);
  const std::wstring caption = d.kind == ControlKind::ComboBox ? L"" : WideFromUtf8(d.caption);
  const HWND window = CreateWindowExW(native.exStyle, native.windowClass, caption.c_str(), style,
                                      box.left, box.top, box.right - box.left, box.bottom - box.top,
                                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
  switch (d.kind) {
    case ControlKind::ComboBox:
      for (std::string_view item : d.items)
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
      break;
    case ControlKind::TextBox:
      // As long as memory allows, not the system's default of 32,767.
      SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
      break;
    case ControlKind::OptionButton:
      if (d.value == kTrue) SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
      break;
    case ControlKind::Image:
      SetWindowSubclass(window, PictureProc, 1, 0);
      break;
    case ControlKind::CheckBox:
      if (d.value == 1) SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
      break;
    case ControlKind::Frame:
      SetWindowSubclass(window, FrameProc, 1, reinterpret_cast<DWORD_PTR>(form));
      break;
    default:
      break;
  }
  return window;
}

}  // namespace vemora
