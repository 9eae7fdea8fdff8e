#include "sim/motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/angles.h"
#include "base/random.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class MotionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState(3);
    sounds.clear();
    SetSoundObserver([this](const SoundRequest& r) {
      if (r.list == SoundList::Effects && r.op == SoundOp::Play) sounds.push_back(r.index);
    });
  }
  void TearDown() override { SetSoundObserver(nullptr); }

  // Ball p on the course at (x, y), moving along `angle` at `speed`.
  Ball& Launch(int p, double x, double y, int angle, double speed) {
    Ball& b = gs().players[p];
    b = Ball{};
    b.x = b.checkx = b.backx = x;
    b.y = b.checky = b.backy = y;
    b.angle = angle;
    b.speed = speed;
    b.oncourse = true;
    b.moving = true;
    b.lastarea = -1;
    return b;
  }

  std::vector<int> sounds;
};

TEST_F(MotionTest, StrokeOnFlatGroundRestsAfter800Steps) {
  Ball& b = Launch(1, 100, 100, 0, 4.0);
  int frames = 0;
  while (b.moving && frames < 1000) {
    MotionPhase();
    ++frames;
  }
  EXPECT_EQ(frames, 400);  // 2 steps a frame at timescale 1
  EXPECT_EQ(b.speed, 0.0);
  EXPECT_NEAR(b.x - 100, 1600, 5);
  EXPECT_NEAR(b.y, 100, 1e-9);
  EXPECT_FALSE(gs().ballsmoving);
  EXPECT_EQ(b.stillcount, 0);
  EXPECT_EQ(sounds, std::vector<int>{24});  // the rest passes the turn
}

TEST_F(MotionTest, FastBallIsCutToFiveBeforeFriction) {
  Ball& b = Launch(1, 100, 100, 0, 7.0);
  BallStep(1);
  EXPECT_NEAR(b.x, 107, 1e-9);  // moves with its full speed first
  EXPECT_DOUBLE_EQ(b.speed, 4.995);
  // A push adds to the ground velocity on the ground but not high in the air.
  Ball& c = Launch(2, 0, 0, 0, 1.0);
  c.pushangle = 64;
  c.pushspeed = 1.0;
  BallStep(2);
  EXPECT_EQ(c.angle, 32);
  EXPECT_NEAR(c.y, 1.0, 1e-12);
  Ball& d = Launch(3, 0, 0, 0, 1.0);
  d.z = 1.6;
  d.pushangle = 64;
  d.pushspeed = 1.0;
  BallStep(3);
  EXPECT_EQ(d.angle, 0);
  EXPECT_NEAR(d.y, 0.0, 1e-12);
}

TEST_F(MotionTest, BounceHeightsAndLandingDust) {
  Ball& b = Launch(1, 100, 100, 0, 0);
  b.airborne = true;
  b.vz = -2;
  BallStep(1);
  EXPECT_EQ(b.z, 0);
  EXPECT_NEAR(b.vz, 1.3 - 0.2, 1e-12);
  EXPECT_TRUE(b.airborne);
  EXPECT_TRUE(b.moving);  // in the air: never at rest
  EXPECT_EQ(sounds, std::vector<int>{2});
  for (int i = 28; i <= 33; ++i) EXPECT_FALSE(gs().particles[i].active);

  sounds.clear();
  gs().particles[33].dots = true;
  Ball& c = Launch(2, 50, 60, 0, 0);
  c.airborne = true;
  c.vz = -2.4;
  BallStep(2);
  EXPECT_NEAR(c.vz, 1.56 - 0.2, 1e-12);
  EXPECT_EQ(sounds, std::vector<int>{2});
  EXPECT_FALSE(gs().particles[27].active);
  for (int i = 28; i <= 33; ++i) {
    const Particle& q = gs().particles[i];
    EXPECT_TRUE(q.active);
    EXPECT_EQ(q.x, c.x);
    EXPECT_EQ(q.y, c.y + 6);
    EXPECT_EQ(q.z, 0);
    EXPECT_EQ(q.speed, 2.95);
    EXPECT_EQ(q.vz, 0.75);
    EXPECT_EQ(q.bounces, 1);
    EXPECT_EQ(q.colour, 3534447);
    EXPECT_GE(q.angle, 0);
    EXPECT_LT(q.angle, 360);
    EXPECT_FALSE(q.shadow);
  }
  EXPECT_TRUE(gs().particles[33].dots);  // the second drawing flag is left alone
}

