#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "app/app_harness.h"
#include "support/row_name.h"

namespace vemora::testing_support {
namespace {

class StartupTest : public AppHarness {};

TEST_F(StartupTest, CaptionAndVersionTexts) {
  Start();
  EXPECT_EQ(MainWindow()->windowTitle(),
            "Vemora - Version 2.3   Copyright © 2026 Die Vemora-Entwickler");
  EXPECT_TRUE(MainWindow()->isVisible());
  EXPECT_EQ(toolkit.runs, 1);  // the load's run only, none on showing
  EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(StartupTest, SecondCopyShowsMessageAndEnds) {
  Start(true);
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].text, "Vemora ist schon einmal geladen !");
  EXPECT_EQ(toolkit.boxes[0].style, 64);
  EXPECT_EQ(toolkit.boxes[0].title, "Vemora");
  EXPECT_EQ(toolkit.endRequests, 1);
  EXPECT_FALSE(modul.vemora_Form.Loaded());
  EXPECT_EQ(toolkit.runs, 0);
}

struct VersionRow {
  const char* name;
  std::int16_t major, minor, revision;
  const char* copyright;
  const char* version;
  const char* revisionText;
  const char* caption;
};

class VersionTextTest : public ::testing::TestWithParam<VersionRow> {};

TEST_P(VersionTextTest, PlainDecimalNumbers) {
  AppInfo app = TestApp();
  app.Major = GetParam().major;
  app.Minor = GetParam().minor;
  app.Revision = GetParam().revision;
  app.LegalCopyright = GetParam().copyright;
  RecordingToolkit toolkit(app);
  RegistryStore registry;
  VemoraModul modul(toolkit, registry);
  modul.Main(false);
  EXPECT_EQ(modul.VersionText, GetParam().version);
  EXPECT_EQ(modul.RevisionText, GetParam().revisionText);
  EXPECT_EQ(modul.vemora_Form().Window().Caption(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Values, VersionTextTest,
                         ::testing::Values(VersionRow{"MinorTen", 2, 10, 12, "c", "Version 2.10",
                                                      "Revision 12", "Vemora - Version 2.10   c"},
                                           VersionRow{"EmptyCopyrightEndsInThreeBlanks", 2, 3, 3,
                                                      "", "Version 2.3", "Revision 3",
                                                      "Vemora - Version 2.3   "}),
                         RowName<VersionRow>);

TEST_F(StartupTest, LoadSeesTheDesignCaption) {
  // Loading alone runs the first calculation and leaves the design caption.
  QWidget* window = static_cast<QtForm&>(modul.vemora_Form().Window()).Window();
  EXPECT_EQ(window->windowTitle(), "Vemora");
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->findChild<QLineEdit*>("Text_Summe")->text(), "9,1");
}

struct DialogRow {
  const char* name;
  int style;
  const char* title;
  QMessageBox::Icon icon;
  const char* shownTitle;
};

class RealMessageBoxTest : public ::testing::TestWithParam<DialogRow> {};

// The real dialog: modal, with the title defaulting to the program's.
TEST_P(RealMessageBoxTest, ShowsTextIconAndTitle) {
  QtToolkit toolkit(TestApp());
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

INSTANTIATE_TEST_SUITE_P(
    Styles, RealMessageBoxTest,
    ::testing::Values(DialogRow{"InformationDefaultTitle", 64, "", QMessageBox::Information,
                                "Vemora"},
                      DialogRow{"OkOnly", 0, "", QMessageBox::NoIcon, "Vemora"},
                      DialogRow{"OwnTitle", 16, "Fehler", QMessageBox::Critical, "Fehler"}),
    RowName<DialogRow>);

}  // namespace
}  // namespace vemora::testing_support
