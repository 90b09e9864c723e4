#include "toolkit_win32/win32_toolkit.h"

#include <commctrl.h>

#include <algorithm>

#include "os/process.h"
#include "os/wide_text.h"
#include "runtime/runtime_error.h"
#include "toolkit_win32/animation_window.h"
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
    : app_(std::move(app)), icon_(LoadProgramIcon(32)), smallIcon_(LoadProgramIcon(16)) {
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

// The style's icon bits and MB_OK are the system's own numbers. The box
// belongs to the active window of the program, if there is one.
int Win32Toolkit::MsgBox(std::string_view text, int style, std::string_view title) {
  const HWND active = GetActiveWindow();
  const HWND owner = active && IsForm(active) ? active : nullptr;
  return MessageBoxW(owner, WideFromUtf8(text).c_str(),
                     WideFromUtf8(title.empty() ? app_.Title : title).c_str(),
                     MB_OK | static_cast<UINT>(style & 0x70));
}

void Win32Toolkit::StartProgram(const std::string& path) {
  if (!vemora::StartProgram(path)) Raise(ErrorNumber::kFileNotFound);
}

std::string Win32Toolkit::FileLookup(const std::string& path) {
  return vemora::FileLookup(path);
}

void Win32Toolkit::EndProgram() {
  endRequested_ = true;
  for (HWND form : forms_) ShowWindow(form, SW_HIDE);
  PostQuitMessage(0);
}

std::string Win32Toolkit::DecimalSeparator() const {
  wchar_t separator[8] = {};
  if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8)) return ".";
  return Narrow(separator);
}

int Win32Toolkit::Run() {
  MSG message{};
  while (!endRequested_ && !forms_.empty() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, arrows, Enter, Esc and access keys work as in a dialog.
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && IsForm(root) && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

void Win32Toolkit::FormLoaded(HWND form) {
  forms_.push_back(form);
}

void Win32Toolkit::FormUnloaded(HWND form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (forms_.empty()) PostQuitMessage(0);
}

}  // namespace vemora