TEST_F(MotionTest, LowBounceLandsForGoodInTheSameStep) {
  Ball& b = Launch(1, 100, 100, 0, 0);
  b.airborne = true;
  b.z = 0.3;
  b.vz = -0.6;
  BallStep(1);
  EXPECT_EQ(b.z, 0);
  EXPECT_NEAR(b.vz, 0.19, 1e-12);
  EXPECT_FALSE(b.airborne);
  EXPECT_FALSE(b.moving);                        // speed 0 on the ground: at rest
  EXPECT_EQ(sounds, (std::vector<int>{2, 24}));  // landing, then the turn passes
}

TEST_F(MotionTest, StuckBallIsRecoveredAfter61Steps) {
  Ball& b = Launch(1, 100, 100, 10, 0);
  b.backx = 95;  // trailing point 5 away: not yet followed
  auto hold = [&b]() {
    b.pushangle = 64;  // a push of zero strength keeps the ball from resting
    b.pushspeed = 0;
    BallStep(1);
  };
  for (int i = 1; i <= 60; ++i) hold();
  EXPECT_EQ(b.stillcount, 60);
  EXPECT_TRUE(sounds.empty());
  EXPECT_EQ(b.x, 100);
  b.lastarea = 7;
  hold();
  EXPECT_EQ(sounds, std::vector<int>{19});
  EXPECT_EQ(b.stillcount, 0);
  EXPECT_TRUE(b.airborne);
  EXPECT_EQ(b.lastarea, -1);
  EXPECT_NEAR(b.speed, 1.0 - 0.005, 1e-12);
  EXPECT_NEAR(b.z, 1.0, 1e-12);
  EXPECT_NEAR(b.vz, 0.8, 1e-12);
  // Put back at the trailing point and moved one pixel in a backward direction.
  EXPECT_NEAR(std::hypot(b.x - 95, b.y - 100), 1.0, 1e-9);
  EXPECT_LT(b.x, 95.0 + 1e-9 + std::cos(3.14159265 / 4));
}

TEST_F(MotionTest, NoRecoveryWhileHeldByWaterPipeCupOrSlowZone) {
  for (int flag = 0; flag < 4; ++flag) {
    ResetGameState();
    sounds.clear();
    Ball& b = Launch(1, 100, 100, 0, 0);
    for (int i = 0; i < 100; ++i) {
      b.pushangle = 64;
      b.wet = flag == 0;
      b.sinking = flag == 1;
      b.inpipe = flag == 2;
      b.inhole = flag == 3;
      BallStep(1);
    }
    EXPECT_TRUE(sounds.empty()) << flag;
    EXPECT_GT(b.stillcount, 60) << flag;
  }
}

TEST_F(MotionTest, SlowZoneAndWater) {
  Ball& b = Launch(1, 0, 0, 0, 4.0);
  b.wet = true;
  BallStep(1);
  EXPECT_DOUBLE_EQ(b.speed, 2.0);
  EXPECT_EQ(sounds, std::vector<int>{2});
  b.wet = true;
  BallStep(1);
  EXPECT_DOUBLE_EQ(b.speed, 2.0 - 0.005 - 0.025);

  gs().holename = "course4hole4";
  Ball& c = Launch(2, 0, 0, 0, 4.0);
  c.wet = true;
  BallStep(2);
  EXPECT_NEAR(c.speed, 2.0 - 0.825, 1e-12);

  Ball& d = Launch(3, 0, 0, 0, 3.0);
  d.sinking = true;
  BallStep(3);
  EXPECT_DOUBLE_EQ(d.speed, 0.5);
  BallStep(3);
  EXPECT_DOUBLE_EQ(d.speed, 0.5 - 0.005 - 0.065);
  EXPECT_TRUE(d.moving);
}

