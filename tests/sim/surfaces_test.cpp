#include "sim/surfaces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/random.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/motion.h"
#include "app/game_window.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class SurfacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState(7);
    gamewin().course.items.clear();
    SetSoundObserver([this](const SoundRequest& r) {
      if (r.list == SoundList::Effects && r.op == SoundOp::Play) sounds.push_back(r.index);
    });
  }
  void TearDown() override {
    SetSoundObserver(nullptr);
    gamewin().course.items.clear();
  }

  // A segment area.
  static Area& Segment(int i, int kind, int x1, int y1, int x2, int y2) {
    Area& a = gs().areas[i];
    a = Area{};
    a.kind = kind;
    a.x1 = x1, a.y1 = y1, a.x2 = x2, a.y2 = y2;
    a.enabled = true;
    return a;
  }
  // A circle area (an ellipse on the course).
  static Area& Circle(int i, int kind, int x, int y, int r) {
    Area& a = gs().areas[i];
    a = Area{};
    a.kind = kind;
    a.x1 = x, a.y1 = y, a.r = r;
    a.enabled = true;
    return a;
  }
  // Player 1's ball at (x, y), progress anchor at (cx, cy).
  static Ball& BallAt(double x, double y, int angle, double speed, double cx, double cy) {
    Ball& b = gs().players[1];
    b.x = x, b.y = y, b.angle = angle, b.speed = speed;
    b.checkx = cx, b.checky = cy;
    b.moving = true;
    b.lastarea = -1;
    return b;
  }
  bool Heard(int n) const {
    for (int s : sounds)
      if (s == n) return true;
    return false;
  }

  std::vector<int> sounds;
};

TEST_F(SurfacesTest, ShapesTouchOnTheRoundedGroundPoint) {
  Circle(1, 23, 100, 100, 10);
  EXPECT_TRUE(TouchesArea(1, 110, 100));
  EXPECT_TRUE(TouchesArea(1, 100, 105));
  EXPECT_FALSE(TouchesArea(1, 100, 106));
  EXPECT_FALSE(TouchesArea(1, 111, 100));

  Segment(2, 4, 0, 0, 100, 0);
  EXPECT_TRUE(TouchesArea(2, 50, 4));
  EXPECT_TRUE(TouchesArea(2, 104, 0));
  EXPECT_FALSE(TouchesArea(2, 50, 5));
  EXPECT_FALSE(TouchesArea(2, 105, 0));

  Area& q = gs().areas[3];
  q.kind = 23, q.x1 = 500, q.y1 = 400, q.x2 = 620, q.y2 = 400;
  q.x3 = 620, q.y3 = 460, q.x4 = 500, q.y4 = 460;
  EXPECT_TRUE(TouchesArea(3, 500, 460));
  EXPECT_TRUE(TouchesArea(3, 560, 430));
  EXPECT_FALSE(TouchesArea(3, 621, 430));
  // Exactly one of the third and fourth x at 0: no shape at all.
  q.x4 = 0;
  EXPECT_FALSE(TouchesArea(3, 560, 430));
  q.x3 = 0, q.x4 = 500;
  EXPECT_FALSE(TouchesArea(3, 560, 430));
}

TEST_F(SurfacesTest, AreaPassRoundsThePositionAndSkipsDisabledAreas) {
  Circle(1, 23, 100, 100, 10);
  BallAt(110.4, 100, 0, 1, 110.4, 100);
  AreaPass(1);
  EXPECT_TRUE(gs().players[1].wet);

  gs().players[1].wet = false;
  gs().players[1].x = 110.6;  // rounds to 111: outside
  AreaPass(1);
  EXPECT_FALSE(gs().players[1].wet);

  gs().players[1].x = 100;
  gs().areas[1].enabled = false;
  AreaPass(1);
  EXPECT_FALSE(gs().players[1].wet);
}

