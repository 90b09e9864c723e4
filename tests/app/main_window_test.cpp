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

TEST_F(MainWindowTest, OverflowShowsTheRunTimeError) {
  Main<QLineEdit>("Text_V1")->setText("2147483648");
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0], (ShownBox{"Laufzeitfehler '6':\n\nÜberlauf", 16, "Vemora"}));
  EXPECT_EQ(toolkit.endRequests, 0);
}

}  // namespace
}  // namespace vemora::testing_support
