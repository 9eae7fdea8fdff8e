#include "sim/devices.h"

#include <gtest/gtest.h>

#include <string>

#include "game/state.h"
#include "base/angles.h"
#include "support/game_reset.h"

namespace gp {
namespace {

const std::string kPad(27, ' ');

class DevicesTest : public test::GameTest {
 protected:
  void SetUp() override {
    test::GameTest::SetUp();
    BallAt(500, 500);
  }
  static Area& AreaAt(int i, int kind, const std::string& comment = "") {
    Area& a = gs().areas[i];
    a = Area{};
    a.kind = kind;
    a.x1 = 500, a.y1 = 500, a.r = 10;
    a.enabled = true;
    a.comment = comment;
    return a;
  }
  static Ball& BallAt(double x, double y, double z = 0) {
    Ball& b = gs().players[1];
    b.x = x, b.y = y, b.z = z;
    b.checkx = x, b.checky = y;
    b.angle = 64;
    b.speed = 1;
    b.vz = 0;
    b.airborne = z > 0;
    b.moving = true;
    b.lastarea = 5;
    b.oncourse = true;
    return b;
  }
  static Ball& B() { return gs().players[1]; }
  // Sprites in the transient slots.
  static int Spawned() {
    int n = 0;
    for (int k = 1; k <= kTransientSprites; ++k) n += gs().sprites[k].x != 0;
    return n;
  }
};

// --- Springs, fans, geysers, mines ---

TEST_F(DevicesTest, SpringKeepsDirectionWithoutP3AndThrowsUp) {
  Area& a = AreaAt(1, 13);
  a.p1 = 300, a.p2 = 310, a.p4 = 6;
  DeviceAction(1, 1);
  EXPECT_EQ(B().angle, 64);
  EXPECT_DOUBLE_EQ(B().speed, 1.25);
  EXPECT_EQ(B().vz, 6);
  EXPECT_TRUE(B().airborne && B().moving);
  EXPECT_EQ(B().lastarea, -1);
  EXPECT_EQ(gs().message, kPad + "YOU HIT A SPRING");
  EXPECT_EQ(gs().messagepos, 0);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{14});
  const Sprite& s = gs().sprites[1];
  EXPECT_EQ(s.x, 300);
  EXPECT_EQ(s.y, 310);
  EXPECT_EQ(s.image, 6);
  EXPECT_EQ(s.p1, 0);
  EXPECT_FALSE(s.loop);
}

TEST_F(DevicesTest, MurkSpringThrowsMuchHigherIntoAFixedSector) {
  for (int k = 0; k < 30; ++k) {
    BallAt(500, 500);
    AreaAt(1, 13, "murk").p3 = 200;
    DeviceAction(1, 1);
    EXPECT_EQ(B().vz, 8.5);
    EXPECT_DOUBLE_EQ(B().speed, 1 + 0.25 + 2.05);
    EXPECT_GE(B().angle, 17);
    EXPECT_LE(B().angle, 20);
  }
  EXPECT_EQ(Spawned(), 0);  // p1 = 0: no effect picture
}

TEST_F(DevicesTest, TankShootsTheBall) {
  for (int k = 0; k < 30; ++k) {
    BallAt(500, 500);
    sounds.Clear();
    AreaAt(1, 13, "tank");
    DeviceAction(1, 1);
    EXPECT_EQ(sounds.Effects(), std::vector<int>{27});
    EXPECT_EQ(gs().message, kPad + "YOU GOT SHOT");
    EXPECT_GE(B().vz, 4.5);
    EXPECT_LE(B().vz, 5.4 + 1e-9);
    EXPECT_GE(B().speed, 2.45);
    EXPECT_LE(B().speed, 4.35 + 1e-9);
  }
}

TEST_F(DevicesTest, FanSendsExactlyAlongP3AndSpringUpTo15Less) {
  for (int k = 0; k < 40; ++k) {
    BallAt(500, 500);
    AreaAt(1, 43).p3 = 100;
    DeviceAction(1, 1);
    EXPECT_EQ(B().angle, 100);
    BallAt(500, 500);
    AreaAt(1, 13).p3 = 100;
    DeviceAction(1, 1);
    EXPECT_LE(B().angle, 100);
    EXPECT_GE(B().angle, 85);
  }
  BallAt(500, 500);
  AreaAt(1, 43, "witch");
  DeviceAction(1, 1);
  EXPECT_EQ(gs().message, kPad + "WATCH OUT FOR WITCHES");
  AreaAt(1, 43);
  DeviceAction(1, 1);
  EXPECT_EQ(gs().message, kPad + "YOU HIT A FAN");
  EXPECT_TRUE(sounds.HasEffect(9));
}

TEST_F(DevicesTest, HighBallsFlyOverDevices) {
  for (int kind : {13, 43, 27}) {
    BallAt(500, 500, 4);
    AreaAt(1, kind);
    DeviceAction(1, 1);
    EXPECT_EQ(B().vz, 0) << "kind " << kind;
    BallAt(500, 500, 3.9);
    DeviceAction(1, 1);
    EXPECT_EQ(B().vz, 6) << "kind " << kind;
  }
  BallAt(500, 500, 2);
  AreaAt(1, 12);
  DeviceAction(1, 1);
  EXPECT_EQ(B().vz, 0);
  BallAt(500, 500, 1.9);
  DeviceAction(1, 1);
  EXPECT_EQ(B().vz, 6);
  // A ball in the cup ignores geysers and mines.
  for (int kind : {12, 27}) {
    BallAt(500, 500).inhole = true;
    AreaAt(1, kind);
    DeviceAction(1, 1);
    EXPECT_EQ(B().vz, 0);
    B().inhole = false;
  }
}

TEST_F(DevicesTest, GeyserEruptsAtItsAnchor) {
  Area& a = AreaAt(1, 12);
  a.x1 = 400, a.y1 = 300;
  DeviceAction(1, 1);
  EXPECT_EQ(B().speed, 1.5);
  EXPECT_GE(B().angle, 0);
  EXPECT_LT(B().angle, 360);
  const Sprite& s = gs().sprites[1];
  EXPECT_EQ(s.x, 373);
  EXPECT_EQ(s.y, 153);
  EXPECT_EQ(s.image, 3);
  EXPECT_EQ(s.p1, 192);
  EXPECT_TRUE(sounds.HasEffect(9));
}

TEST_F(DevicesTest, MineThrowsTheBallBackWithABlast) {
  for (int k = 0; k < 30; ++k) {
    BallAt(500, 500);
    AreaAt(1, 27);
    DeviceAction(1, 1);
    const int turned = (64 - B().angle) & 255;
    EXPECT_GE(turned, 64);
    EXPECT_LE(turned, 191);
    EXPECT_EQ(B().speed, 3);
    EXPECT_EQ(B().vz, 6);
  }
  EXPECT_EQ(gs().particles[1].colour, 4574820);
  EXPECT_EQ(gs().sprites[1].x, 445);
  EXPECT_EQ(gs().sprites[1].y, 435);
  EXPECT_TRUE(sounds.HasEffect(12));
}

// --- Rubble, jump pad ---

TEST_F(DevicesTest, RubbleKicksNowAndThenAndNeedsANumberForItsPicture) {
  Area& a = AreaAt(1, 30, "12");
  a.p1 = 600, a.p2 = 610;
  int kicks = 0;
  for (int k = 0; k < 400; ++k) {
    BallAt(500, 500);
    B().angle = 100;
    for (Sprite& s : gs().sprites) s = Sprite{};
    gs().nextsprite = 1;
    DeviceAction(1, 1);
    if (!B().airborne) continue;
    ++kicks;
    EXPECT_GE(B().angle, 99);
    EXPECT_LE(B().angle, 102);
    EXPECT_EQ(B().lastarea, -1);
    EXPECT_EQ(gs().sprites[1].image, 8);
    EXPECT_EQ(gs().sprites[2].image, 12);
    EXPECT_EQ(gs().sprites[2].x, 600);
  }
  EXPECT_GT(kicks, 25);
  EXPECT_LT(kicks, 80);

  // A comment that is no decimal number: the kick happens, the picture does not.
  for (const char* bad : {"rock", "", "12a", "0x1F"}) {
    a.comment = bad;
    bool kicked = false;
    for (int k = 0; k < 200 && !kicked; ++k) {
      BallAt(500, 500);
      for (Sprite& s : gs().sprites) s = Sprite{};
      gs().nextsprite = 1;
      DeviceAction(1, 1);
      kicked = B().airborne;
    }
    ASSERT_TRUE(kicked);
    EXPECT_EQ(Spawned(), 1) << bad;
  }
}

// A ball that has come to rest on rubble (its turn ended in this step) or is
// in the hole is never kicked: it would roll while the next player plays.
TEST_F(DevicesTest, RubbleLeavesABallAtRestOrInTheHoleAlone) {
  AreaAt(1, 30, "12");
  for (const bool inhole : {false, true}) {
    for (int k = 0; k < 200; ++k) {
      BallAt(500, 500);
      B().moving = inhole;  // a ball dropping into the cup still moves
      B().inhole = inhole;
      B().speed = 0;
      DeviceAction(1, 1);
      ASSERT_FALSE(B().airborne) << k;
      ASSERT_EQ(B().moving, inhole) << k;
      ASSERT_EQ(B().speed, 0) << k;
    }
  }
  EXPECT_EQ(Spawned(), 0);
  EXPECT_TRUE(sounds.Effects().empty());
}

TEST_F(DevicesTest, JumpPadThrowsOnlyFastRollingBalls) {
  AreaAt(1, 34);
  B().speed = 3.5;
  DeviceAction(1, 1);
  EXPECT_FALSE(B().airborne);
  B().speed = 3.6;
  DeviceAction(1, 1);
  EXPECT_EQ(B().speed, 4.5);
  EXPECT_EQ(B().vz, 12);
  EXPECT_TRUE(B().airborne);
}

// --- Bonus, worker, breakable, switches ---

TEST_F(DevicesTest, BonusTakesThePickUpOnce) {
  gs().sprites[36] = Sprite{345, 702, 5, 3, true, 0, 0};
  gs().sprites[37] = Sprite{347, 711, 6, 3, true, -192, 0};
  gs().nextsprite = 17;
  Area& a = AreaAt(1, 35);
  B().strokes = 2, B().total = 9;
  DeviceAction(1, 1);
  EXPECT_FALSE(a.enabled);
  EXPECT_EQ(gs().sprites[36].x, 0);
  EXPECT_EQ(gs().sprites[36].image, 0);
  EXPECT_FALSE(gs().sprites[37].loop);
  EXPECT_EQ(gs().sprites[37].p1, 0);
  // The sparkle and its shadow start again from slot 1.
  EXPECT_EQ(gs().sprites[1].x, 420);
  EXPECT_EQ(gs().sprites[1].y, 438);
  EXPECT_EQ(gs().sprites[1].p1, 255);
  EXPECT_EQ(gs().sprites[2].p1, -192);
  EXPECT_EQ(gs().sprites[2].image, 7);
  EXPECT_EQ(gs().nextsprite, 3);
  EXPECT_EQ(B().strokes, 1);
  EXPECT_EQ(B().total, 8);
  EXPECT_EQ(B().vz, 3);
  EXPECT_TRUE(B().airborne);
  EXPECT_TRUE(gs().bonusturn);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{21});
}

