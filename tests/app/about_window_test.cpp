#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/app_harness.h"

namespace vemora::testing_support {
namespace {

class AboutWindowTest : public AppHarness {
 protected:
  void ClickLogo() { QTest::mouseClick(Main<QLabel>("Logo"), Qt::LeftButton); }
  QString Caption(const char* label) { return About<QLabel>(label)->text(); }
};

// A missing clip leaves the box empty and says nothing.
TEST_F(AboutWindowTest, TwoLogoClicksGiveOneWindow) {
  ClickLogo();
  QWidget* first = AboutWindow();
  ClickLogo();
  EXPECT_EQ(AboutWindow(), first);
  EXPECT_TRUE(toolkit.boxes.empty());
}

// The second opening is a fresh load, filled again.
TEST_F(AboutWindowTest, ReopenedWindowIsFilledAgain) {
  ClickLogo();
  QTest::keyClick(AboutWindow(), Qt::Key_Escape);
  ASSERT_FALSE(modul.Info_Form.Loaded());
  ClickLogo();
  EXPECT_EQ(Caption("LabelVersion"), "Version 2.3");
}

TEST_F(AboutWindowTest, MainWindowStillRecalculates) {
  ClickLogo();
  Main<QLineEdit>("Text_V6")->setText("50");
  EXPECT_EQ(Main<QLineEdit>("Text_Summe")->text(), "26,68");
  EXPECT_TRUE(AboutWindow()->isVisible());
}

// The program's event loop ends when the About window, the last one, closes,
// not when the main window does.
TEST_F(AboutWindowTest, ClosingMainThroughFrameKeepsProgramUntilAboutCloses) {
  ClickLogo();
  bool aboutOpenAfterMainClosed = false;
  QTimer::singleShot(0, [&] {
    MainWindow()->close();
    QTimer::singleShot(0, [&] {
      aboutOpenAfterMainClosed = AboutWindow() != nullptr && AboutWindow()->isVisible();
      AboutWindow()->close();
    });
  });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(aboutOpenAfterMainClosed);
  EXPECT_FALSE(modul.vemora_Form.Loaded());
  EXPECT_FALSE(modul.Info_Form.Loaded());
  EXPECT_EQ(toolkit.endRequests, 0);
}

// Enter on the focused button runs it, as a click would, and the window stays.
TEST_F(AboutWindowTest, EnterOnFocusedSysInfoRunsItAndStaysOpen) {
  ClickLogo();
  AboutWindow()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(AboutWindow()));
  About<QPushButton>("cbSysInfo")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(toolkit.boxes,
            (std::vector<ShownBox>{
                {"Systeminformationsprogramm zur Zeit nicht verfügbar.", 0, "Vemora"}}));
  EXPECT_TRUE(AboutWindow()->isVisible());
}

}  // namespace
}  // namespace vemora::testing_support