TEST_F(SurfacesTest, StraightWallsReflectAndPutTheBallBack) {
  // Rolling down into a horizontal wall.
  Segment(1, 4, 0, 200, 400, 200);
  Ball& b = BallAt(150, 201, 64, 2.0, 150, 190);
  AreaPass(1);
  EXPECT_EQ(b.angle, -64);
  EXPECT_EQ(b.angle & 255, 192);
  EXPECT_DOUBLE_EQ(b.speed, 1.8);
  EXPECT_EQ(b.x, 150);
  EXPECT_EQ(b.y, 190);
  EXPECT_EQ(b.lastarea, 1);
  EXPECT_FALSE(b.bounced);  // cleared again for the later areas
  EXPECT_EQ(sounds, std::vector<int>{1});

  // Heading right into a vertical wall.
  Segment(1, 2, 300, 0, 300, 400);
  BallAt(300, 150, 0, 1.0, 290, 150);
  AreaPass(1);
  EXPECT_EQ(gs().players[1].angle & 255, 128);

  // The 45-degree walls mirror about -32 and 32.
  Segment(1, 6, 0, 0, 0, 0);
  BallAt(0, 0, 0, 1.0, 10, 10);
  AreaPass(1);
  EXPECT_EQ(gs().players[1].angle, -64);
  Segment(1, 7, 0, 0, 0, 0);
  BallAt(0, 0, 0, 1.0, 10, 10);
  AreaPass(1);
  EXPECT_EQ(gs().players[1].angle, -192);
}

TEST_F(SurfacesTest, ShallowWallsUseTheArrivalTable) {
  Ball& b = gs().players[1];
  b.angle = 200;  // folds to 72
  WallBounce(1, 19);
  EXPECT_EQ(b.angle, -264);
  EXPECT_EQ(b.angle & 255, 248);
  EXPECT_TRUE(b.bounced);

  struct Case {
    int angle, rising, falling;
  };
  // Row edges of the table: 8|9, 16|17, 104|105, 112|113, and 128.
  const Case cases[] = {{0, 32, 96},         {8, 32, 96},   {9, 38, 102},  {16, 38, 102},
                        {17, 45, 109},       {100, 21, 86}, {104, 21, 86}, {105, 19, 83},
                        {112, 19, 83},       {113, 26, 90}, {128, 32, 96}, {129, 32, 96},
                        {256 + 40, 39, 104}, {-20, 19, 83}};
  for (const Case& c : cases) {
    b.angle = c.angle;
    WallBounce(1, 19);
    EXPECT_EQ(b.angle, -2 * c.rising - c.angle) << c.angle;
    b.angle = c.angle;
    WallBounce(1, 109);
    EXPECT_EQ(b.angle, -2 * c.falling - c.angle) << c.angle;
  }
}

TEST_F(SurfacesTest, HighHitsScuffAndSoundDifferently) {
  const struct { int kind, image; } walls[] = {{1, 14}, {3, 15}, {4, 16}, {2, 0}, {6, 0}, {7, 0}};
  for (const auto& w : walls) {
    ResetGameState();
    sounds.clear();
    Segment(1, w.kind, 0, 100, 200, 100);
    Ball& b = BallAt(80.4, 100.6, 10, 1, 80, 90);
    b.z = 10.5;
    AreaPass(1);
    EXPECT_EQ(sounds, std::vector<int>{11}) << w.kind;
    const Sprite& s = gs().sprites[1];
    if (w.image == 0) {
      EXPECT_EQ(gs().nextsprite, 1) << w.kind;
    } else {
      EXPECT_EQ(s.image, w.image);
      EXPECT_EQ(s.x, 80 - 30);
      EXPECT_EQ(s.y, 101 - 10 - 30);  // round(10.5) is 10
      EXPECT_EQ(s.p1, 192);
      EXPECT_FALSE(s.loop);
    }
  }
  // At 10 exactly the hit is low: sound 1, no mark.
  ResetGameState();
  sounds.clear();
  gs().players[1].z = 10;
  WallBounce(1, 0);
  EXPECT_EQ(sounds, std::vector<int>{1});
  EXPECT_EQ(gs().sprites[1].image, 0);
}

