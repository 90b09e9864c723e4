// The Qt toolkit with its message boxes' texts and the program's end recorded
// instead of shown, and the decimal separator's use counted (one per run of
// the calculation).
#pragma once

#include <string>
#include <vector>

#include "toolkit_qt/qt_toolkit.h"

namespace vemora::testing_support {

class RecordingToolkit : public QtToolkit {
 public:
  using QtToolkit::QtToolkit;
  int MsgBox(std::string_view text, int, std::string_view) override {
    boxes.emplace_back(text);
    return 1;
  }
  void EndProgram() override {
    ++endRequests;
    QtToolkit::EndProgram();
  }
  std::string DecimalSeparator() const override {
    ++runs;
    return QtToolkit::DecimalSeparator();
  }

  std::vector<std::string> boxes;
  int endRequests = 0;
  mutable int runs = 0;
};

inline AppInfo TestApp() {
  AppInfo app;
  app.Title = "Vemora";
  app.Major = 2;
  app.Minor = 3;
  app.Revision = 3;
  app.LegalCopyright = "Copyright © 2026 Die Vemora-Entwickler";
  app.Path = "/nonexistent";
  return app;
}

}  // namespace vemora::testing_support
