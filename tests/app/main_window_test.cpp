#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include "app/app_harness.h"

namespace vemora::testing_support {
namespace {

class MainWindowTest : public AppHarness {
 protected:
  QString Result() { return Main<QLineEdit>("Text_Summe")->text(); }
  void Click(const char* name) { QTest::mouseClick(Main<QAbstractButton>(name), Qt::LeftButton); }
};

// Clearing the compression tick recalculates on its own, then NW 3.1x again.
TEST_F(MainWindowTest, Nw3ClearingCompressionRunsTwice) {
  Click("Option_NW4");
  Click("Check_L3");
  const int before = toolkit.runs;
  Click("Option_NW3");
  EXPECT_EQ(toolkit.runs - before, 2);
}

TEST_F(MainWindowTest, TextTypedIntoTheResultIsReplaced) {
  const int before = toolkit.runs;
  QTest::keyClicks(Main<QLineEdit>("Text_Summe"), "abc");
  EXPECT_EQ(Result(), "9,1abc");
  EXPECT_EQ(toolkit.runs, before);
  Main<QLineEdit>("Text_V7")->setText("0");
  EXPECT_EQ(Result(), "9,05");
}

TEST_F(MainWindowTest, LongTextIsKeptWhole) {
  QLineEdit* other = Main<QLineEdit>("Text_L8");
  other->setText(QString(39996, '0') + "2000");
  EXPECT_EQ(other->text().size(), 40000);
  EXPECT_EQ(Result(), "8,13");
}

TEST_F(MainWindowTest, OverflowShowsTheRunTimeError) {
  Main<QLineEdit>("Text_V1")->setText("2147483648");
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0], "Laufzeitfehler '6':\n\nÜberlauf");
  EXPECT_EQ(toolkit.endRequests, 0);
}

// Real Tab keys, with NW 3.1x selected: the disabled compression is passed
// by, and the option group is entered only at its selected button.
TEST_F(MainWindowTest, TabKeysFollowTheTabIndex) {
  QWidget* window = MainWindow();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  Main<QLineEdit>("Text_V1")->setFocus();
  std::vector<QString> order;
  for (int i = 0; i < 10; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(QApplication::focusWidget()->objectName());
  }
  EXPECT_EQ(order,
            (std::vector<QString>{"Text_V6", "Text_V7", "Text_L8", "Combo_V3", "Check_V2",
                                  "Check_L4", "Option_NW3", "Text_Summe", "Command2", "Text_V1"}));
}

}  // namespace
}  // namespace vemora::testing_support
