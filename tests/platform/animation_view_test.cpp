#include "platform/animation_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <memory>
#include <optional>

#include "avi_test_files.h"
#include "clip_drawing.h"
#include "platform/avi_reader.h"
#include "support/row_name.h"

namespace vemora {
namespace {

using avi_testing::BadClip;
using avi_testing::TempDir;

// One QApplication for the whole binary. The GUI tests' own main makes it;
// should this binary run with another main, the environment makes it.
class QtEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "animation_view_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] testing::Environment* const kQtEnvironment = testing::AddGlobalTestEnvironment(new QtEnvironment);

constexpr int kViewWidth = 81;
constexpr int kViewHeight = 61;

QImage Shot(AnimationView& view) { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Every pixel of the shot is the button colour.
bool OnlyBackground(AnimationView& view) {
  const QImage shot = Shot(view);
  const QRgb button = view.palette().color(QPalette::Button).rgb();
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (shot.pixel(x, y) != button) return false;
    }
  }
  return true;
}

class AnimationViewTest : public testing::Test {
 protected:
  void SetUp() override { view_.resize(kViewWidth, kViewHeight); }
  AnimationView view_;
  TempDir dir_;
};

TEST_F(AnimationViewTest, PlaysOurClipCentredAtItsNaturalSize) {
  const clipgen::DrawnClip drawn = clipgen::DrawMemoryClip();
  ASSERT_TRUE(view_.Open(VEMORA_CLIP_FILE));
  EXPECT_EQ(view_.FrameCount(), static_cast<int>(drawn.frames.size()));
  EXPECT_EQ(view_.CurrentFrame(), 0);
  EXPECT_TRUE(view_.IsPlaying());

  // The shot and the frame number are taken without events in between, so
  // they belong together.
  const auto check = [&] {
    const int frame = view_.CurrentFrame();
    const QImage shot = Shot(view_);
    const int left = (kViewWidth - drawn.width) / 2;
    const int top = (kViewHeight - drawn.height) / 2;
    const QRgb button = view_.palette().color(QPalette::Button).rgb();
    int wrong = 0;
    for (int y = 0; y < kViewHeight; ++y) {
      for (int x = 0; x < kViewWidth; ++x) {
        const bool inside = x >= left && x < left + drawn.width && y >= top && y < top + drawn.height;
        const QRgb expected =
            inside ? 0xFF000000u | drawn.palette[drawn.frames[static_cast<std::size_t>(frame)]
                                                             [static_cast<std::size_t>((y - top) * drawn.width + (x - left))]]
                   : button;
        if (shot.pixel(x, y) != expected) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << "frame " << frame;
    return frame;
  };
  const int first = check();
  // It moves on by itself, and comes round to the first frame again.
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_.CurrentFrame() != first; }, 2000));
  check();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_.CurrentFrame() == view_.FrameCount() - 1; }, 10000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_.CurrentFrame() == 0; }, 2000));
  EXPECT_TRUE(view_.IsPlaying());
}

TEST_F(AnimationViewTest, FrameRateFollowsTheClip) {
  ASSERT_TRUE(view_.Open(VEMORA_CLIP_FILE));
  const std::optional<AviClip> clip = ReadAviFile(VEMORA_CLIP_FILE);
  ASSERT_TRUE(clip.has_value());
  QElapsedTimer elapsed;
  elapsed.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_.CurrentFrame() >= 5; }, 5000));
  // Five steps take five frame times (timers may fire a little early), and
  // the control does not rush through the clip.
  const qint64 frameMs = static_cast<qint64>(clip->microSecPerFrame) / 1000;
  EXPECT_GE(elapsed.elapsed(), 5 * frameMs - frameMs / 2);
}

TEST_F(AnimationViewTest, MissingClipLeavesItEmpty) {
  EXPECT_FALSE(view_.Open((dir_.path() / "quorl.avi").string()));
  EXPECT_EQ(view_.FrameCount(), 0);
  EXPECT_FALSE(view_.IsPlaying());
  EXPECT_TRUE(OnlyBackground(view_));
}

TEST_F(AnimationViewTest, ABadClipAfterAGoodOneEmptiesIt) {
  ASSERT_TRUE(view_.Open(VEMORA_CLIP_FILE));
  EXPECT_FALSE(view_.Open(dir_.Write("bad.avi", {'R', 'I', 'F', 'F'}).string()));
  EXPECT_EQ(view_.FrameCount(), 0);
  EXPECT_EQ(view_.CurrentFrame(), 0);
  EXPECT_FALSE(view_.IsPlaying());
  EXPECT_TRUE(OnlyBackground(view_));
  QTest::qWait(250);  // no timer left to step an empty control
  EXPECT_EQ(view_.CurrentFrame(), 0);
}

TEST_F(AnimationViewTest, OneFrameClipIsShownStill) {
  clipgen::AviVideo video = avi_testing::SmallRleVideo();
  video.frames.resize(1);
  ASSERT_TRUE(view_.Open(dir_.Write("one.avi", clipgen::WriteAvi(video)).string()));
  EXPECT_EQ(view_.FrameCount(), 1);
  EXPECT_FALSE(view_.IsPlaying());
  EXPECT_FALSE(OnlyBackground(view_));
}

class AnimationViewBadClipTest : public testing::TestWithParam<BadClip> {};

TEST_P(AnimationViewBadClipTest, StaysEmpty) {
  TempDir dir;
  AnimationView view;
  view.resize(kViewWidth, kViewHeight);
  EXPECT_FALSE(view.Open(dir.Write("quorl.avi", GetParam().bytes).string()));
  EXPECT_EQ(view.FrameCount(), 0);
  EXPECT_FALSE(view.IsPlaying());
  EXPECT_TRUE(OnlyBackground(view));
}

INSTANTIATE_TEST_SUITE_P(Clips, AnimationViewBadClipTest, testing::ValuesIn(avi_testing::BadClips()),
                         testing_support::RowName<BadClip>);

}  // namespace
}  // namespace vemora
