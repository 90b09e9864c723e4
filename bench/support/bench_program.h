// The program's module on real widgets with the application object of this
// build, so that the About window finds the clip beside the executable. A
// message box would wait for a click; here it ends the run with its text.
#pragma once

#include <QWidget>

#include "app/vemora_modul.h"
#include "os/registry.h"
#include "toolkit_qt/qt_toolkit.h"

namespace vemora::bench {

class FailingToolkit : public QtToolkit {
 public:
  FailingToolkit();
  int MsgBox(std::string_view text, int style, std::string_view title) override;
};

// The module, before Main.
struct BenchModule {
  FailingToolkit toolkit;
  RegistryStore registry;
  VemoraModul modul{toolkit, registry};
};

// Main has run: the main window is loaded and shown.
struct StartedProgram : BenchModule {
  StartedProgram();
  QWidget* MainWindow() const;
  template <class W>
  W* Main(const char* name) const {
    return MainWindow()->findChild<W*>(name);
  }
};

// The widget that shows a form.
QWidget* WindowOf(Form& form);

}  // namespace vemora::bench
