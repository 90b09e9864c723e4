#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <fstream>

#include "app/app_harness.h"
#include "avi_writer.h"
#include "clip/avi_test_files.h"
#include "support/os_helpers.h"
#include "toolkit_qt/animation_view.h"

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

TEST_F(AboutWindowTest, BeendenClosesItWithTheProgram) {
  ClickLogo();
  QWidget* about = AboutWindow();
  QTest::mouseClick(Main<QPushButton>("Command2"), Qt::LeftButton);
  EXPECT_EQ(toolkit.endRequests, 1);
  EXPECT_FALSE(about->isVisible());
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
  EXPECT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_TRUE(AboutWindow()->isVisible());
}

// Resident memory of this process in MiB.
double ResidentMiB() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576;
}

// The largest picture the reader takes, in a file of a few hundred bytes:
// 4096 x 4096 RLE8, two frames that end at once. One decoded frame is 64 MiB.
TEST(AboutClipTest, LargeClipGivesItsMemoryBackWhenTheWindowCloses) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine";
#endif
  TempDir dir;
  const clipgen::AviVideo video{4096,
                                4096,
                                8,
                                clipgen::kBiRle8,
                                std::vector<std::uint32_t>(16, 0x336699),
                                100000,
                                {{0, 1}, {0, 1}}};
  avi_testing::WriteBytes(dir / "quorl.avi", clipgen::WriteAvi(video));
  AppInfo app = TestApp();
  app.Path = dir.Path();
  RecordingToolkit withClip(app);
  RegistryStore registry;
  VemoraModul program(withClip, registry);
  program.Main(false);
  const double before = ResidentMiB();
  program.Info_Form().Window().Show();
  QWidget* about = static_cast<QtForm&>(program.Info_Form().Window()).Window();
  ASSERT_EQ(about->findChild<AnimationView*>("Animation1")->FrameCount(), 2);
  const double shown = ResidentMiB();
  QTest::mouseClick(about->findChild<QPushButton*>("cbOK"), Qt::LeftButton);
  ASSERT_FALSE(program.Info_Form.Loaded());
  const double after = ResidentMiB();
  EXPECT_GT(shown - before, 64) << "the frame shown is not resident: nothing measured";
  EXPECT_LT(after - before, 8) << "before " << before << ", shown " << shown << ", after " << after
                               << " MiB";
}

}  // namespace
}  // namespace vemora::testing_support