TEST_F(SurfacesTest, NoisyShallowWallsPlayTheDustSound) {
  Segment(1, 1, 0, 100, 200, 100).p1 = 1;
  BallAt(50, 100, 0, 1, 50, 90);
  AreaPass(1);
  EXPECT_EQ(sounds, (std::vector<int>{1, 19}));

  sounds.clear();
  Segment(1, 4, 0, 100, 200, 100).p1 = 1;  // only kinds 1 and 3 make the noise
  BallAt(50, 100, 0, 1, 50, 90);
  AreaPass(1);
  EXPECT_EQ(sounds, std::vector<int>{1});
}

TEST_F(SurfacesTest, AWallDeflectsOncePerContact) {
  Segment(1, 4, 0, 100, 200, 100);
  Ball& b = BallAt(50, 100, 64, 2, 50, 98);  // the anchor still touches the wall
  AreaPass(1);
  EXPECT_EQ(b.angle, -64);
  AreaPass(1);
  EXPECT_EQ(b.angle, -64);
  EXPECT_DOUBLE_EQ(b.speed, 1.8);

  // A conveyor on the same spot clears the contact: the wall acts again.
  Segment(2, 15, 0, 100, 200, 100);
  AreaPass(1);  // wall skipped, conveyor clears lastarea
  EXPECT_EQ(b.lastarea, -1);
  AreaPass(1);
  EXPECT_EQ(b.angle, -2 * 0 + 64);
}

TEST_F(SurfacesTest, TwoWallsInOnePassActInOrderOnTheMovedBall) {
  Segment(1, 4, 0, 100, 100, 100);    // touches the ball where it is
  Segment(2, 2, 200, 150, 200, 250);  // touches only the anchor the first wall puts it back to
  Ball& b = BallAt(50, 100, 10, 2, 200, 200);
  AreaPass(1);
  EXPECT_EQ(b.angle, -2 * 64 - (-10));
  EXPECT_NEAR(b.speed, 2 * 0.9 * 0.9, 1e-12);
  EXPECT_EQ(b.lastarea, 2);
  EXPECT_EQ(sounds, (std::vector<int>{1, 1}));

  // In the other order the vertical wall is tested before the ball is moved.
  ResetGameState();
  Segment(2, 4, 0, 100, 100, 100);
  Segment(1, 2, 200, 150, 200, 250);
  Ball& c = BallAt(50, 100, 10, 2, 200, 200);
  AreaPass(1);
  EXPECT_EQ(c.angle, -10);
  EXPECT_DOUBLE_EQ(c.speed, 1.8);
  EXPECT_EQ(c.lastarea, 2);
}

TEST_F(SurfacesTest, CupCatchesOnlyASlowLowBall) {
  Circle(1, 5, 500, 500, 9);
  Ball& b = BallAt(500, 500, 40, 2.01, 500, 500);
  AreaPass(1);
  EXPECT_FALSE(b.inhole);
  EXPECT_TRUE(b.airborne);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "TOO FAST TO GO IN");
  EXPECT_EQ(gs().messagepos, 0);
  EXPECT_DOUBLE_EQ(b.vz, 2.01 / 1.75);
  EXPECT_GE(b.angle, 32);
  EXPECT_LE(b.angle, 47);
  EXPECT_FALSE(Heard(3));

  sounds.clear();
  Ball& c = BallAt(500, 500, 40, 2.0, 500, 500);
  c.airborne = false, c.vz = 0;
  AreaPass(1);
  EXPECT_TRUE(c.inhole);
  EXPECT_EQ(c.holearea, 1);
  EXPECT_DOUBLE_EQ(c.speed, 0.75);
  EXPECT_EQ(sounds, std::vector<int>{3});
  // Already in: no second drop.
  sounds.clear();
  AreaPass(1);
  EXPECT_TRUE(sounds.empty());

  // Fast but at height 4 while flying over: ignored.
  ResetGameState();
  sounds.clear();
  Circle(1, 5, 500, 500, 9);
  Ball& d = BallAt(500, 500, 40, 3, 500, 500);
  d.z = 4, d.airborne = true, d.vz = -1;
  AreaPass(1);
  EXPECT_FALSE(d.inhole);
  EXPECT_EQ(d.angle, 40);
  EXPECT_EQ(d.vz, -1);
  EXPECT_TRUE(sounds.empty());
  EXPECT_TRUE(gs().message.empty());
}

