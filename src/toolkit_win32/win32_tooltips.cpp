#include "toolkit_win32/win32_tooltips.h"

#include <commctrl.h>

#include <string>

#include "toolkit_win32/wide_text.h"

namespace vemora {

void MakeToolTips(HWND form, UINT dpi, HWND& tips, std::span<const ToolTip> controls) {
  if (tips) return;
  tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, static_cast<int>(dpi), 96));
  for (const ToolTip& tip : controls) {
    std::wstring wide = WideFromUtf8(tip.text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(tip.control);
    tool.lpszText = wide.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace vemora