// One step with the ramp codes of the two previous area passes.
Ball& SlopeStep(int angle, double speed, int lastramp, int ramp) {
  ResetGameState();
  Ball& b = gs().players[1];
  b.x = b.checkx = b.backx = 300;
  b.y = b.checky = b.backy = 300;
  b.angle = angle;
  b.speed = speed;
  b.moving = b.oncourse = true;
  b.lastramp = lastramp;
  b.ramp = ramp;
  BallStep(1);
  return b;
}

TEST_F(MotionTest, SlopeEdgesBendThePath) {
  // b = round(|cos(angle - 19)| * 15); for angle 0 that is 13.
  EXPECT_EQ(SlopeStep(0, 1.0, 0, 13).angle, 13);
  EXPECT_EQ(SlopeStep(0, 1.0, 13, 0).angle, -13);  // stored unreduced
  EXPECT_EQ(SlopeStep(0, 1.0, -13, 0).angle, 13);
  EXPECT_EQ(SlopeStep(0, 1.0, 0, -13).angle, -13);
  EXPECT_EQ(SlopeStep(0, 1.0, 13, 13).angle, 0);
  EXPECT_EQ(SlopeStep(0, 1.0, -13, 13).angle, 0);
  // Hand-over: the ramp seen now becomes the last one.
  Ball& b = SlopeStep(0, 1.0, 0, 13);
  EXPECT_EQ(b.lastramp, 13);
  EXPECT_EQ(b.ramp, 0);
  // The next step reduces the heading again.
  b.lastramp = 0;
  BallStep(1);
  EXPECT_GE(b.angle, 0);
  EXPECT_LT(b.angle, 256);
}

TEST_F(MotionTest, JumpsOffSlopeTops) {
  // Leaving a -13 slope at 220: bent by 3 to 223, inside 208..240: jumps.
  Ball& b = SlopeStep(220, 3.0, -13, 0);
  EXPECT_EQ(b.angle, 223);
  EXPECT_TRUE(b.airborne);
  EXPECT_NEAR(b.vz, 0.92 * 2.995, 1e-12);
  // 250 bends to 262: as a direction that is 6, inside 0..32, but the stored value is not.
  Ball& c = SlopeStep(250, 3.0, -13, 0);
  EXPECT_EQ(c.angle, 262);
  EXPECT_FALSE(c.airborne);
  // Too slow, or the wrong slope, or already in the air: no jump.
  EXPECT_FALSE(SlopeStep(220, 2.0, -13, 0).airborne);
  EXPECT_FALSE(SlopeStep(220, 3.0, 13, 0).airborne);
  // Leaving a +13 slope: 160 bends to 146 (inside 144..176), 110 to 101 (inside 96..128).
  Ball& d = SlopeStep(160, 3.0, 13, 0);
  EXPECT_EQ(d.angle, 146);
  EXPECT_TRUE(d.airborne);
  Ball& e = SlopeStep(110, 3.0, 13, 0);
  EXPECT_EQ(e.angle, 101);
  EXPECT_TRUE(e.airborne);
  // 100 bends to 94: outside.
  EXPECT_FALSE(SlopeStep(100, 3.0, 13, 0).airborne);
}

TEST_F(MotionTest, AirborneBallIgnoresSlopeEdges) {
  ResetGameState();
  Ball& b = gs().players[1];
  b.moving = b.oncourse = b.airborne = true;
  b.z = 5;
  b.speed = 3;
  b.lastramp = 13;
  BallStep(1);
  EXPECT_EQ(b.angle, 0);
}