TEST_F(SurfacesTest, TooFastCupSoundPlaysAboutSevenInTen) {
  Circle(1, 5, 500, 500, 9);
  int hops = 0;
  for (int k = 0; k < 1000; ++k) {
    BallAt(500, 500, 0, 3, 500, 500);
    AreaPass(1);
  }
  for (int s : sounds) hops += s == 10;
  EXPECT_GT(hops, 600);
  EXPECT_LT(hops, 800);

  sounds.clear();
  gs().soundon = false;
  BallAt(500, 500, 0, 3, 500, 500);
  AreaPass(1);
  EXPECT_TRUE(sounds.empty());
}

TEST_F(SurfacesTest, SlopesPushWithinLimits) {
  const struct {
    int kind, push, ramp;
  } slopes[] = {{8, 96, -13}, {9, 1, 13}, {10, 32, 13}, {11, 128, -13}};
  for (const auto& s : slopes) {
    Circle(1, s.kind, 100, 100, 50);
    Ball& b = BallAt(100, 100, 0, 1, 100, 100);
    b.lastarea = 7;
    AreaPass(1);
    EXPECT_EQ(b.pushangle, s.push);
    EXPECT_EQ(b.ramp, s.ramp);
    EXPECT_DOUBLE_EQ(b.pushspeed, 0.017);  // 0.014 raised
    EXPECT_EQ(b.lastarea, -1);
  }
  Ball& b = BallAt(100, 100, 0, 3, 100, 100);
  AreaPass(1);
  EXPECT_DOUBLE_EQ(b.pushspeed, 0.031);  // 0.042 cut
  b.speed = 2;
  AreaPass(1);
  EXPECT_DOUBLE_EQ(b.pushspeed, 0.028);
}

TEST_F(SurfacesTest, ConveyorsAttractorSlowZoneAndShade) {
  const int pushes[] = {1, 19, 64, 109, 128, 147, 192, 237};
  for (int k = 15; k <= 22; ++k) {
    Circle(1, k, 100, 100, 50);
    Ball& b = BallAt(100, 100, 0, 4, 100, 100);
    b.lastarea = 3;
    AreaPass(1);
    EXPECT_EQ(b.pushangle, pushes[k - 15]);
    EXPECT_DOUBLE_EQ(b.pushspeed, 0.025);
    EXPECT_EQ(b.lastarea, -1);
  }

  Circle(1, 14, 100, 100, 50);
  Ball& b = BallAt(120, 100, 0, 2, 120, 100);
  b.pushangle = 0, b.pushspeed = 0;
  AreaPass(1);
  EXPECT_EQ(b.pushangle, 128);  // towards the point, to the left
  EXPECT_DOUBLE_EQ(b.pushspeed, 0.075);
  b.pushspeed = 0;
  b.airborne = true;
  AreaPass(1);
  EXPECT_EQ(b.pushspeed, 0);

  Circle(1, 23, 100, 100, 50);
  b.airborne = false;
  b.z = 0.49;
  AreaPass(1);
  EXPECT_TRUE(b.wet);
  b.wet = false;
  b.z = 0.5;
  AreaPass(1);
  EXPECT_FALSE(b.wet);

  Circle(1, 32, 100, 100, 50).p1 = 90;
  b.shade = 40;
  AreaPass(1);
  EXPECT_EQ(b.shade, 90);
  b.shade = 120;
  AreaPass(1);
  EXPECT_EQ(b.shade, 120);
}

TEST_F(SurfacesTest, WaterSinksTheBallAndSetsTheReturnPoint) {
  Area& w = Circle(1, 24, 300, 300, 40);
  w.p1 = 50, w.p2 = 60, w.p3 = 1;
  Ball& b = BallAt(300, 300, 0, 2, 300, 300);
  b.z = 0.9, b.vz = -1.5;
  AreaPass(1);
  EXPECT_TRUE(b.sinking);
  EXPECT_EQ(gs().returnx, 50);
  EXPECT_EQ(gs().returny, 60);
  EXPECT_EQ(b.z, 0);
  EXPECT_EQ(b.vz, 0);
  EXPECT_EQ(sounds, std::vector<int>{13});
  sounds.clear();
  AreaPass(1);  // already sinking
  EXPECT_TRUE(sounds.empty());

  ResetGameState();
  Circle(1, 24, 300, 300, 40);
  Ball& c = BallAt(300, 300, 0, 2, 300, 300);
  c.z = 1;  // flying over
  AreaPass(1);
  EXPECT_FALSE(c.sinking);
}