TEST_F(DevicesTest, WorkerWakesForBallsOnTheGround) {
  Area& a = AreaAt(1, 36);
  BallAt(500, 500, 5);
  DeviceAction(1, 1);
  EXPECT_EQ(B().vz, 0);
  BallAt(500, 500);
  DeviceAction(1, 1);
  EXPECT_TRUE(a.enabled);
  EXPECT_GT(B().angle, 128);
  EXPECT_LE(B().angle, 192);
  EXPECT_EQ(B().speed, 3);
  EXPECT_EQ(gs().message, kPad + "YOU WOKE THE CONSTRUCTION WORKER");
  EXPECT_EQ(gs().sprites[1].x, 1006);
  EXPECT_EQ(gs().sprites[1].y, 71);
  EXPECT_EQ(gs().sprites[1].image, 8);
  EXPECT_EQ(sounds.Background(), std::vector<int>{1});
}

TEST_F(DevicesTest, BreakableBreaksUnderARollingBall) {
  Area& a = AreaAt(1, 40);
  BallAt(500, 500, 3);
  DeviceAction(1, 1);
  EXPECT_TRUE(a.enabled);
  BallAt(500, 500);
  DeviceAction(1, 1);
  EXPECT_FALSE(a.enabled);
  EXPECT_EQ(sounds.Background(), std::vector<int>{1});
}

