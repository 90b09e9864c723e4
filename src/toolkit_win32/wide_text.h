// Text is UTF-8 inside Vemora and UTF-16 at the Windows edge: the toolkit
// calls the wide (W) functions only, converting with these and os's
// WideFromUtf8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "os/wide_text.h"

namespace vemora {

std::string Narrow(std::wstring_view text);
// A window's text, converted.
std::string WindowTextOf(HWND window);

}  // namespace vemora
