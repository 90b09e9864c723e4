// The toolkit in the browser: forms in the page, message boxes modal to the
// page, the decimal separator of the browser's language, and the end of the
// page when the program ends.
#pragma once

#include <string>

#include "toolkit/basic_toolkit.h"
#include "toolkit_web/message_box.h"

namespace vemora {

class WebToolkit : public BasicToolkit {
 public:
  // `iconPath`: the program's icon (a PNG) among the page's files.
  WebToolkit(AppInfo app, const std::string& iconPath);

  std::unique_ptr<Form> CreateForm(const FormDesign& design) override;
  std::string DecimalSeparator() const override { return separator_; }
  // The icon as an address an image element can show.
  const std::string& IconUrl() const { return iconUrl_; }
  // The stacking order for a window brought to the front.
  int NextZ() { return ++topZ_; }
  // Whether another tab of this page already runs the program; the page
  // asked before the program started.
  static bool PrevInstance();

 private:
  int NativeMsgBox(std::string_view text, int style, std::string_view title) override;
  void NativeQuit() override;
  void EndPage();

  std::string separator_;
  std::string iconUrl_;
  int topZ_ = 10;
  bool quitting_ = false;
  MessageBoxes boxes_;
};

}  // namespace vemora
