// The toolkit contract on user32, gdi32 and comctl32: forms from design
// tables on the system's own controls, message boxes, program start, the
// user's decimal separator, and the message loop that ends when the last
// form is unloaded or the program is asked to end.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/toolkit.h"
#include "toolkit_win32/font_cache.h"

namespace vemora {

class Win32Toolkit : public Toolkit {
 public:
  explicit Win32Toolkit(AppInfo app);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  std::unique_ptr<Form> CreateForm(const FormDesign& design) override;
  const AppInfo& App() const override { return app_; }
  int MsgBox(std::string_view text, int style, std::string_view title = {}) override;
  void StartProgram(const std::string& path) override;
  std::string FileLookup(const std::string& path) override;
  void EndProgram() override;
  std::string DecimalSeparator() const override;

  // Runs the message loop until the last form is unloaded or the program
  // is ended; returns at once if that has already happened.
  int Run();
  bool EndRequested() const { return endRequested_; }
  HICON Icon() const { return icon_; }
  FontCache& Fonts() { return fonts_; }
  void FormLoaded(HWND form);
  void FormUnloaded(HWND form);

 private:
  AppInfo app_;
  HICON icon_ = nullptr, smallIcon_ = nullptr;
  FontCache fonts_;
  std::vector<HWND> forms_;
  bool endRequested_ = false;
};

}  // namespace vemora
