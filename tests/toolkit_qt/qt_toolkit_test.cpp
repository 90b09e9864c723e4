#include "toolkit_qt/qt_toolkit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "runtime/runtime_error.h"
#include "support/os_helpers.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::TempDir;

AppInfo App() {
  AppInfo app;
  app.Title = "Vemora";
  return app;
}

struct DialogRow {
  const char* name;
  int style;
  const char* title;
  QMessageBox::Icon icon;
  const char* shownTitle;
};

class RealMessageBoxTest : public testing::TestWithParam<DialogRow> {};

// The real dialog: modal, with the title defaulting to the program's.
TEST_P(RealMessageBoxTest, ShowsTextIconAndTitle) {
  QtToolkit toolkit(App());
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text(), title = box->windowTitle(), icon = box->icon();
    box->accept();
  });
  EXPECT_EQ(toolkit.MsgBox("Vemora ist schon einmal geladen !", GetParam().style, GetParam().title),
            1);
  EXPECT_EQ(text, "Vemora ist schon einmal geladen !");
  EXPECT_EQ(title, GetParam().shownTitle);
  EXPECT_EQ(icon, GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(Styles, RealMessageBoxTest,
                         testing::Values(DialogRow{"InformationDefaultTitle", 64, "",
                                                   QMessageBox::Information, "Vemora"},
                                         DialogRow{"OkOnly", 0, "", QMessageBox::NoIcon, "Vemora"},
                                         DialogRow{"OwnTitle", 16, "Fehler", QMessageBox::Critical,
                                                   "Fehler"}),
                         testing_support::RowName<DialogRow>);

TEST(QtToolkitStartProgram, StartsTheProgram) {
  TempDir dir;
  testing_support::WriteMarkerScript(dir / "marker", dir / "started");
  QtToolkit(App()).StartProgram(dir / "marker");
  EXPECT_TRUE(testing_support::WaitForFile(dir / "started"));
}

TEST(QtToolkitStartProgram, MissingProgramRaisesFileNotFound) {
  TempDir dir;
  try {
    QtToolkit(App()).StartProgram(dir / "missing");
    ADD_FAILURE() << "no run-time error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Code(), 53);
  }
}

}  // namespace
}  // namespace vemora
