#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/app_harness.h"
#include "support/row_name.h"

namespace vemora::testing_support {
namespace {

class MainWindowTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    Start();
  }
  QString Result() { return Main<QLineEdit>("Text_Summe")->text(); }
  // Replaces a field's text keystroke by keystroke, recording each result.
  std::vector<QString> TypeInto(const char* field, const QString& keys) {
    QLineEdit* edit = Main<QLineEdit>(field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    std::vector<QString> results;
    for (QChar key : keys) {
      QTest::keyClicks(edit, QString(key));
      results.push_back(Result());
    }
    return results;
  }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(MainWindowTest, PointSeparatorLocale) {
  QLocale::setDefault(QLocale::c());
  Main<QLineEdit>("Text_V6")->setText("50");
  EXPECT_EQ(Result(), "26.68");
}

TEST_F(MainWindowTest, EveryKeystrokeRecalculates) {
  const auto results = TypeInto("Text_V1", "1000");
  EXPECT_EQ(results, (std::vector<QString>{"8,9", "8,92", "9,1", "10,99"}));
}

TEST_F(MainWindowTest, Nw3ClearsCompressionWithTwoRuns) {
  Click(Main<QRadioButton>("Option_NW4"));
  QCheckBox* compression = Main<QCheckBox>("Check_L3");
  ASSERT_TRUE(compression->isEnabled());
  Click(compression);
  EXPECT_EQ(Result(), "12,35");
  const int before = toolkit.runs;
  Click(Main<QRadioButton>("Option_NW3"));
  EXPECT_EQ(toolkit.runs - before, 2);
  EXPECT_FALSE(compression->isChecked());
  EXPECT_FALSE(compression->isEnabled());
  EXPECT_EQ(Result(), "9,1");
  Click(Main<QRadioButton>("Option_NW4"));
  EXPECT_TRUE(compression->isEnabled());
  EXPECT_FALSE(compression->isChecked());
}

TEST_F(MainWindowTest, SuballocationAndMirroringSurviveVersionSwitches) {
  Click(Main<QCheckBox>("Check_L4"));
  Click(Main<QCheckBox>("Check_V2"));
  Click(Main<QRadioButton>("Option_NW4"));
  Click(Main<QRadioButton>("Option_NW3"));
  EXPECT_TRUE(Main<QCheckBox>("Check_L4")->isChecked());
  EXPECT_TRUE(Main<QCheckBox>("Check_V2")->isChecked());
  EXPECT_TRUE(Main<QCheckBox>("Check_L4")->isEnabled());
  // Mirroring halves the blocks only: 2048 + 10 + 110 + 102.4 + 2000 + 2000 + 3000.
  EXPECT_EQ(Result(), "9,05");
}

TEST_F(MainWindowTest, BlockSizeListOnly) {
  QComboBox* blocks = Main<QComboBox>("Combo_V3");
  EXPECT_FALSE(blocks->isEditable());
  EXPECT_EQ(blocks->count(), 6);
  blocks->setCurrentIndex(4);  // 64 KB: 1600 blocks, 12.8 KB
  EXPECT_EQ(Result(), "8,92");
}

TEST_F(MainWindowTest, TextTypedIntoTheResultIsReplaced) {
  const int before = toolkit.runs;
  QTest::keyClicks(Main<QLineEdit>("Text_Summe"), "abc");
  EXPECT_EQ(Result(), "9,1abc");
  EXPECT_EQ(toolkit.runs, before);
  TypeInto("Text_V7", "0");
  EXPECT_EQ(Result(), "9,05");
}

TEST_F(MainWindowTest, LongTextIsKeptWhole) {
  QLineEdit* other = Main<QLineEdit>("Text_L8");
  other->setText(QString(39996, '0') + "2000");
  EXPECT_EQ(other->text().size(), 40000);
  EXPECT_EQ(Result(), "8,13");
}

TEST_F(MainWindowTest, OverflowShowsTheErrorKeepsResultAndRuns) {
  QLineEdit* edit = Main<QLineEdit>("Text_V1");
  edit->setText("2147483648");
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].text, "Laufzeitfehler '6':\n\nÜberlauf");
  EXPECT_EQ(toolkit.boxes[0].title, "Vemora");
  EXPECT_EQ(Result(), "9,1");
  EXPECT_EQ(toolkit.endRequests, 0);
  EXPECT_TRUE(MainWindow()->isVisible());
  edit->setText("5");
  EXPECT_EQ(Result(), "8,91");
}

TEST_F(MainWindowTest, BeendenEndsTheProgram) {
  Click(Main<QPushButton>("Command2"));
  EXPECT_EQ(toolkit.endRequests, 1);
  EXPECT_FALSE(modul.vemora_Form.Loaded());
}

struct TabRow {
  const char* name;
  const char* selected;  // the option clicked first
  std::vector<QString> order;
};

class TabOrderTest : public MainWindowTest, public ::testing::WithParamInterface<TabRow> {};

// Real Tab keys: a disabled control is passed by, and the option group is
// entered only at its selected button.
TEST_P(TabOrderTest, TabKeysFollowTheTabIndex) {
  Click(Main<QRadioButton>(GetParam().selected));
  QWidget* window = MainWindow();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  Main<QLineEdit>("Text_V1")->setFocus();
  std::vector<QString> order;
  for (std::size_t i = 0; i < GetParam().order.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(QApplication::focusWidget()->objectName());
  }
  EXPECT_EQ(order, GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    Options, TabOrderTest,
    ::testing::Values(TabRow{"Nw3",
                             "Option_NW3",
                             {"Text_V6", "Text_V7", "Text_L8", "Combo_V3", "Check_V2", "Check_L4",
                              "Option_NW3", "Text_Summe", "Command2", "Text_V1"}},
                      TabRow{"Nw4",
                             "Option_NW4",
                             {"Text_V6", "Text_V7", "Text_L8", "Combo_V3", "Check_V2", "Check_L3",
                              "Check_L4", "Option_NW4", "Text_Summe", "Command2", "Text_V1"}}),
    RowName<TabRow>);

}  // namespace
}  // namespace vemora::testing_support