TEST_F(MotionTest, RestConditions) {
  Ball& b = Launch(1, 0, 0, 0, 0.004);
  BallStep(1);
  EXPECT_FALSE(b.moving);
  EXPECT_EQ(b.speed, 0);
  EXPECT_FALSE(gs().ballsmoving);

  // The push of the previous area pass holds the ball in motion, even with no strength.
  Ball& c = Launch(1, 0, 0, 0, 0.004);
  c.pushangle = 5;
  BallStep(1);
  EXPECT_TRUE(c.moving);
  EXPECT_EQ(c.lastpushangle, 5);
  EXPECT_EQ(c.pushangle, 0);
  BallStep(1);  // now lastpushangle is 0 again
  EXPECT_FALSE(c.moving);

  for (int flag = 0; flag < 3; ++flag) {
    Ball& d = Launch(1, 0, 0, 0, 0);
    d.sinking = flag == 0;
    d.inpipe = flag == 1;
    d.airborne = flag == 2;
    d.z = 10;
    d.vz = 5;
    BallStep(1);
    EXPECT_TRUE(d.moving) << flag;
    EXPECT_TRUE(gs().ballsmoving) << flag;
  }
  // In the cup with no speed the ball does come to rest.
  Ball& e = Launch(1, 0, 0, 0, 0);
  e.inhole = true;
  BallStep(1);
  EXPECT_FALSE(e.moving);
}

// Once the stroke's time is up each moving ball in play comes to rest in its next
// step: where it is, or (on water, a drop-off, in a pipe) back from where it was
// struck, falling in as from a drop-off; one back and still moving rests where it
// lands, or at its stroke point. A ball dropping into the cup or sinking is left
// to finish, and one coming down onto open ground lands first.
TEST_F(MotionTest, TimeUpStopsEachBallOnceOrSendsItBack) {
  GameState& g = gs();
  g.numplayers = 4;
  g.areas[1] = Area{};
  g.areas[1].kind = 24;  // water around (500, 100)
  g.areas[1].x1 = 500;
  g.areas[1].y1 = 100;
  g.areas[1].r = 30;
  g.areas[1].enabled = true;
  // Each ball alone in play: its rest changes the turn, which starts the clock
  // again, so the time is made up before each.
  const auto step = [&g](int p) {
    g.strokesteps = kStrokeSteps;
    BallStep(p);
  };

  Ball& ground = Launch(1, 100, 100, 0, 1);
  step(1);
  EXPECT_FALSE(ground.moving);
  EXPECT_NEAR(ground.x, 101, 1e-9);  // where its step took it
  EXPECT_EQ(g.message.substr(27), kStrokeTimeMessage);

  Ball& up = Launch(2, 200, 100, 0, 1);  // thrown up: stopped at once, on the ground
  up.airborne = true;
  up.z = 5;
  up.vz = 2;
  step(2);
  EXPECT_FALSE(up.moving);
  EXPECT_EQ(up.z, 0);
  EXPECT_FALSE(up.airborne);

  Ball& down = Launch(3, 300, 100, 0, 1);  // coming down: it lands first
  down.airborne = true;
  down.z = 3;
  down.vz = -1;
  step(3);
  EXPECT_TRUE(down.moving);
  for (int k = 0; k < 10 && down.moving; ++k) step(3);
  EXPECT_FALSE(down.moving);
  EXPECT_EQ(down.z, 0);

  Ball& wet = Launch(4, 500, 100, 0, 1);  // on the water
  wet.strokex = 100;
  wet.strokey = 300;
  sounds.clear();
  step(4);
  EXPECT_TRUE(wet.timedout);
  EXPECT_TRUE(wet.falloff);
  EXPECT_TRUE(wet.moving);
  EXPECT_FALSE(wet.sinking);
  EXPECT_EQ(sounds, std::vector<int>{26});
  // Back on the water (its return point there) and moving again: it rests where
  // it was struck from.
  wet.falloff = false;
  wet.x = 505;
  wet.y = 100;
  wet.z = 0;
  wet.airborne = false;
  step(4);
  EXPECT_FALSE(wet.moving);
  EXPECT_EQ(wet.x, 100);
  EXPECT_EQ(wet.y, 300);

  for (int k = 0; k < 2; ++k) {
    Ball& left = Launch(1, 100, 100, 0, 1);
    left.inhole = k == 0;
    left.sinking = k == 1;
    step(1);
    EXPECT_TRUE(left.moving) << k;
    EXPECT_FALSE(left.timedout) << k;
  }
}

