// The whole program on real widgets, started: the module with the Qt
// toolkit's message boxes recorded instead of shown (text, style and the
// title as shown), the program's end counted, the decimal separator's use
// counted (one per run of the calculation), an empty registry, and a fixed
// locale.
#pragma once

#include <gtest/gtest.h>

#include <QLocale>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "app/vemora_modul.h"
#include "os/registry.h"
#include "toolkit_qt/qt_form.h"
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

class AppHarness : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    modul.Main(false);
  }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }

  QWidget* MainWindow() { return Widget(modul.vemora_Form.Get()); }
  QWidget* AboutWindow() { return Widget(modul.Info_Form.Get()); }
  template <class W>
  W* Main(const char* name) {
    return MainWindow()->findChild<W*>(name);
  }
  template <class W>
  W* About(const char* name) {
    return AboutWindow()->findChild<W*>(name);
  }

  RecordingToolkit toolkit{TestApp()};
  RegistryStore registry;
  VemoraModul modul{toolkit, registry};

 private:
  template <class F>
  static QWidget* Widget(F* form) {
    return form ? static_cast<QtForm&>(form->Window()).Window() : nullptr;
  }
};

}  // namespace vemora::testing_support
