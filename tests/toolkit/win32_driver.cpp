// The contract table's hand on Win32: the mouse moved and pressed as the
// system's input (so disabled windows take none), keys and the clipboard
// as the controls receive them, the frame's own commands.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include "driver.h"
#include "toolkit_win32/wide_text.h"
#include "toolkit_win32/win32_form.h"
#include "toolkit_win32/win32_toolkit.h"

namespace vemora::contract {
namespace {

AppInfo TestApp() {
  AppInfo app;
  app.Title = "Test";
  return app;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;  // a test's ended program
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Button(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
  Pump();
}

// The control's point `x` pixels from its left edge, half-way down, on the screen.
POINT OnScreen(HWND control, int x) {
  RECT r;
  GetClientRect(control, &r);
  POINT at{x, (r.bottom - r.top) / 2};
  ClientToScreen(control, &at);
  return at;
}

unsigned Rgb(COLORREF colour) {
  return static_cast<unsigned>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 |
         GetBValue(colour);
}

class Win32Driver : public Driver {
 public:
  ~Win32Driver() override {
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  BasicToolkit& Kit() override { return toolkit_; }

  void Click(Form& form, std::string_view control) override {
    Press(form, control);
    Button(MOUSEEVENTF_LEFTUP);
  }
  void Press(Form& form, std::string_view control) override {
    const POINT at = OnScreen(Control(form, control), 6);
    SetCursorPos(at.x, at.y);
    Pump();
    Button(MOUSEEVENTF_LEFTDOWN);
  }
  void Release(Form& form, std::string_view control, bool inside) override {
    const HWND window = Control(form, control);
    RECT r;
    GetClientRect(window, &r);
    const POINT at = OnScreen(window, inside ? 6 : r.right + 5);
    SetCursorPos(at.x, at.y);
    Pump();
    Button(MOUSEEVENTF_LEFTUP);
  }
  void Type(Form& form, std::string_view control, std::string_view keys) override {
    const HWND edit = Control(form, control);
    SetFocus(edit);
    for (char key : keys) SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(key), 1);
    Pump();
  }
  void Paste(Form& form, std::string_view control, const std::string& text) override {
    const std::wstring wide = WideFromUtf8(text);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1,
              static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    const HWND edit = Control(form, control);
    OpenClipboard(edit);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SetFocus(edit);
    SendMessageW(edit, WM_PASTE, 0, 0);  // what Ctrl+V does
    Pump();
  }
  void PickInOpenList(Form& form, std::string_view control, int steps, bool commit) override {
    const HWND combo = Control(form, control);
    SetFocus(combo);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    for (int i = 0; i < steps; ++i) SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(combo, WM_KEYDOWN, commit ? VK_RETURN : VK_ESCAPE, 0);
    Pump();
  }
  void Close(Form& form) override {
    SendMessageW(Window(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
  }
  void Minimise(Form& form) override {
    ShowWindow(Window(form), SW_MINIMIZE);
    Pump();
  }
  bool Minimised(Form& form) override { return IsIconic(Window(form)) != FALSE; }
  PixelSize ClientSize(Form& form) override {
    RECT r;
    GetClientRect(Window(form), &r);
    return {r.right, r.bottom};
  }
  void MoveTo(Form& form, int x, int y) override {
    SetWindowPos(Window(form), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
  }
  std::vector<std::string> TabWalk(Form& form, int presses) override {
    const HWND window = Window(form);
    SetForegroundWindow(window);
    Pump();
    std::vector<std::string> focused;
    for (int i = 0; i < presses; ++i) {
      MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
      if (!IsDialogMessageW(window, &tab)) DispatchMessageW(&tab);
      Pump();
      focused.push_back(NameOf(form, GetFocus()));
    }
    return focused;
  }
  unsigned Pixel(Form& form, std::string_view control, int x, int y) override {
    const HWND window = Control(form, control);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return Rgb(colour);
  }
  unsigned ButtonFace() override { return Rgb(GetSysColor(COLOR_BTNFACE)); }
  BoxSeen WhileBoxOpen(const std::function<void()>& open,
                       const std::function<void()>& during) override {
    static const std::function<void()>* pending = nullptr;
    static BoxSeen seen;
    pending = &during;
    seen = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
      const HWND box = FindWindowW(L"#32770", nullptr);  // the dialog class of boxes
      if (!box || !pending) return;
      KillTimer(nullptr, id);
      (*pending)();
      pending = nullptr;
      seen = {WindowTextOf(GetDlgItem(box, 0xFFFF)), WindowTextOf(box)};
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    open();
    KillTimer(nullptr, timer);
    pending = nullptr;
    return seen;
  }

 private:
  static HWND Window(Form& form) { return static_cast<Win32Form&>(form).Window(); }
  static HWND Control(Form& form, std::string_view name) {
    return static_cast<Win32Control&>(static_cast<BasicForm&>(form).Find(name)).Window();
  }
  static std::string NameOf(Form& form, HWND focus) {
    for (vemora::Control* c : form.Controls())
      if (static_cast<Win32Control*>(c)->Window() == focus) return std::string(c->Name());
    return "?";
  }

  Win32Toolkit toolkit_{TestApp()};
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() {
  return std::make_unique<Win32Driver>();
}

double ProcessMemoryMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  // Wine keeps the private bytes at 0 and reports the resident pages here.
  return static_cast<double>(counters.WorkingSetSize) / 1048576;
}

}  // namespace vemora::contract
