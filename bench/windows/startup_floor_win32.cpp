// The main window as a person would write it by hand: the same 20 controls
// of the same classes, styles and fonts, created with CreateWindowEx from
// literal pixel coordinates (96 DPI), with the same resources and manifest.
// The program's start-up under Wine is measured against this.
#include <windows.h>

#include <commctrl.h>

#include <iterator>

#include "windows/shown.h"

namespace {

HINSTANCE instance;
HFONT normal, bold, large;
HICON icon;

struct Child {
  const wchar_t* type;
  const wchar_t* text;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;
  HFONT* font;
};

constexpr DWORD kLabel = SS_LEFT;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;

const Child kTop[] = {
    {L"STATIC", L"Gesamtplattenspeicher in MB (1GB=1024MB)", kLabel, 0, 8, 13, 297, 17, &bold},
    {L"EDIT", L"100", kEdit, WS_EX_CLIENTEDGE, 317, 8, 121, 25, &normal},
    {L"STATIC", L"Maximale Anzahl aller Clients", kLabel, 0, 8, 45, 273, 17, &bold},
    {L"EDIT", L"5", kEdit, WS_EX_CLIENTEDGE, 317, 40, 121, 25, &normal},
    {L"STATIC", L"Maximale Anzahl der Dateien auf dem Server", kLabel, 0, 8, 77, 321, 17, &bold},
    {L"EDIT", L"10000", kEdit, WS_EX_CLIENTEDGE, 317, 72, 121, 25, &normal},
    {L"STATIC", L"Andere Anwendungen in KB ohne Install, Monitor etc.", kLabel | SS_NOTIFY, 0, 8,
     103, 273, 41, &bold},
    {L"EDIT", L"3000", kEdit, WS_EX_CLIENTEDGE, 317, 104, 121, 25, &normal},
    {L"STATIC", L"Volume-Blockgröße in KB", kLabel, 0, 8, 153, 177, 25, &bold},
    {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0, 317, 153, 121, 150,
     &normal},
    {L"BUTTON", L"Optionen", BS_GROUPBOX | WS_GROUP, WS_EX_CONTROLPARENT, 8, 184, 425, 81, &normal},
    {L"STATIC", L"Minimum in MB auf zwei Stellen gerundet", kLabel, 0, 8, 288, 345, 25, &large},
    {L"EDIT", L"9.1", kEdit, WS_EX_CLIENTEDGE, 8, 320, 129, 25, &normal},
    {L"BUTTON", L"Beenden", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 336, 304, 97, 41, &normal},
    {L"STATIC", L"", SS_OWNERDRAW | SS_NOTIFY | WS_GROUP, 0, 200, 312, 40, 40, nullptr},
};

constexpr std::size_t kCombo = 9, kFrame = 10, kSelectedOption = 3;

const Child kInFrame[] = {
    {L"BUTTON", L"Spiegelung", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, 32, 16, 105, 29,
     &normal},
    {L"BUTTON", L"Kompression", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP | WS_DISABLED, 0, 32, 48,
     105, 29, &normal},
    {L"BUTTON", L"Suballocation", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, 160, 16, 105, 29,
     &normal},
    {L"BUTTON", L"NW 3.1x", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0, 296, 24, 81, 13,
     &normal},
    {L"BUTTON", L"NW 4.x", BS_AUTORADIOBUTTON, 0, 296, 48, 57, 17, &normal},
};

HWND Create(const Child& c, HWND parent, int id) {
  const HWND window = CreateWindowExW(
      c.exStyle, c.type, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.width, c.height,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (c.font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(*c.font), FALSE);
  return window;
}

// Labels on the window's background, and the icon in the owner-drawn box.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
      DrawIconEx(item->hDC, 0, 0, icon, 40, 40, 0, nullptr, DI_NORMAL);
      return TRUE;
    }
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HFONT Arial(int height, int weight) {
  return CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                     DEFAULT_QUALITY, 0, L"Arial");
}

}  // namespace

int main() {
  instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  icon = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, 32, 32, 0));
  normal = Arial(11, FW_NORMAL);
  bold = Arial(13, FW_BOLD);
  large = Arial(16, FW_BOLD);

  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = WindowProc;
  type.hInstance = instance;
  type.hIcon = icon;
  type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = L"VemoraFloor";
  RegisterClassExW(&type);
  // A client area of 446 x 358 pixels.
  RECT frame{0, 0, 446, 358};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  const HWND window = CreateWindowExW(
      0, L"VemoraFloor", L"Vemora - Version 2.3   Copyright © 2026 Die Vemora-Entwickler",
      WS_OVERLAPPEDWINDOW, 289, 205, frame.right - frame.left, frame.bottom - frame.top, nullptr,
      nullptr, instance, nullptr);

  int id = 100;
  HWND top[std::size(kTop)];
  for (std::size_t i = 0; i < std::size(kTop); ++i) top[i] = Create(kTop[i], window, id++);
  HWND inFrame[std::size(kInFrame)];
  for (std::size_t i = 0; i < std::size(kInFrame); ++i)
    inFrame[i] = Create(kInFrame[i], top[kFrame], id++);
  SendMessageW(inFrame[kSelectedOption], BM_SETCHECK, BST_CHECKED, 0);
  const HWND combo = top[kCombo];
  for (const wchar_t* size : {L"4", L"8", L"16", L"32", L"64", L"128"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  ShowWindow(window, SW_SHOWNORMAL);
  SetFocus(top[1]);
  vemora::bench::EndWhenShown(window);
}
