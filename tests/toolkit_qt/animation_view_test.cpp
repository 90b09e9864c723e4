#include "toolkit_qt/animation_view.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>

#include "clip/avi_test_files.h"
#include "clip_drawing.h"
#include "support/os_helpers.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using testing_support::TempDir;

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
  AnimationView view_;
  TempDir dir_;
};

TEST_F(AnimationViewTest, PlaysOurClipCentredAtItsNaturalSizeAndRepeats) {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  ASSERT_TRUE(view_.Open(VEMORA_CLIP_FILE));
  EXPECT_EQ(view_.FrameCount(), static_cast<int>(drawn.frames.size()));
  EXPECT_TRUE(view_.IsPlaying());
  // The shot and the frame number are taken without events in between, so
  // they belong together.
  const auto check = [&] {
    const int frame = view_.CurrentFrame();
    const int left = (kViewWidth - drawn.width) / 2;
    const int top = (kViewHeight - drawn.height) / 2;
    EXPECT_EQ(WrongPixels(view_,
                          [&](int x, int y) {
                            const int at = (y - top) * drawn.width + (x - left);
                            const bool inside = x >= left && x < left + drawn.width && y >= top &&
                                                y < top + drawn.height;
                            return inside ? 0xFF000000u | drawn.palette[drawn.frames[frame][at]]
                                          : Button();
                          }),
              0)
        << "frame " << frame;
    return frame;
  };
  EXPECT_EQ(check(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_.CurrentFrame() != 0; }, 2000));
  check();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return view_.CurrentFrame() == view_.FrameCount() - 1; }, 10000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_.CurrentFrame() == 0; }, 2000));
  EXPECT_TRUE(view_.IsPlaying());
}

TEST_F(AnimationViewTest, OneFrameClipIsShownStill) {
  clipgen::AviVideo video = avi_testing::SmallRleVideo();
  video.frames.resize(1);
  ASSERT_TRUE(view_.Open(avi_testing::WriteBytes(dir_ / "one.avi", clipgen::WriteAvi(video))));
  EXPECT_EQ(view_.FrameCount(), 1);
  EXPECT_FALSE(view_.IsPlaying());
  EXPECT_GT(WrongPixels(view_, [&](int, int) { return Button(); }), 0);
}

// After a good clip, so that the bad one must also clear what was shown. Which
// damage the reader refuses is the reader's own table.
TEST_F(AnimationViewTest, BadClipEmptiesTheControl) {
  ASSERT_TRUE(view_.Open(VEMORA_CLIP_FILE));
  EXPECT_FALSE(view_.Open(avi_testing::WriteBytes(dir_ / "quorl.avi", {'R', 'I', 'F', 'F'})));
  EXPECT_EQ(view_.FrameCount(), 0);
  EXPECT_EQ(view_.CurrentFrame(), 0);
  EXPECT_FALSE(view_.IsPlaying());  // no timer left to step an empty control
  EXPECT_EQ(WrongPixels(view_, [&](int, int) { return Button(); }), 0);
  EXPECT_FALSE(view_.Open(dir_ / "missing.avi"));
}

}  // namespace
}  // namespace vemora
