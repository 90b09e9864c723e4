#include "toolkit_win32/win32_toolkit.h"

#include <commctrl.h>

#include <vector>

#include "toolkit_win32/animation_window.h"
#include "toolkit_win32/wide_text.h"
#include "toolkit_win32/win32_form.h"

namespace vemora {
namespace {

// The icon resource of vemora.exe; a program without one gets the system's.
HICON LoadProgramIcon(int size) {
  const auto icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"IDI_ICON1", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  return icon ? icon : LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

bool IsForm(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  return std::wstring_view(name) == kFormClass;
}

}  // namespace

Win32Toolkit::Win32Toolkit(AppInfo app)
    : BasicToolkit(std::move(app)), icon_(LoadProgramIcon(32)), smallIcon_(LoadProgramIcon(16)) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFormClass(instance, icon_, smallIcon_);
  RegisterAnimationClass(instance);
}

Win32Toolkit::~Win32Toolkit() {
  DestroyIcon(icon_);
  DestroyIcon(smallIcon_);
}

std::unique_ptr<Form> Win32Toolkit::CreateForm(const FormDesign& design) {
  return std::make_unique<Win32Form>(*this, design);
}

// The box belongs to the active form, if there is one, and every other form
// is disabled while it is open: it is modal to the whole program. The
// style's icon bits and MB_OK are the system's own numbers.
int Win32Toolkit::NativeMsgBox(std::string_view text, int style, std::string_view title) {
  const HWND active = GetActiveWindow();
  const HWND owner = active && IsForm(active) ? active : nullptr;
  std::vector<HWND> blocked;
  for (BasicForm* form : Forms()) {
    const HWND window = static_cast<Win32Form*>(form)->Window();
    if (window != owner && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      blocked.push_back(window);
    }
  }
  const int button = MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(),
                                 MB_OK | static_cast<UINT>(style & 0x70));
  for (HWND window : blocked) EnableWindow(window, TRUE);
  return button;
}

std::string Win32Toolkit::DecimalSeparator() const {
  wchar_t separator[8] = {};
  if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8)) return ".";
  return Narrow(separator);
}

int Win32Toolkit::Run() {
  MSG message{};
  while (!Ended() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, arrows, Enter, Esc and access keys work as in a dialog.
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && IsForm(root) && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace vemora
