#include "toolkit_win32/win32_form.h"

#include <commctrl.h>

#include <vector>

#include "toolkit_win32/native_controls.h"
#include "toolkit_win32/wide_text.h"
#include "toolkit_win32/win32_toolkit.h"
#include "toolkit_win32/win32_tooltips.h"

namespace vemora {
namespace {

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

// Messages the form leaves alone go to the dialog manager, which gives it
// Tab, the arrow keys in groups, access keys, and the default button.
LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  LRESULT result = 0;
  auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form && form->Handle(message, wParam, lParam, result)) return result;
  return DefDlgProcW(window, message, wParam, lParam);
}

DWORD StyleOf(Border border) {
  return border == Border::Sizable ? WS_OVERLAPPEDWINDOW : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
}

DWORD ExStyleOf(Border border) {
  return border == Border::Sizable ? 0 : WS_EX_DLGMODALFRAME;
}

// The window's DPI before the form exists: that of the primary screen.
Dpi SystemDpi() {
  const auto dpi = static_cast<double>(GetDpiForSystem());
  return {dpi, dpi};
}

}  // namespace

void RegisterFormClass(HINSTANCE instance, HICON icon, HICON smallIcon) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.style = CS_DBLCLKS;
  type.lpfnWndProc = FormProc;
  type.cbWndExtra = DLGWINDOWEXTRA;
  type.hInstance = instance;
  type.hIcon = icon;
  type.hIconSm = smallIcon;
  type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = kFormClass;
  RegisterClassExW(&type);
}

Win32Form::Win32Form(Win32Toolkit& toolkit, const FormDesign& design)
    : BasicForm(toolkit, design, SystemDpi()),
      toolkit_(toolkit),
      style_(StyleOf(design.border)),
      exStyle_(ExStyleOf(design.border)) {
  window_ = CreateWindowExW(exStyle_, kFormClass, WideFromUtf8(design.caption).c_str(), style_,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
  const auto dpi = static_cast<double>(GetDpiForWindow(window_));
  SetScreenDpi({dpi, dpi});
  NativeResize({ToPixels(design.clientWidth, dpi), ToPixels(design.clientHeight, dpi)});
  Build();
  for (const auto& [id, entry] : byId_)
    if (entry.design->isDefault) SendMessageW(window_, DM_SETDEFID, static_cast<WPARAM>(id), 0);
}

Win32Form::~Win32Form() {
  // Destroyed only outside this window's own events (the reference keeps an
  // unloaded form until the next creation or the program's end).
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  ReleaseControls();
  DestroyWindow(window_);
}

std::unique_ptr<BasicControl> Win32Form::NativeControl(const ControlDesign& d,
                                                       BasicControl* container,
                                                       const PixelRect& box, TabRole role) {
  const int id = kFirstControlId + static_cast<int>(byId_.size());
  const HWND parent = container ? static_cast<Win32Control*>(container)->Window() : window_;
  const DWORD layout = (role.groupStart ? WS_GROUP : 0) | (role.stop ? WS_TABSTOP : 0);
  const RECT r{box.left, box.top, box.left + box.width, box.top + box.height};
  const HWND native = CreateNativeControl(d, parent, window_, id, layout, r);
  auto control = std::make_unique<Win32Control>(d, *this, native, toolkit_.Fonts());
  // A drop-down list also needs room for its open list.
  if (d.kind == ControlKind::ComboBox) control->Place(box.left, box.top, box.width, box.height);
  byId_[id] = {&d, control.get()};
  return control;
}

const Win32Form::Entry* Win32Form::ByWindow(HWND control) const {
  const auto it = byId_.find(GetDlgCtrlID(control));
  return it != byId_.end() && it->second.control->Window() == control ? &it->second : nullptr;
}

PixelSize Win32Form::NativeClientSize() const {
  RECT r;
  GetClientRect(window_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void Win32Form::NativeResize(PixelSize client) {
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectExForDpi(&frame, style_, FALSE, exStyle_, GetDpiForWindow(window_));
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32Form::NativeCaption() const {
  return WindowTextOf(window_);
}

void Win32Form::NativeSetCaption(std::string_view caption) {
  SetWindowTextW(window_, WideFromUtf8(caption).c_str());
}

// Controls move one by one during a resize handler, but nothing is painted
// before it returns to the message loop: the window shows only the
// finished layout.
void Win32Form::NativeRefresh() {
  RedrawWindow(window_, nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32Form::NativeShow(bool first) {
  if (!IsWindowVisible(window_)) {
    RECT r;
    GetWindowRect(window_, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    SetWindowPos(window_, nullptr, (area.left + area.right - (r.right - r.left)) / 2,
                 (area.top + area.bottom - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNORMAL);
    if (first)
      if (const HWND stop = GetNextDlgTabItem(window_, nullptr, FALSE))
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(stop), TRUE);
  } else if (IsIconic(window_)) {
    ShowWindow(window_, SW_RESTORE);
  }
  SetForegroundWindow(window_);
}

void Win32Form::Press(bool defaultButton) {
  for (const auto& [id, entry] : byId_)
    if ((defaultButton ? entry.design->isDefault : entry.design->isCancel) &&
        IsWindowEnabled(entry.control->Window())) {
      entry.control->UserClicked();
      return;
    }
}

void Win32Form::DrawImage(const DRAWITEMSTRUCT& item) {
  const Entry* entry = ByWindow(item.hwndItem);
  if (!entry) return;
  const RECT& box = item.rcItem;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  if (!entry->design->showsIcon) return;
  const int natural = MulDiv(32, static_cast<int>(ScreenDpi().x), 96);
  const bool stretch = entry->design->stretch;
  DrawIconEx(item.hDC, box.left, box.top, toolkit_.Icon(), stretch ? box.right - box.left : natural,
             stretch ? box.bottom - box.top : natural, 0, nullptr, DI_NORMAL);
}

void Win32Form::DpiChanged(UINT dpi, const RECT& suggested) {
  const auto old = static_cast<UINT>(ScreenDpi().x);
  SetScreenDpi({static_cast<double>(dpi), static_cast<double>(dpi)});
  for (const auto& [id, entry] : byId_) entry.control->Rescale(old, dpi);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Form::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!window_) return false;  // still being created
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK || id == IDCANCEL) {
        Press(id == IDOK);  // Enter and Esc, from the dialog manager
      } else if (const auto it = byId_.find(id); it != byId_.end()) {
        it->second.control->Notify(HIWORD(wParam));
      }
      return true;
    }
    case WM_CTLCOLORSTATIC:
      // Labels are drawn on the form's background, like the classic
      // windowless labels, so a neighbour they overlap stays visible.
      if (const Entry* entry = ByWindow(reinterpret_cast<HWND>(lParam));
          entry && entry->design->kind == ControlKind::Label) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, entry->design->blackText ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
        result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
      }
      return false;
    case WM_DRAWITEM:
      DrawImage(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_SETCURSOR: {
      if (!toolTips_) {
        std::vector<ToolTip> tips;
        for (const auto& [id, entry] : byId_)
          if (!entry.design->toolTip.empty())
            tips.push_back({entry.control->Window(), entry.design->toolTip});
        MakeToolTips(window_, static_cast<UINT>(ScreenDpi().x), toolTips_, tips);
      }
      if (const Entry* entry = ByWindow(reinterpret_cast<HWND>(wParam));
          entry && entry->design->questionPointer) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HELP)));
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) UserResized();
      return false;
    case WM_CLOSE:
      UserClosed();
      return true;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return true;
    default:
      return false;
  }
}

}  // namespace vemora
