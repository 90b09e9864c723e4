#include <QLabel>
#include <QRadioButton>
#include <map>

#include "app/app_harness.h"

namespace vemora::testing_support {
namespace {

struct Look {
  QRect geometry;
  double fontSize;
};

class ScalingTest : public AppHarness {
 protected:
  void SetUp() override {
    AppHarness::SetUp();
    loadLayout = Layout();
  }
  std::map<QString, Look> Layout() {
    std::map<QString, Look> layout;
    for (Control* control : Window().Controls()) {
      QWidget* w = static_cast<QtControl*>(control)->Widget();
      layout[w->objectName()] = {w->geometry(), w->font().pointSizeF()};
    }
    return layout;
  }
  Form& Window() { return modul.vemora_Form.Get()->Window(); }
  std::map<QString, Look> loadLayout;
};

TEST_F(ScalingTest, LabelFontsBecomeWholeAtLoadSize) {
  // The client area's 446 x 358 pixels with the sizable frame's 8 x 27.
  EXPECT_EQ(Window().Get(Prop::Width), 6810);
  EXPECT_EQ(Window().Get(Prop::Height), 5775);
  // Showing the window resized it once, at its load size.
  EXPECT_EQ(loadLayout["Label_V1"].fontSize, 10);
  EXPECT_EQ(loadLayout["Label_Summe"].fontSize, 12);
}

TEST_F(ScalingTest, TwiceTheSizeDoublesEveryControl) {
  Window().Set(Prop::Height, 2 * Window().Get(Prop::Height));
  Window().Set(Prop::Width, 2 * Window().Get(Prop::Width));
  const auto big = Layout();
  for (const auto& [name, look] : loadLayout) {
    EXPECT_NEAR(big.at(name).geometry.width(), 2 * look.geometry.width(), 1) << name.toStdString();
    EXPECT_NEAR(big.at(name).geometry.top(), 2 * look.geometry.top(), 1) << name.toStdString();
  }
  EXPECT_EQ(big.at("Label_V1").fontSize, 20);
  // Inside the frame, places stay relative to the frame.
  QWidget* nw4 = Main<QRadioButton>("Option_NW4");
  EXPECT_EQ(nw4->parentWidget()->objectName(), "Frame1");
  EXPECT_NEAR(nw4->x(), 2 * loadLayout["Option_NW4"].geometry.x(), 1);
}

}  // namespace
}  // namespace vemora::testing_support
