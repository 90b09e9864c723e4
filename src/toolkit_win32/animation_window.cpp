#include "toolkit_win32/animation_window.h"

namespace vemora {
namespace {

constexpr UINT_PTR kFrameTimer = 1;

class Screen : public ClipScreen {
 public:
  explicit Screen(HWND window) : window_(window) {}
  void StartTimer(int intervalMs) override {
    SetTimer(window_, kFrameTimer, static_cast<UINT>(intervalMs), nullptr);
  }
  void StopTimer() override { KillTimer(window_, kFrameTimer); }
  void Repaint() override { InvalidateRect(window_, nullptr, FALSE); }
  ClipPlayer player{*this};

 private:
  HWND window_;
};

Screen* ScreenOf(HWND window) {
  return reinterpret_cast<Screen*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT box;
  GetClientRect(window, &box);
  const Screen* screen = ScreenOf(window);
  if (screen && !screen->player.Empty()) {
    // The clip's pixels are meant for 96 DPI; larger screens get it larger.
    const ClipPlayer& clip = screen->player;
    const auto dpi = static_cast<int>(GetDpiForWindow(window));
    const int width = MulDiv(clip.Width(), dpi, 96), height = MulDiv(clip.Height(), dpi, 96);
    const int left = (box.right - width) / 2, top = (box.bottom - height) / 2;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = clip.Width();
    info.bmiHeader.biHeight = -clip.Height();  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, left, top, width, height, 0, 0, clip.Width(), clip.Height(),
                  clip.Pixels().data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ExcludeClipRect(dc, left, top, left + width, top + height);
  }
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  EndPaint(window, &paint);
}

LRESULT CALLBACK AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Screen(window)));
      break;
    case WM_NCDESTROY:
      delete ScreenOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_TIMER:
      if (Screen* screen = ScreenOf(window); screen && wParam == kFrameTimer) screen->player.Step();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT, without flicker
    case WM_PAINT:
      Paint(window);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterAnimationClass(HINSTANCE instance) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = AnimationProc;
  type.hInstance = instance;
  type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  type.lpszClassName = kAnimationClass;
  RegisterClassExW(&type);
}

ClipPlayer& PlayerOf(HWND animation) {
  return ScreenOf(animation)->player;
}

}  // namespace vemora
