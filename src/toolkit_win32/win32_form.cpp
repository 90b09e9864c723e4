#include "toolkit_win32/win32_form.h"

#include <commctrl.h>

#include <cmath>

#include "os/wide_text.h"
#include "runtime/numbers.h"
#include "runtime/runtime_error.h"
#include "toolkit_win32/animation_window.h"
#include "toolkit_win32/creation_order.h"
#include "toolkit_win32/native_controls.h"
#include "toolkit_win32/win32_toolkit.h"

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

int Pixels(double twips, UINT dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

DWORD StyleOf(Border border) {
  return border == Border::Sizable ? WS_OVERLAPPEDWINDOW : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
}

DWORD ExStyleOf(Border border) {
  return border == Border::Sizable ? 0 : WS_EX_DLGMODALFRAME;
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

Win32Form::Win32Form(Win32Toolkit& toolkit, const FormDesign& design) : toolkit_(toolkit) {
  const DWORD style = StyleOf(design.border), exStyle = ExStyleOf(design.border);
  const HWND window =
      CreateWindowExW(exStyle, kFormClass, WideFromUtf8(design.caption).c_str(), style,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                      GetModuleHandleW(nullptr), this);
  window_ = window;
  dpi_ = GetDpiForWindow(window);
  RECT frame{0, 0, Pixels(design.clientWidth, dpi_), Pixels(design.clientHeight, dpi_)};
  AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi_);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  BuildContainer(design, {}, window_);
  for (const ControlDesign& d : design.controls)
    if (const auto it = byName_.find(d.name); it != byName_.end()) controls_.push_back(it->second);
  for (const auto& [id, entry] : byId_)
    if (entry.design->isDefault) SendMessageW(window_, DM_SETDEFID, static_cast<WPARAM>(id), 0);
  toolkit_.FormLoaded(window_);
}

Win32Form::~Win32Form() {
  // Destroyed only outside this window's own events (the reference keeps an
  // unloaded form until the next creation or the program's end).
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  if (!unloaded_) toolkit_.FormUnloaded(window_);
}

// Each container's children in Tab order. The option buttons of one
// container are one group, entered by Tab at the selected button.
void Win32Form::BuildContainer(const FormDesign& design, std::string_view container, HWND parent) {
  const auto order = CreationOrder(design.controls, container);
  const ControlDesign* optionStop = nullptr;
  for (const ControlDesign* d : order)
    if (d->kind == ControlKind::OptionButton && (!optionStop || d->value == -1)) {
      optionStop = d;
      if (d->value == -1) break;
    }
  bool afterOption = false;
  for (const ControlDesign* d : order) {
    const bool option = d->kind == ControlKind::OptionButton;
    DWORD layout = option && afterOption ? 0 : WS_GROUP;
    if (TakesFocus(d->kind) && d->tabIndex >= 0 && (!option || d == optionStop))
      layout |= WS_TABSTOP;
    afterOption = option;
    const int id = kFirstControlId + static_cast<int>(owned_.size());
    const int left = Pixels(d->left, dpi_), top = Pixels(d->top, dpi_);
    const RECT box{left, top, left + Pixels(d->width, dpi_), top + Pixels(d->height, dpi_)};
    const HWND native = CreateNativeControl(*d, parent, window_, id, layout, box);
    auto control = std::make_unique<Win32Control>(*d, native, *this);
    // A drop-down list also needs room for its open list.
    if (d->kind == ControlKind::ComboBox)
      control->Place(box.left, box.top, box.right - box.left, box.bottom - box.top);
    byId_[id] = {d, control.get()};
    byName_.emplace(std::string(d->name), control.get());
    owned_.push_back(std::move(control));
    if (d->kind == ControlKind::Frame) BuildContainer(design, d->name, native);
  }
}

// The tips are made when the mouse first comes over the form: their window
// is one more for the display, and start-up need not wait for it.
void Win32Form::MakeToolTips() {
  if (toolTips_) return;
  toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  // Long tips wrap instead of running across the screen.
  SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, static_cast<int>(dpi_), 96));
  for (const auto& [id, entry] : byId_) {
    if (entry.design->toolTip.empty()) continue;
    std::wstring wide = WideFromUtf8(entry.design->toolTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(entry.control->Window());
    tool.lpszText = wide.data();
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

FontCache& Win32Form::Fonts() {
  return toolkit_.Fonts();
}

Win32Control& Win32Form::Find(std::string_view name) {
  const auto it = byName_.find(name);
  if (it == byName_.end()) Raise(ErrorNumber::kSubscriptOutOfRange);
  return *it->second;
}

Control& Win32Form::Item(std::string_view name) {
  return Find(name);
}

const Win32Form::Entry* Win32Form::ByWindow(HWND control) const {
  const auto it = byId_.find(GetDlgCtrlID(control));
  return it != byId_.end() && it->second.control->Window() == control ? &it->second : nullptr;
}

double Win32Form::Get(Prop prop) const {
  RECT r;
  GetWindowRect(window_, &r);
  if (prop == Prop::Height) return (r.bottom - r.top) * 1440.0 / dpi_;
  if (prop == Prop::Width) return (r.right - r.left) * 1440.0 / dpi_;
  Raise(ErrorNumber::kPropertyNotSupported);
}

void Win32Form::Set(Prop prop, double value) {
  if (prop != Prop::Height && prop != Prop::Width) Raise(ErrorNumber::kPropertyNotSupported);
  if (!std::isfinite(value) || value < 0 || value > 1e7) Raise(ErrorNumber::kInvalidPropertyValue);
  RECT r;
  GetWindowRect(window_, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  (prop == Prop::Height ? height : width) = RealToInt32(value * dpi_ / 1440.0);
  SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32Form::Caption() const {
  return WindowTextOf(window_);
}

void Win32Form::SetCaption(std::string_view caption) {
  SetWindowTextW(window_, WideFromUtf8(caption).c_str());
}

void Win32Form::Refresh() {
  RedrawWindow(window_, nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32Form::Show() {
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
    if (!shown_)
      if (const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE))
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    shown_ = true;
  } else if (IsIconic(window_)) {
    ShowWindow(window_, SW_RESTORE);
  }
  SetForegroundWindow(window_);
}

void Win32Form::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (onUnload_) Deliver(onUnload_);
  ShowWindow(window_, SW_HIDE);
  // An unloaded form keeps no clip playing or held.
  for (const auto& control : owned_)
    if (control->Kind() == ControlKind::Animation) CloseClipIn(control->Window());
  toolkit_.FormUnloaded(window_);
}

void Win32Form::OpenClip(std::string_view control, const std::string& path) {
  Win32Control& animation = Find(control);
  if (animation.Kind() != ControlKind::Animation) Raise(ErrorNumber::kPropertyNotSupported);
  OpenClipIn(animation.Window(), path);
}

void Win32Form::OnControl(std::string_view control, Event event, std::function<void()> handler) {
  Find(control).Connect(event, [this, handler = std::move(handler)] { Deliver(handler); });
}

void Win32Form::Load() {
  if (onLoad_) Deliver(onLoad_);
}

void Win32Form::Deliver(const std::function<void()>& handler) {
  RunAtEventBoundary(toolkit_, handler);
}

void Win32Form::SelectOption(Win32Control& option) {
  if (SendMessageW(option.Window(), BM_GETCHECK, 0, 0) == BST_CHECKED) return;
  const HWND container = GetParent(option.Window());
  for (const auto& c : owned_)
    if (c->Kind() == ControlKind::OptionButton && GetParent(c->Window()) == container)
      SendMessageW(c->Window(), BM_SETCHECK, c.get() == &option ? BST_CHECKED : BST_UNCHECKED, 0);
  SyncOptions();
}

void Win32Form::SyncOptions() {
  std::vector<Win32Control*> selected;
  for (const auto& c : owned_)
    if (c->Kind() == ControlKind::OptionButton && c->TakeSelection()) selected.push_back(c.get());
  for (Win32Control* option : selected) option->RaiseClick();
}

void Win32Form::Press(bool defaultButton) {
  for (const auto& [id, entry] : byId_)
    if ((defaultButton ? entry.design->isDefault : entry.design->isCancel) &&
        IsWindowEnabled(entry.control->Window())) {
      entry.control->RaiseClick();
      return;
    }
}

// Resize means a new size: the message that showing the window brings with
// the size it already had raises nothing. Controls move one by one, but
// nothing is painted before the handler returns to the message loop, so the
// window shows only the finished layout.
void Win32Form::Resized(LPARAM clientSize) {
  if (clientSize == clientSize_) return;
  clientSize_ = clientSize;
  if (onResize_) Deliver(onResize_);
}

void Win32Form::DrawImage(const DRAWITEMSTRUCT& item) {
  const Entry* entry = ByWindow(item.hwndItem);
  if (!entry) return;
  const RECT& box = item.rcItem;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  if (!entry->design->showsIcon) return;
  const int natural = MulDiv(32, static_cast<int>(dpi_), 96);
  const bool stretch = entry->design->stretch;
  DrawIconEx(item.hDC, box.left, box.top, toolkit_.Icon(), stretch ? box.right - box.left : natural,
             stretch ? box.bottom - box.top : natural, 0, nullptr, DI_NORMAL);
}

void Win32Form::DpiChanged(UINT dpi, const RECT& suggested) {
  const UINT old = dpi_;
  dpi_ = dpi;
  for (const auto& control : owned_) control->Rescale(old, dpi);
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
    case WM_SETCURSOR:
      MakeToolTips();
      if (const Entry* entry = ByWindow(reinterpret_cast<HWND>(wParam));
          entry && entry->design->questionPointer) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HELP)));
        result = TRUE;
        return true;
      }
      return false;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) Resized(lParam);
      return false;
    case WM_CLOSE:
      Unload();
      return true;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return true;
    default:
      return false;
  }
}

}  // namespace vemora