TEST_F(SurfacesTest, LedgeDropsTheGroundOnce) {
  Segment(1, 33, 0, 200, 400, 200).p1 = 20;
  Ball& b = BallAt(100, 200, 64, 1, 100, 195);
  AreaPass(1);
  EXPECT_EQ(b.y, 220);
  EXPECT_EQ(b.z, 20);
  EXPECT_EQ(b.checkx, 100);
  EXPECT_EQ(b.checky, 220);
  EXPECT_TRUE(b.airborne);
  EXPECT_EQ(b.lastarea, 1);
  b.y = 200;
  AreaPass(1);
  EXPECT_EQ(b.y, 200);
  EXPECT_EQ(b.z, 20);
}

TEST_F(SurfacesTest, DropOffSendsTheBallBelowTheCourse) {
  gs().coursewidth = 1280, gs().courseheight = 960;
  Area& d = Circle(1, 45, 300, 300, 40);
  d.p1 = 70, d.p2 = 80;
  Ball& b = BallAt(300, 300, 0, 2, 290, 290);
  b.z = 5;
  AreaPass(1);
  EXPECT_EQ(b.y, 960 + 500);
  EXPECT_EQ(b.z, 960 - 300 + 5 + 500);  // the ball's picture stays where it was
  EXPECT_EQ(b.y - b.z, 300 - 5);
  EXPECT_EQ(b.checkx, 300);
  EXPECT_EQ(b.checky, 1460);
  EXPECT_EQ(gs().returnx, 70);
  EXPECT_EQ(gs().returny, 80);
  EXPECT_TRUE(b.falloff);
  EXPECT_TRUE(b.airborne);
  EXPECT_EQ(b.lastarea, 1);
  EXPECT_EQ(sounds, std::vector<int>{26});

  // Without a course picture the height counts as 0.
  ResetGameState();
  Circle(1, 45, 300, 300, 40);
  Ball& c = BallAt(300, 300, 0, 2, 290, 290);
  AreaPass(1);
  EXPECT_EQ(c.y, 500);
  EXPECT_EQ(c.z, 200);
}

TEST_F(SurfacesTest, DropOffActsOncePerContact) {
  gs().coursewidth = 1280, gs().courseheight = 960;
  Circle(1, 45, 300, 300, 40);
  Ball& b = BallAt(300, 300, 0, 2, 290, 290);
  b.lastarea = 1;  // still touching the drop-off it already acted on
  AreaPass(1);
  EXPECT_EQ(b.y, 300);
  EXPECT_EQ(b.z, 0);
  EXPECT_FALSE(b.falloff);
  EXPECT_TRUE(sounds.empty());

  b.lastarea = 7;  // another area last: this one acts
  AreaPass(1);
  EXPECT_TRUE(b.falloff);
  EXPECT_EQ(b.y, 960 + 500);
  EXPECT_EQ(sounds, std::vector<int>{26});
}

