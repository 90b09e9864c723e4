#include "toolkit_win32/animation_window.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "clip/avi_reader.h"
#include "os/read_file.h"

namespace vemora {
namespace {

constexpr UINT_PTR kFrameTimer = 1;

struct Playback {
  std::optional<AviClip> clip;
  std::size_t current = 0;
  std::vector<std::uint32_t> pixels;  // the frame shown
};

Playback* StateOf(HWND window) {
  return reinterpret_cast<Playback*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  RECT box;
  GetClientRect(window, &box);
  const Playback* state = StateOf(window);
  if (state && state->clip) {
    // The clip's pixels are meant for 96 DPI; larger screens get it larger.
    const AviClip& clip = *state->clip;
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
                  state->pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ExcludeClipRect(dc, left, top, left + width, top + height);
  }
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  EndPaint(window, &paint);
}

void Advance(HWND window, Playback& state) {
  state.current = (state.current + 1) % state.clip->FrameCount();
  state.clip->Decode(state.current, state.pixels);
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK AnimationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Playback));
      break;
    case WM_NCDESTROY:
      delete StateOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_TIMER:
      if (Playback* state = StateOf(window); state && state->clip && wParam == kFrameTimer)
        Advance(window, *state);
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

void OpenClipIn(HWND animation, const std::string& path) {
  CloseClipIn(animation);
  Playback* state = StateOf(animation);
  if (auto bytes = ReadRegularFile(path, kAviMaxFileBytes))
    state->clip = ParseAvi(std::move(*bytes));
  if (!state->clip) return;
  state->clip->Decode(0, state->pixels);
  if (state->clip->FrameCount() > 1) {
    const auto ms = std::max<std::uint64_t>(1, (state->clip->MicroSecPerFrame() + 500ull) / 1000);
    SetTimer(animation, kFrameTimer, static_cast<UINT>(ms), nullptr);
  }
}

void CloseClipIn(HWND animation) {
  Playback* state = StateOf(animation);
  KillTimer(animation, kFrameTimer);
  state->clip.reset();
  state->current = 0;
  state->pixels = {};
  InvalidateRect(animation, nullptr, FALSE);
}

}  // namespace vemora