TEST_F(DevicesTest, TextSwitchWritesItsSlotWithoutRestarting) {
  gs().nexthole = "course1hole2";
  Area& a = AreaAt(1, 28, "course9hole9");
  DeviceAction(1, 1);
  EXPECT_EQ(gs().nexthole, "course9hole9");
  a.p1 = 5;
  a.comment = "HELLO";
  gs().messagepos = 40;
  DeviceAction(1, 1);
  EXPECT_EQ(gs().message, "HELLO");
  EXPECT_EQ(gs().messagepos, 40);
  a.p1 = 7;
  DeviceAction(1, 1);
  EXPECT_EQ(gs().bigmessage, "HELLO");
  EXPECT_EQ(gs().bigmessagefade, 0);
  for (int bad : {-1, 8, 1000}) {
    a.p1 = bad;
    a.comment = "X";
    DeviceAction(1, 1);
  }
  EXPECT_EQ(gs().nexthole, "course9hole9");
  EXPECT_EQ(gs().message, "HELLO");
}

TEST_F(DevicesTest, AreaSwitchEnablesItsAreaAndIgnoresBadNumbers) {
  Area& a = AreaAt(1, 38);
  a.p1 = 99;
  DeviceAction(1, 1);
  EXPECT_TRUE(gs().areas[99].enabled);
  for (int bad : {0, 100, -5}) {
    a.p1 = bad;
    DeviceAction(1, 1);  // nothing, no crash
  }
}

