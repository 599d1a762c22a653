#include <gtest/gtest.h>

#include "ui/app/FrameOnScreen.h"

using ui::FrameOnScreen;

namespace {

constexpr QRect kDesigned(280, 105, 656, 526);

TEST(FrameOnScreenTest, StaysWhereDesignedWhenItFits) {
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 0, 1280, 1024)), kDesigned);
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 27, 1280, 997)), kDesigned);    // below a top panel
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(280, 105, 656, 526)), kDesigned);  // exactly
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect()), kDesigned);                    // no screen known
}

TEST(FrameOnScreenTest, MovesJustFarEnoughToLieInside) {
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 0, 800, 600)), QRect(144, 74, 656, 526));
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 0, 1024, 600)), QRect(280, 74, 656, 526));
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 0, 900, 768)), QRect(244, 105, 656, 526));
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(300, 200, 1000, 800)), QRect(300, 200, 656, 526));
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(-1024, 0, 1024, 768)), QRect(-656, 105, 656, 526));
}

// 1280 x 1024 at scale factor 2 offers 640 x 512 logical pixels.
TEST(FrameOnScreenTest, ShrinksToAnAreaSmallerThanItself) {
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 0, 640, 512)), QRect(0, 0, 640, 512));
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 24, 640, 488)), QRect(0, 24, 640, 488));
  EXPECT_EQ(FrameOnScreen(kDesigned, QRect(0, 0, 1280, 500)), QRect(280, 0, 656, 500));
}

}  // namespace
