// The animation control: a child window that shows a silent AVI clip read by
// our own reader, centred on the button-face colour, stepping through its
// frames on a timer at the clip's own rate and starting over at the end.
#pragma once

#include <windows.h>

#include <string>

namespace vemora {

inline constexpr wchar_t kAnimationClass[] = L"VemoraAnimation";

void RegisterAnimationClass(HINSTANCE instance);

// Reads the clip and plays it from its first frame. A missing, unreadable or
// unsupported clip leaves the control empty and says nothing.
void OpenClipIn(HWND animation, const std::string& path);
// Stops the clip and lets go of it; the control shows its background.
void CloseClipIn(HWND animation);

}  // namespace vemora
