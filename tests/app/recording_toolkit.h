// The Qt toolkit with its message boxes recorded instead of shown (text,
// style and the title as shown), the program's end counted, and the decimal
// separator's use counted (one per run of the calculation).
#pragma once

#include <string>
#include <vector>

#include "toolkit_qt/qt_toolkit.h"

namespace vemora::testing_support {

struct ShownBox {
  std::string text;
  int style;
  std::string title;
  bool operator==(const ShownBox&) const = default;
};

class RecordingToolkit : public QtToolkit {
 public:
  using QtToolkit::QtToolkit;
  void EndProgram() override {
    ++endRequests;
    QtToolkit::EndProgram();
  }
  std::string DecimalSeparator() const override {
    ++runs;
    return QtToolkit::DecimalSeparator();
  }

  std::vector<ShownBox> boxes;
  int endRequests = 0;
  mutable int runs = 0;

 private:
  int NativeMsgBox(std::string_view text, int style, std::string_view title) override {
    boxes.push_back({std::string(text), style, std::string(title)});
    return 1;
  }
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
