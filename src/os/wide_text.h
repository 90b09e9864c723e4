// Text is UTF-8 inside Vemora and UTF-16 at the Windows edge: whatever
// calls a wide (W) function of Windows converts with these, both ways.
// Nothing goes through the ANSI code page, whose best-fit conversion would
// turn a name into another one ("Ω" into "O").
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <string>
#include <string_view>

namespace vemora {

std::wstring WideFromUtf8(std::string_view text);
// UTF-16 to UTF-8.
std::string Narrow(std::wstring_view text);

// A window's text, converted.
inline std::string WindowTextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return Narrow(text);
}

}  // namespace vemora
#endif
