// The target marker, the club and its shadow, and the power gauge.

#include "view/aim_display.h"

#include <gtest/gtest.h>

#include "game/state.h"
#include "sim/putting.h"
#include "app/frame_tick.h"
#include "app/game_window.h"
#include "support/drawing_probe.h"
#include "support/game_reset.h"

namespace gp {
namespace {

using test::Blocks;
using test::PatternAt;
using test::Pixel;

constexpr uint16_t kGaugeBase = 0x0100, kClubBase = 0x0200, kGrey = 0x8410;

class AimTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ImageList& gui = gamewin().gui;
    gui.items.assign(11, ImageItem{});
    gui.items[5] = Blocks(31, 4, 4, kGaugeBase);
    // Target: pattern 0 bright, patterns 1..3 the colour key (nothing drawn).
    gui.items[6] = Blocks(4, 8, 8, 0);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 32; ++x) gui.items[6].picture.pixels[y * 32 + x] = x < 8 ? 0xFFFFFF : 0;
    }
    PrepareItem(gui.items[6]);
    gui.items[9] = Blocks(32, 96, 142, 0x4208);
    gui.items[10] = Blocks(32, 4, 4, kClubBase);
    gamewin().display.Fill(kGrey);
    Ball& b = gs().players[1];
    b.x = 300;
    b.y = 300;
    b.angle = 0;
  }
  void TearDown() override {
    gamewin().gui.items.clear();
    GameTest::TearDown();
  }
  static void Aim(bool pull, int stage, double power) {
    gs().players[1].pull = pull;
    gs().puttstage = stage;
    gs().players[1].speed = power;
    gamewin().display.Fill(kGrey);
    DrawAim(WindowScene());
    AimBlink();
  }
  // Target marker (pattern 0 only) drawn for a target point (tx, ty).
  static bool TargetAt(int tx, int ty) { return Pixel(tx - 16, ty - 13) != kGrey; }
  static int ClubAt(int x, int y) { return PatternAt(x - 47, y - 125, kClubBase, 32); }
  static int GaugeAt(int tx, int ty) { return PatternAt(tx - 47, ty - 56, kGaugeBase, 31); }
};

TEST(AimValues, ClubPatternFollowsTheAim) {
  EXPECT_EQ(ClubPattern(0), 16);
  EXPECT_EQ(ClubPattern(64), 8);
  EXPECT_EQ(ClubPattern(128), 0);
  EXPECT_EQ(ClubPattern(383), 0);  // the pull aim is kept unreduced
  EXPECT_EQ(ClubPattern(192), 24);
  EXPECT_EQ(ClubPattern(129), 31);
}

TEST(AimValues, EasyTargetingStretchesThePullTarget) {
  EXPECT_EQ(TargetDistance(true, true, 50), 112);  // 112.5 rounds to even
  EXPECT_EQ(TargetDistance(true, true, 20), 75);
  EXPECT_EQ(TargetDistance(true, true, 90), 202);  // 202.5
  EXPECT_EQ(TargetDistance(true, false, 90), 75);
  EXPECT_EQ(TargetDistance(false, true, 90), 75);
}

TEST_F(AimTest, NothingWhileIdle) {
  Aim(true, 0, 50);
  EXPECT_EQ(Pixel(300 + 75 - 16, 300 - 13), kGrey);
  EXPECT_EQ(ClubAt(300, 300), -1);
  EXPECT_EQ(gs().sprites[33].frame, 0);
}

TEST_F(AimTest, PullAimingShowsTargetClubAndGauge) {
  Aim(true, 1, 90);
  EXPECT_TRUE(TargetAt(375, 300));
  EXPECT_EQ(ClubAt(300 - 90, 300), 16);
  EXPECT_EQ(GaugeAt(375, 300), 30);
  // The shadow darkens its 96 x 142 rectangle around the club.
  EXPECT_NE(Pixel(300 - 90 - 47 + 50, 300 - 125 + 100), kGrey);

  gs().clubpos = 1;  // the gauge only while the club is not drawn back
  Aim(true, 1, 90);
  EXPECT_EQ(GaugeAt(375, 300), -1);
}

TEST_F(AimTest, EasyTargetStandsFurtherOut) {
  gs().players[1].easy = true;
  Aim(true, 1, 50);
  EXPECT_TRUE(TargetAt(412, 300));
  EXPECT_FALSE(TargetAt(375, 300));
  EXPECT_EQ(GaugeAt(412, 300), 17);  // round(16.67)
}

TEST_F(AimTest, PullSwingShowsOnlyTheClub) {
  gs().clubpos = 10;
  Aim(true, 2, 2.5);
  EXPECT_FALSE(TargetAt(375, 300));
  EXPECT_EQ(ClubAt(290, 300), 16);
  EXPECT_EQ(gs().sprites[33].frame, 0);  // no target, no blink
}

TEST_F(AimTest, LastSwingFrameShowsTheClubAtTheBallThenStrikes) {
  gs().players[1].pull = true;
  gs().players[1].speed = 2.5;
  gs().puttstage = 2;
  gs().clubpos = 3;
  gs().clubspeed = 5;  // this frame's swing step passes the ball
  gamewin().display.Fill(kGrey);
  AimPhase(WindowScene(), true);
  EXPECT_EQ(gs().puttstage, 0);  // struck
  EXPECT_TRUE(gs().players[1].moving);
  EXPECT_EQ(ClubAt(302, 300), 16);  // clubpos -2: drawn just past the ball
  EXPECT_TRUE(gs().swingend);
}

TEST_F(AimTest, PushStages) {
  gs().players[1].angle = 64;  // along +y: club above the ball
  Aim(false, 1, 5);
  EXPECT_TRUE(TargetAt(300, 375));
  EXPECT_EQ(ClubAt(300, 288), 8);
  EXPECT_EQ(GaugeAt(300, 375), -1);

  Aim(false, 3, 30);
  EXPECT_EQ(ClubAt(300, 270), 8);
  EXPECT_EQ(GaugeAt(300, 375), 10);

  Aim(false, 4, -6);  // swung past the centre line: the club passes the ball
  EXPECT_TRUE(TargetAt(300, 375));
  EXPECT_EQ(ClubAt(300, 306), 8);
  EXPECT_EQ(GaugeAt(300, 375), -1);
}

TEST_F(AimTest, TargetBlinksEveryThreeFrames) {
  bool shown[12];
  for (bool& s : shown) {
    Aim(true, 1, 10);
    s = TargetAt(375, 300);
  }
  // Counter 0..9: pattern 0 for 0..2, then the three blank patterns, then again.
  const bool expected[12] = {true,  true,  true,  false, false, false,
                             false, false, false, false, true,  true};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(shown[i], expected[i]) << i;
  EXPECT_EQ(gs().sprites[33].frame, 2);
}

TEST_F(AimTest, ViewShiftsEverything) {
  gs().viewx = 100;
  gs().viewy = 50;
  Aim(true, 1, 30);
  EXPECT_TRUE(TargetAt(275, 250));
  EXPECT_EQ(ClubAt(170, 250), 16);
  EXPECT_EQ(GaugeAt(275, 250), 10);
}

}  // namespace
}  // namespace gp
