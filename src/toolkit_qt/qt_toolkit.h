// The toolkit on Qt Widgets: creates forms, shows message boxes, starts
// programs, and ends the program when its last form is unloaded.
#pragma once

#include <QFont>
#include <QIcon>

#include "toolkit/toolkit.h"

namespace vemora {

class QtToolkit : public Toolkit {
 public:
  explicit QtToolkit(AppInfo app);

  std::unique_ptr<Form> CreateForm(const FormDesign& design) override;
  const AppInfo& App() const override { return app_; }
  int MsgBox(std::string_view text, int style, std::string_view title = {}) override;
  void StartProgram(const std::string& path) override;
  std::string FileLookup(const std::string& path) override;
  void EndProgram() override;
  std::string DecimalSeparator() const override;

  const QIcon& Icon() const { return icon_; }
  const QFont& DefaultFont() const { return font_; }
  // Loaded forms are counted: the program ends when the last one unloads.
  void FormLoaded() { ++loadedForms_; }
  void FormUnloaded();

 private:
  AppInfo app_;
  QIcon icon_;
  QFont font_;
  int loadedForms_ = 0;
};

// The program's icon, 32 x 32 and 16 x 16.
QIcon ProgramIcon();

}  // namespace vemora
