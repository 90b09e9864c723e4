// The least a Win32 program does to show a window: one static label. The
// program's start-up under Wine is measured against this.
#include <windows.h>

#include "windows/shown.h"

int main() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = DefWindowProcW;
  type.hInstance = instance;
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = L"VemoraBaseline";
  RegisterClassExW(&type);
  const HWND window =
      CreateWindowExW(0, L"VemoraBaseline", L"Vemora", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 300, 100, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"STATIC", L"Vemora", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, window, nullptr,
                  instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  vemora::bench::EndWhenShown(window);
}
