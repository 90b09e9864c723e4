// The Qt animation view's picture: the player's frame centred at its natural
// size on the button face, every pixel as the clip's drawing has it.
#include "toolkit_qt/animation_view.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>

#include "clip/avi_test_files.h"
#include "clip_drawing.h"
#include "support/os_helpers.h"

namespace vemora {
namespace {

constexpr int kViewWidth = 81;
constexpr int kViewHeight = 61;

// Pixels of the view's shot that differ from what `expected` gives for them.
template <class Expected>
int WrongPixels(AnimationView& view, Expected expected) {
  const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  int wrong = 0;
  for (int y = 0; y < kViewHeight; ++y) {
    for (int x = 0; x < kViewWidth; ++x) wrong += shot.pixel(x, y) != expected(x, y);
  }
  return wrong;
}

class AnimationViewTest : public testing::Test {
 protected:
  void SetUp() override { view_.resize(kViewWidth, kViewHeight); }
  QRgb Button() const { return view_.palette().color(QPalette::Button).rgb(); }
  // The drawing's frame `frame`, centred, on the button face.
  int WrongAgainst(const clipgen::DrawnClip& drawn, int frame) {
    const int left = (kViewWidth - drawn.width) / 2, top = (kViewHeight - drawn.height) / 2;
    return WrongPixels(view_, [&](int x, int y) {
      const bool inside = x >= left && x < left + drawn.width && y >= top && y < top + drawn.height;
      return inside ? 0xFF000000u |
                          drawn.palette[drawn.frames[frame][(y - top) * drawn.width + (x - left)]]
                    : Button();
    });
  }
  AnimationView view_;
  testing_support::TempDir dir_;
};

// The shot and the frame number are taken without events in between, so
// they belong together; the timer steps on to the last frame and round.
TEST_F(AnimationViewTest, ShowsEachFrameOfOurClip) {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  ClipPlayer& player = view_.Player();
  ASSERT_TRUE(player.Open(VEMORA_CLIP_FILE));
  EXPECT_EQ(WrongAgainst(drawn, 0), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.CurrentFrame() != 0; }, 2000));
  EXPECT_EQ(WrongAgainst(drawn, player.CurrentFrame()), 0) << "frame " << player.CurrentFrame();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return player.CurrentFrame() == player.FrameCount() - 1; }, 10000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.CurrentFrame() == 0; }, 2000));
}

// After a good clip, so that the bad one must also clear what was shown.
TEST_F(AnimationViewTest, BadClipShowsOnlyTheButtonFace) {
  ASSERT_TRUE(view_.Player().Open(VEMORA_CLIP_FILE));
  EXPECT_FALSE(
      view_.Player().Open(avi_testing::WriteBytes(dir_ / "quorl.avi", {'R', 'I', 'F', 'F'})));
  EXPECT_EQ(WrongPixels(view_, [&](int, int) { return Button(); }), 0);
}

}  // namespace
}  // namespace vemora
