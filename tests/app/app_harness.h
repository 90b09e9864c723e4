// The whole program on real widgets, started: the module with the recording
// toolkit, an empty registry, and a fixed locale.
#pragma once

#include <gtest/gtest.h>

#include <QLocale>
#include <QTest>
#include <QWidget>

#include "app/recording_toolkit.h"
#include "app/vemora_modul.h"
#include "os/registry.h"
#include "toolkit_qt/qt_form.h"

namespace vemora::testing_support {

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
