// Text is UTF-8 inside Vemora and UTF-16 at the Windows edge: the toolkit
// converts here and calls the wide (W) functions only.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vemora {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
// A window's text, converted.
std::string WindowTextOf(HWND window);

}  // namespace vemora