// A ball that slipped past the walls and out of the course picture falls into
// space and comes back where its last stroke was struck from.
TEST_F(SurfacesTest, ABallOutOfTheCoursePictureFallsIntoSpace) {
  gs().coursewidth = 1200, gs().courseheight = 840;
  for (const auto& [x, y] : {std::pair{-0.5, 300.0}, std::pair{600.0, -3.0},
                             std::pair{1200.0, 300.0}, std::pair{600.0, 841.0}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    sounds.clear();
    Ball& b = BallAt(x, y, 0, 1, x, y);
    b.oncourse = true;
    b.falloff = false;
    b.z = 0;
    b.strokex = 650.4, b.strokey = 120.6;
    LeaveCourse(1);
    EXPECT_TRUE(b.falloff);
    EXPECT_TRUE(b.airborne);
    EXPECT_EQ(b.y, 840 + 500);
    EXPECT_EQ(b.y - b.z, y);  // the ball's picture stays where it was
    EXPECT_EQ(gs().returnx, 650);
    EXPECT_EQ(gs().returny, 121);
    EXPECT_EQ(sounds, std::vector<int>{26});
  }
}

TEST_F(SurfacesTest, OnlyABallInPlayLeavesTheCourse) {
  gs().coursewidth = 1200, gs().courseheight = 840;
  const auto out = [](auto&& set) {
    Ball& b = BallAt(600, -20, 0, 1, 600, -20);
    b = Ball{};
    b.x = 600, b.y = -20, b.oncourse = true, b.moving = true;
    set(b);
    LeaveCourse(1);
    return b.falloff;
  };
  EXPECT_TRUE(out([](Ball&) {}));
  EXPECT_FALSE(out([](Ball& b) { b.y = 839; }));  // still on the picture
  EXPECT_FALSE(out([](Ball& b) { b.oncourse = false; }));
  EXPECT_FALSE(out([](Ball& b) { b.inhole = true; }));
  EXPECT_FALSE(out([](Ball& b) { b.inpipe = true; }));
  EXPECT_FALSE(out([](Ball& b) { b.sinking = true; }));
  // Without a course picture (the lab's single shots) a ball rolls on anywhere.
  gs().coursewidth = gs().courseheight = 0;
  EXPECT_FALSE(out([](Ball&) {}));
}

TEST_F(SurfacesTest, KindsWithoutEffectLeaveTheBallAlone) {
  for (int kind : {0, 31, 39, 41, 42, 44, 46, 99, -1}) {
    Circle(1, kind, 100, 100, 50);
    Ball& b = BallAt(100, 100, 10, 1.5, 90, 90);
    AreaPass(1);
    EXPECT_EQ(b.x, 100) << kind;
    EXPECT_EQ(b.angle, 10) << kind;
    EXPECT_EQ(b.speed, 1.5) << kind;
    EXPECT_EQ(b.pushspeed, 0) << kind;
    EXPECT_EQ(b.lastarea, -1) << kind;
    EXPECT_TRUE(sounds.empty()) << kind;
  }
}

// Whole physics steps: the pass runs at the end of every step of the ball.
TEST_F(SurfacesTest, RollingBallStaysInsideAWalledBox) {
  setup() = GameSetup{};
  Segment(1, 4, 0, 0, 400, 0);
  Segment(2, 4, 0, 300, 400, 300);
  Segment(3, 2, 0, 0, 0, 300);
  Segment(4, 2, 400, 0, 400, 300);
  Ball& b = BallAt(200, 150, 23, 4.0, 200, 150);
  b.backx = 200, b.backy = 150;
  b.oncourse = true;
  int steps = 0, bounces = 0;
  while (b.moving && steps < 5000) {
    BallStep(1);
    ++steps;
    ASSERT_GE(b.x, -4) << steps;
    ASSERT_LE(b.x, 404) << steps;
    ASSERT_GE(b.y, -4) << steps;
    ASSERT_LE(b.y, 304) << steps;
  }
  for (int s : sounds) bounces += s == 1;
  EXPECT_FALSE(b.moving);
  EXPECT_GT(bounces, 3);
}

TEST_F(SurfacesTest, SlowBallRollsIntoTheCupAndAFastOneHops) {
  setup() = GameSetup{};
  Circle(1, 5, 300, 100, 9);
  Ball& b = BallAt(250, 100, 0, 1.2, 250, 100);
  b.backx = 250, b.backy = 100;
  for (int k = 0; k < 100 && !b.inhole; ++k) BallStep(1);
  EXPECT_TRUE(b.inhole);
  EXPECT_LE(b.speed, 0.75);
  EXPECT_EQ(b.holearea, 1);

  ResetGameState();
  Circle(1, 5, 300, 100, 9);
  Ball& c = BallAt(250, 100, 0, 4.0, 250, 100);
  c.backx = 250, c.backy = 100;
  for (int k = 0; k < 40; ++k) BallStep(1);
  EXPECT_FALSE(c.inhole);
  EXPECT_GT(c.x, 320);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "TOO FAST TO GO IN");
}

}  // namespace
}  // namespace gp