TEST_F(DevicesTest, CannonFiresOnceAndHiddenHoleChangesTheNextHole) {
  Area& c = AreaAt(1, 29, "cannon");
  DeviceAction(1, 1);
  EXPECT_EQ(B().vz, 8.6);
  EXPECT_FALSE(B().airborne);  // keeps the stored vz for its next flight
  EXPECT_FALSE(c.enabled);
  EXPECT_EQ(gs().sprites[1].x, 1097);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{27});

  gs().nexthole = "course1hole3";
  Area& h = AreaAt(2, 29, "hidden");
  DeviceAction(1, 2);
  EXPECT_EQ(gs().nexthole, "course5hole1");
  EXPECT_EQ(gs().bigmessage, "BONUS HOLE DISCOVERED");
  EXPECT_EQ(gs().bigmessagefade, 255);
  EXPECT_TRUE(h.enabled);
}

// --- Teleporter, catapult ---

TEST_F(DevicesTest, TeleporterMovesTheBallToItsExitWithFlashes) {
  Area& a = AreaAt(1, 25);
  a.x2 = 900, a.y2 = 200;  // exit
  a.x3 = 900, a.y3 = 180;  // exit direction: from 3 to 4
  a.x4 = 1000, a.y4 = 180;
  B().vz = -1.5;
  DeviceAction(1, 1);
  EXPECT_LE(std::abs(B().x - 900), 15.0 + 1e-9);
  EXPECT_LE(std::abs(B().y - 200), 7.5 + 1e-9);
  EXPECT_EQ(B().angle, 0);
  EXPECT_EQ(B().speed, 2);  // 100 / 50
  EXPECT_EQ(B().z, 20);
  EXPECT_EQ(B().vz, -1.5);
  EXPECT_TRUE(B().airborne);
  EXPECT_TRUE(gs().centreview);
  EXPECT_EQ(gs().sprites[1].x, 483);
  EXPECT_EQ(gs().sprites[1].y, 472);
  EXPECT_EQ(gs().sprites[2].image, 13);
  EXPECT_EQ(gs().sprites[2].y, RoundInt(B().y) - 48);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{7});
}

TEST_F(DevicesTest, CatapultLaunchesQuietlyWithScatter) {
  Area& a = AreaAt(1, 37);
  a.x2 = 900, a.y2 = 200;
  a.x3 = 900, a.y3 = 190;
  a.x4 = 900, a.y4 = 90;  // straight up the screen, 100 long
  for (int k = 0; k < 30; ++k) {
    BallAt(500, 500).vz = 0.5;
    DeviceAction(1, 1);
    EXPECT_EQ(B().x, 900);
    EXPECT_EQ(B().y, 200);
    EXPECT_GE(B().angle, 189);
    EXPECT_LE(B().angle, 194);
    EXPECT_GE(B().speed, 100.0 / 55);
    EXPECT_LE(B().speed, 2);
    EXPECT_EQ(B().z, 10);
    EXPECT_EQ(B().vz, 0.5);
  }
  EXPECT_EQ(Spawned(), 0);
  EXPECT_TRUE(sounds.requests.empty());
}

