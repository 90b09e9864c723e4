// The toolkit contract on user32, gdi32 and comctl32: forms on the system's
// own controls, the program-modal message box, the user's decimal
// separator, and the message loop that ends with the program.
#pragma once

#include <windows.h>

#include "toolkit/basic_toolkit.h"
#include "toolkit_win32/font_cache.h"

namespace vemora {

class Win32Toolkit : public BasicToolkit {
 public:
  explicit Win32Toolkit(AppInfo app);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  std::unique_ptr<Form> CreateForm(const FormDesign& design) override;
  std::string DecimalSeparator() const override;

  // Runs the message loop until the program ends; returns at once if it
  // already has.
  int Run();
  HICON Icon() const { return icon_; }
  FontCache& Fonts() { return fonts_; }

 private:
  int NativeMsgBox(std::string_view text, int style, std::string_view title) override;
  void NativeQuit() override { PostQuitMessage(0); }

  HICON icon_ = nullptr, smallIcon_ = nullptr;
  FontCache fonts_;
};

}  // namespace vemora
