// The animation control: a child window that shows the clip player's frame,
// centred on the button-face colour, the player stepped by a window timer.
#pragma once

#include <windows.h>

#include "toolkit/clip_player.h"

namespace vemora {

inline constexpr wchar_t kAnimationClass[] = L"VemoraAnimation";

void RegisterAnimationClass(HINSTANCE instance);

// The player of an animation control's window; it lives as long as the window.
ClipPlayer& PlayerOf(HWND animation);

}  // namespace vemora