// --- Pipes ---

class PipeTest : public DevicesTest {
 protected:
  void SetUp() override {
    DevicesTest::SetUp();
    Area& a = AreaAt(4, 26);
    a.x2 = 700, a.y2 = 560;  // exit 60 pixels below the mouth
    a.x3 = 700, a.y3 = 550;
    a.x4 = 800, a.y4 = 550;  // exit segment 100 long, pointing right
    a.p4 = 12;
  }
};

TEST_F(PipeTest, FastBallHopsOverEvenInTheAir) {
  BallAt(500, 500, 3).speed = 2.5;
  DeviceAction(1, 4);
  EXPECT_EQ(gs().message, kPad + "TOO FAST TO GO IN");
  EXPECT_DOUBLE_EQ(B().vz, 2.5 / 1.75);
  EXPECT_FALSE(B().inpipe);
  EXPECT_TRUE(sounds.requests.empty());
}

TEST_F(PipeTest, SlowBallDropsInAndComesOutAtTheExit) {
  B().speed = 1.5;
  DeviceAction(1, 4);
  EXPECT_TRUE(B().inpipe);
  EXPECT_EQ(B().holearea, 4);
  EXPECT_EQ(B().speed, 0.75);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{3});
  DeviceAction(1, 4);  // already in: nothing more
  EXPECT_EQ(sounds.Effects(), std::vector<int>{3});

  int frames = 0;
  while (B().inpipe && frames < 100) {
    PipeTravel(1);
    ++frames;
    if (B().inpipe) {
      EXPECT_LE(B().y - B().z, 560);
    }
  }
  EXPECT_GT(frames, 5);  // falls 60 pixels at 0.2 more each frame
  EXPECT_FALSE(B().inpipe);
  EXPECT_EQ(B().x, 700);
  EXPECT_EQ(B().y, 560);
  EXPECT_EQ(B().z, 10);
  EXPECT_EQ(B().vz, 0.3);
  EXPECT_EQ(B().lastarea, 12);
  EXPECT_TRUE(B().airborne && B().oncourse && gs().centreview);
  EXPECT_TRUE(sounds.HasEffect(17));
}

TEST_F(PipeTest, ExitSpeedOfAHundredPixelSegment) {
  for (int k = 0; k < 40; ++k) {
    BallAt(500, 500);
    B().inpipe = true;
    B().holearea = 4;
    B().z = -100;  // deep enough to come out at once
    PipeTravel(1);
    ASSERT_FALSE(B().inpipe);
    EXPECT_GE(B().speed, 1.85 - 1e-9);
    EXPECT_LE(B().speed, 2);
    EXPECT_GE(B().angle, -7);
    EXPECT_LE(B().angle, 8);
  }
}

TEST_F(PipeTest, ExitAboveTheMouthLetsTheBallOutInTheFirstFrame) {
  gs().areas[4].y2 = 400;
  B().inpipe = true;
  B().holearea = 4;
  PipeTravel(1);
  EXPECT_FALSE(B().inpipe);
}

TEST_F(PipeTest, MouthHoldsTheBallAndFallIsCapped) {
  gs().timescale = 1;
  Ball& b = BallAt(520, 500);  // outside the mouth of radius 10
  b.checkx = 519, b.checky = 500;
  b.inpipe = true;
  b.holearea = 4;
  b.vz = 10;
  b.speed = 0;
  PipeTravel(1);
  EXPECT_EQ(b.vz, 4);
  EXPECT_EQ(b.z, -4);
  EXPECT_EQ(b.speed, 0.125);
  EXPECT_EQ(b.angle, 128);  // towards the mouth's centre
  EXPECT_EQ(b.x, 518.5);
  EXPECT_EQ(b.y, 500.5);
}

TEST_F(PipeTest, BallsOutsidePipesAreLeftAlone) {
  B().holearea = 4;
  PipeTravel(1);
  EXPECT_EQ(B().z, 0);
  EXPECT_EQ(B().x, 500);
}

}  // namespace
}  // namespace gp
