// The toolkit on Qt Widgets: forms, the program-modal message box, the
// user's decimal separator, and the end of Qt's event loop.
#pragma once

#include <QIcon>

#include "toolkit/basic_toolkit.h"

namespace vemora {

class QtToolkit : public BasicToolkit {
 public:
  explicit QtToolkit(AppInfo app);

  std::unique_ptr<Form> CreateForm(const FormDesign& design) override;
  std::string DecimalSeparator() const override;
  const QIcon& Icon() const { return icon_; }

 private:
  int NativeMsgBox(std::string_view text, int style, std::string_view title) override;
  void NativeQuit() override;

  QIcon icon_;
};

// The program's icon, 32 x 32 and 16 x 16.
QIcon ProgramIcon();

}  // namespace vemora
