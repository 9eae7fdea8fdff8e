#include "sim/contact.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/setup.h"
#include "game/state.h"
#include "base/angles.h"
#include "sim/motion.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class ContactTest : public test::GameTest {
 protected:
  int Players() const override { return 3; }
  void SetUp() override {
    test::GameTest::SetUp();
    setup().whencollide = 1;
    BallAt(1, 100, 100, 0, 2).moving = true;
    BallAt(2, 110, 100, 0, 0);
    BallAt(3, 1000, 1000, 0, 0);
  }
  static Ball& BallAt(int p, double x, double y, int angle, double speed) {
    Ball& b = gs().players[p];
    b.x = x, b.y = y, b.z = 0;
    b.checkx = x, b.checky = y;
    b.angle = angle;
    b.speed = speed;
    b.oncourse = true;
    b.moving = false;
    b.lastarea = 7;
    return b;
  }
  static Ball& P(int p) { return gs().players[p]; }
};

TEST_F(ContactTest, HeadOnPassesNearlyAllTheSpeed) {
  Contacts(1);
  EXPECT_EQ(P(2).angle, 0);
  EXPECT_DOUBLE_EQ(P(2).speed, 1.9);
  EXPECT_TRUE(P(2).moving);
  EXPECT_EQ(P(2).lastarea, -1);
  EXPECT_EQ(P(1).speed, 0);
  EXPECT_EQ(P(1).angle, 64);
  EXPECT_EQ(P(1).lastarea, -1);
  // Backed away along the line of centres until 17 pixels apart.
  EXPECT_DOUBLE_EQ(P(1).x, 93);
  EXPECT_DOUBLE_EQ(P(1).y, 100);
  EXPECT_EQ(P(1).checkx, P(1).x);
  EXPECT_EQ(Dist(93, 100, 110, 100), 17);
  // Ball 2 itself does not move in this step.
  EXPECT_EQ(P(2).x, 110);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{1});
}

TEST_F(ContactTest, GlancingBlowAtThirtyTwo) {
  BallAt(2, 105, 105, 0, 0);
  Contacts(1);
  EXPECT_EQ(P(2).angle, 32);
  EXPECT_NEAR(P(2).speed, std::cos(M_PI / 4) * 2 * 0.95, 1e-9);
  EXPECT_NEAR(P(1).speed, 1.9 - P(2).speed, 1e-9);
  EXPECT_NEAR(P(1).speed, 0.5565, 1e-3);
  EXPECT_EQ(P(1).angle, -32);  // stored unreduced
  // Backed off up and to the left until clear.
  EXPECT_LT(P(1).x, 100);
  EXPECT_LT(P(1).y, 100);
  const int32_t px = RoundInt(P(1).x), py = RoundInt(P(1).y);
  EXPECT_TRUE(FlatDist(px, py, 105, 105) > 20 || Dist(px, py, 105, 105) > 16);
}

TEST_F(ContactTest, TurnsToTheSideItWasTurningTo) {
  // q lies slightly clockwise of p's heading (delta 1..127): p turns to c - 64.
  BallAt(2, 110, 101, 0, 0);
  Contacts(1);
  const int32_t c = P(2).angle;
  ASSERT_GT(c, 0);
  EXPECT_EQ(P(1).angle, c - 64);
  // Anticlockwise of the heading (delta 128 and above): c + 64.
  BallAt(1, 100, 100, 0, 2);
  BallAt(2, 110, 99, 0, 0);
  Contacts(1);
  EXPECT_EQ(P(1).angle, P(2).angle + 64);
}

TEST_F(ContactTest, BallsFarApartInHeightOrGroundDoNotTouch) {
  P(1).z = 15;  // flying over ball 2
  Contacts(1);
  EXPECT_FALSE(P(2).moving);
  EXPECT_EQ(P(1).speed, 2);
  P(1).z = 14.5;
  Contacts(1);
  EXPECT_TRUE(P(2).moving);

  // Flattened distance: 7 down the screen counts as 14, 8 as 16.
  BallAt(1, 100, 100, 0, 2);
  BallAt(2, 100, 108, 0, 0);
  Contacts(1);
  EXPECT_FALSE(P(2).moving);
  BallAt(2, 100, 107, 0, 0);
  Contacts(1);
  EXPECT_TRUE(P(2).moving);
}

TEST_F(ContactTest, BallsOffTheCourseOrInTheCupAreNeverHit) {
  P(2).oncourse = false;
  Contacts(1);
  EXPECT_FALSE(P(2).moving);
  P(2).oncourse = true;
  P(2).inhole = true;
  Contacts(1);
  EXPECT_FALSE(P(2).moving);
  EXPECT_EQ(P(1).speed, 2);
  EXPECT_TRUE(sounds.requests.empty());
}

TEST_F(ContactTest, OneStepCanKnockSeveralBalls) {
  BallAt(3, 100, 100, 0, 0);  // at the same point as the striker
  BallAt(2, 110, 100, 0, 0);
  P(1).speed = 3;
  Contacts(1);
  EXPECT_TRUE(P(2).moving);
  EXPECT_TRUE(P(3).moving);
}

TEST_F(ContactTest, CollisionBonusOncePerTurn) {
  setup().plus1 = true;
  P(1).strokes = 2, P(1).total = 5;
  Contacts(1);
  EXPECT_EQ(P(1).strokes, 1);
  EXPECT_TRUE(gs().bonusturn);
  BallAt(1, 100, 100, 0, 2);
  BallAt(2, 110, 100, 0, 0);
  Contacts(1);
  EXPECT_EQ(P(1).strokes, 1);
}

TEST_F(ContactTest, RuleNeverLetsBallsPassThrough) {
  setup().whencollide = 0;
  setup().plus1 = true;
  P(1).moving = true;
  BallStep(1);
  EXPECT_FALSE(P(2).moving);
  EXPECT_FALSE(gs().bonusturn);
  // The same step under "When Touching" knocks ball 2 away.
  setup().whencollide = 1;
  BallAt(1, 100, 100, 0, 2).moving = true;
  BallStep(1);
  EXPECT_TRUE(P(2).moving);
  EXPECT_TRUE(gs().bonusturn);
}

}  // namespace
}  // namespace gp
