#include "support/bench_program.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/program.h"
#include "toolkit_qt/qt_form.h"

namespace vemora::bench {

FailingToolkit::FailingToolkit() : QtToolkit(ApplicationObject()) {}

int FailingToolkit::MsgBox(std::string_view text, int, std::string_view) {
  std::fprintf(stderr, "Unexpected message box: %s\n", std::string(text).c_str());
  std::exit(1);
}

StartedProgram::StartedProgram() {
  modul.Main(false);
}

QWidget* StartedProgram::MainWindow() const {
  return WindowOf(modul.vemora_Form.Get()->Window());
}

QWidget* WindowOf(Form& form) {
  return static_cast<QtForm&>(form).Window();
}

}  // namespace vemora::bench
