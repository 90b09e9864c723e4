#include "toolkit_win32/animation_window.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "clip/avi_reader.h"
#include "toolkit_win32/wide_text.h"

namespace vemora {
namespace {

constexpr UINT_PTR kFrameTimer = 1;

struct Playback {
  std::optional<AviClip> clip;
  std::size_t current = 0;
};

Playback* StateOf(HWND window) {
  return reinterpret_cast<Playback*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The file's bytes: a regular file of sane size, opened once by a wide name,
// so that a folder name outside the ANSI code page still works.
std::optional<std::vector<std::uint8_t>> ReadClipBytes(const std::string& path) {
  const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes;
  LARGE_INTEGER size{};
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
      static_cast<std::uint64_t>(size.QuadPart) <= kAviMaxFileBytes) {
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (data.empty() ||
        (ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) &&
         read == data.size()))
      bytes = std::move(data);
  }
  CloseHandle(file);
  return bytes;
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
    const UINT dpi = GetDpiForWindow(window);
    const int width = MulDiv(clip.width, static_cast<int>(dpi), 96);
    const int height = MulDiv(clip.height, static_cast<int>(dpi), 96);
    const int left = (box.right - width) / 2, top = (box.bottom - height) / 2;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = clip.width;
    info.bmiHeader.biHeight = -clip.height;  // rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, left, top, width, height, 0, 0, clip.width, clip.height,
                  clip.frames[state->current].data(), &info, DIB_RGB_COLORS, SRCCOPY);
    ExcludeClipRect(dc, left, top, left + width, top + height);
  }
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  EndPaint(window, &paint);
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
      if (Playback* state = StateOf(window); state && state->clip && wParam == kFrameTimer) {
        state->current = (state->current + 1) % state->clip->frames.size();
        InvalidateRect(window, nullptr, FALSE);
      }
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
  Playback* state = StateOf(animation);
  KillTimer(animation, kFrameTimer);
  state->clip.reset();
  state->current = 0;
  if (const auto bytes = ReadClipBytes(path)) state->clip = ReadAvi(*bytes);
  if (state->clip && state->clip->frames.empty()) state->clip.reset();
  if (state->clip && state->clip->frames.size() > 1) {
    const auto ms = std::max<std::uint64_t>(1, (state->clip->microSecPerFrame + 500ull) / 1000);
    SetTimer(animation, kFrameTimer, static_cast<UINT>(ms), nullptr);
  }
  InvalidateRect(animation, nullptr, FALSE);
}

}  // namespace vemora