// The stroke's clock counts the frame's steps while balls move, and no further
// than its limit; a stroke starts it afresh.
TEST_F(MotionTest, StrokeClockCountsTheFramesSteps) {
  GameState& g = gs();
  Launch(1, 100, 100, 0, 4);
  MotionPhase();
  EXPECT_EQ(g.strokesteps, 0);  // the first step of this frame set ballsmoving
  g.timescale = 4;
  MotionPhase();
  EXPECT_EQ(g.strokesteps, 5);
  g.strokesteps = kStrokeSteps - 1;
  MotionPhase();
  EXPECT_FALSE(g.players[1].moving);
  EXPECT_EQ(g.strokesteps, 0);  // the turn changed: a new stroke's clock
  // A ball left to finish (sinking) keeps the clock at its limit, no further.
  Launch(1, 100, 100, 0, 4).sinking = true;
  g.strokesteps = kStrokeSteps - 1;
  MotionPhase();
  MotionPhase();
  EXPECT_EQ(g.strokesteps, kStrokeSteps);
  g.players[1].timedout = true;
  StartStrokeClock();
  EXPECT_EQ(g.strokesteps, 0);
  EXPECT_FALSE(g.players[1].timedout);
}

TEST_F(MotionTest, PhaseRunsEachPlayersStepsInPlayerOrder) {
  GameState& g = gs();
  g.numplayers = 3;
  g.timescale = 2;
  for (int p = 1; p <= 3; ++p) {
    Ball& b = Launch(p, 100, 100 * p, 0, 1.0);
    b.airborne = true;
    b.vz = -2;  // bounces (and plays a sound) in its first step only
  }
  std::vector<std::vector<double>> seen;  // x of every ball at each bounce sound
  SetSoundObserver([&seen](const SoundRequest&) {
    std::vector<double> xs;
    for (int p = 1; p <= 3; ++p) xs.push_back(gs().players[p].x);
    seen.push_back(xs);
  });
  MotionPhase();
  ASSERT_EQ(seen.size(), 3u);
  for (int s = 0; s < 3; ++s) {
    for (int p = 0; p < 3; ++p) {
      if (p < s) {
        EXPECT_NEAR(seen[s][p], 103, 0.1) << s << p;  // all three steps done
      } else if (p > s) {
        EXPECT_EQ(seen[s][p], 100) << s << p;  // not started
      }
    }
  }
  // A ball at rest takes no steps; one that stops takes none after that.
  g.timescale = 4;
  Ball& still = Launch(1, 7, 7, 0, 0);
  still.moving = false;
  Ball& slow = Launch(2, 0, 0, 0, 0.004);
  g.numplayers = 2;
  MotionPhase();
  EXPECT_EQ(still.x, 7);
  EXPECT_EQ(still.angle, 0);
  EXPECT_EQ(slow.angle, 0);  // a second step would have turned it to 192 (zero vector)
  EXPECT_FALSE(slow.moving);
}

TEST_F(MotionTest, RollingTextureStaysInRange) {
  Ball& b = Launch(1, 0, 0, 40, 5.0);
  for (int i = 0; i < 300; ++i) {
    BallStep(1);
    EXPECT_GE(b.rollx, 0);
    EXPECT_LE(b.rollx, 16);
    EXPECT_GE(b.rolly, 0);
    EXPECT_LE(b.rolly, 16);
  }
}

}  // namespace
}  // namespace gp
