// Strokes, bonuses, the water and drop-off return, the stroke limit, the cup
// drop and holing out with its result names.

#include "sim/scoring.h"

#include "game/area_kind.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "game/setup.h"
#include "game/state.h"
#include "base/angles.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class ScoringTest : public test::GameTest {
 protected:
  Ball& ball(int p = 1) { return gs().players[p]; }

  // Player p's ball deep enough in the cup (area 99, under the ball) to hole
  // out this frame.
  void DroppedIn(int p, int strokes) {
    Ball& b = ball(p);
    Area& cup = gs().areas[kMaxAreas];
    cup.kind = kCup;
    cup.x1 = RoundInt(b.x);
    cup.y1 = RoundInt(b.y);
    cup.r = 9;
    b.holearea = kMaxAreas;
    b.strokes = strokes;
    b.total += strokes;
    b.inhole = true;
    b.oncourse = true;
    b.moving = true;
    b.z = -45;
    b.vz = 1;
  }
};

TEST_F(ScoringTest, CountStrokeRaisesStrokesAndTotal) {
  ball().total = 10;
  CountStroke(1);
  EXPECT_EQ(ball().strokes, 1);
  EXPECT_EQ(ball().total, 11);
}

struct ResultCase {
  int strokes, par;
  const char* name;
  int sound;
};

class HoleOutNameTest : public ScoringTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(HoleOutNameTest, NamesTheResultAgainstPar) {
  const ResultCase c = GetParam();
  gs().par = c.par;
  DroppedIn(1, c.strokes);
  DropAndHoleOut(1);
  EXPECT_EQ(gs().bigmessage, c.name);
  EXPECT_EQ(gs().bigmessagefade, 255);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{c.sound});
}

INSTANTIATE_TEST_SUITE_P(
    Results, HoleOutNameTest,
    ::testing::Values(ResultCase{1, 1, "HOLE IN ONE", 18},  // par 1 would say PAR
                      ResultCase{1, 4, "HOLE IN ONE", 18}, ResultCase{2, 5, "IN HOLE", 18},
                      ResultCase{3, 5, "EAGLE", 18}, ResultCase{2, 3, "BIRDIE", 18},
                      ResultCase{3, 3, "PAR", 18}, ResultCase{4, 3, "BOGEY", 22},
                      ResultCase{5, 3, "DOUBLE BOGEY", 22}, ResultCase{6, 3, "TRIPLE BOGEY", 22},
                      ResultCase{7, 3, "IN HOLE", 22}));

TEST_F(ScoringTest, HoleOutRecordsTheHoleAndParksTheBall) {
  gs().par = 3;
  gs().totalpar = 10;
  gs().holenumber = 2;
  ball().total = 8;
  DroppedIn(1, 4);
  gs().numplayers = 2;
  DropAndHoleOut(1);
  EXPECT_FALSE(ball().oncourse);
  EXPECT_DOUBLE_EQ(ball().x, 5000);
  EXPECT_DOUBLE_EQ(ball().speed, 0);
  EXPECT_TRUE(ball().moving);  // settles in the next step, so the turn can change
  EXPECT_TRUE(gs().passturn);
  EXPECT_EQ(ball().topar, 2);  // total 12 - totalpar 10
  EXPECT_EQ(ball().holestrokes[2], 4);
  EXPECT_EQ(gs().beststrokes, 4);
  EXPECT_EQ(gs().firstholed, 1);
  EXPECT_EQ(gs().gamestate, kPlay);  // player 2 still out
  EXPECT_EQ(gs().holenumber, 2);

  DroppedIn(2, 3);
  DropAndHoleOut(2);
  EXPECT_EQ(gs().firstholed, 1);
  EXPECT_EQ(gs().beststrokes, 3);
  EXPECT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_EQ(gs().holenumber, 3);
  EXPECT_EQ(ball(1).holeswon, 0);
  EXPECT_EQ(ball(2).holeswon, 1);
}

TEST_F(ScoringTest, NotHoledOutAboveTheDepthOrOffCourse) {
  DroppedIn(1, 2);
  ball().z = 0;
  ball().vz = 0;
  DropAndHoleOut(1);  // falls only 0.35
  EXPECT_TRUE(ball().oncourse);
  EXPECT_TRUE(sounds.Effects().empty());
}

TEST_F(ScoringTest, TiedBestStrokesAllWinTheHole) {
  gs().numplayers = 3;
  DroppedIn(1, 3);
  DroppedIn(2, 4);
  DroppedIn(3, 3);
  for (int p = 1; p <= 3; ++p) DropAndHoleOut(p);
  EXPECT_EQ(ball(1).holeswon, 1);
  EXPECT_EQ(ball(2).holeswon, 0);
  EXPECT_EQ(ball(3).holeswon, 1);
  EXPECT_EQ(gs().holenumber, 2);
}

TEST_F(ScoringTest, TwoBallsDroppingTogetherCompleteTheHoleOnce) {
  gs().numplayers = 2;
  DroppedIn(1, 2);
  DroppedIn(2, 3);
  DropAndHoleOut(1);
  EXPECT_EQ(gs().gamestate, kPlay);
  EXPECT_EQ(gs().holenumber, 1);
  DropAndHoleOut(2);
  EXPECT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_EQ(gs().holenumber, 2);
  EXPECT_EQ(ball(2).holestrokes[1], 3);
  EXPECT_EQ(ball(1).holeswon, 1);
  EXPECT_EQ(ball(2).holeswon, 0);
}

TEST_F(ScoringTest, SixthHoleEndsTheGame) {
  gs().holenumber = 6;
  DroppedIn(1, 3);
  sounds.Clear();
  DropAndHoleOut(1);
  EXPECT_TRUE(gs().gameover);
  EXPECT_EQ(gs().gamestate, kScoreDetails);
  EXPECT_EQ(gs().holenumber, 7);
  EXPECT_EQ(ball().holestrokes[6], 3);
  EXPECT_EQ(sounds.Effects(), (std::vector<int>{18, 18}));
}

TEST_F(ScoringTest, ACoursesLengthEndsTheGame) {
  // {holes in the game, the hole completed, whether that ends the game}
  const struct {
    int holecount, holenumber;
    bool over;
  } cases[] = {{9, 6, false}, {9, 8, false}, {9, 9, true}, {1, 1, true}, {2, 2, true}};
  for (const auto& c : cases) {
    test::FreshGame(platform);
    gs().holecount = c.holecount;
    gs().holenumber = c.holenumber;
    DroppedIn(1, 3);
    DropAndHoleOut(1);
    EXPECT_EQ(gs().gameover, c.over) << c.holecount << " " << c.holenumber;
    EXPECT_EQ(gs().gamestate, c.over ? kScoreDetails : kHoleFinished);
    EXPECT_EQ(ball().holestrokes[c.holenumber], 3);
  }
}

TEST_F(ScoringTest, TrainingHolesOutSilentlyWithoutAStrokeLimit) {
  setup().training = true;
  setup().strokelimit = "6";
  ball().strokes = 20;
  CheckStrokeLimit();
  EXPECT_FALSE(ball().inhole);
  DroppedIn(1, 7);
  DropAndHoleOut(1);
  EXPECT_EQ(gs().bigmessage, "IN HOLE");
  EXPECT_TRUE(sounds.Effects().empty());
  EXPECT_EQ(gs().gamestate, kHoleFinished);
}

TEST_F(ScoringTest, StrokeLimit6TakesTheBallOutAndKeepsTheMessage) {
  setup().strokelimit = "6";
  gs().par = 3;
  ball().strokes = 5;
  CheckStrokeLimit();
  EXPECT_FALSE(ball().inhole);

  ball().strokes = 6;
  ball().holearea = 0;
  CheckStrokeLimit();
  EXPECT_TRUE(ball().inhole);
  EXPECT_DOUBLE_EQ(ball().z, -100);
  EXPECT_EQ(gs().bigmessage, "OVER STROKE LIMIT");
  EXPECT_EQ(sounds.Effects(), std::vector<int>{10});

  // The same frame's ball pass holes it out with the strokes as they stand.
  // Its turn has passed already: it stays at rest and leaves the next
  // player's turn alone.
  gs().bigmessagefade = 100;
  DropAndHoleOut(1);
  EXPECT_FALSE(ball().oncourse);
  EXPECT_FALSE(ball().moving);
  EXPECT_FALSE(gs().passturn);
  EXPECT_EQ(ball().holestrokes[1], 6);
  EXPECT_EQ(gs().bigmessage, "OVER STROKE LIMIT");
  EXPECT_EQ(gs().bigmessagefade, 255);
  EXPECT_EQ(sounds.Effects(), (std::vector<int>{10, 22}));
}

TEST_F(ScoringTest, StrokeLimitSparesABallAlreadyInTheCup) {
  setup().strokelimit = "6";
  ball().strokes = 8;
  ball().inhole = true;
  CheckStrokeLimit();
  EXPECT_TRUE(sounds.Effects().empty());
}

TEST_F(ScoringTest, CupDropFallsFasterAndPullsTowardsTheCentre) {
  gs().areas[7] = Area{};
  gs().areas[7].kind = kCup;
  gs().areas[7].x1 = 100;
  gs().areas[7].y1 = 100;
  gs().areas[7].r = 5;
  Ball& b = ball();
  b.inhole = true;
  b.oncourse = true;
  b.holearea = 7;
  b.x = b.checkx = 110;
  b.y = b.checky = 95;
  b.speed = 0;
  DropAndHoleOut(1);
  EXPECT_DOUBLE_EQ(b.speed, 0.125);
  EXPECT_DOUBLE_EQ(b.vz, 0.35);
  EXPECT_DOUBLE_EQ(b.z, -0.35);
  EXPECT_DOUBLE_EQ(b.x, 109);
  EXPECT_DOUBLE_EQ(b.y, 96);
  EXPECT_EQ(b.angle, 109);  // towards the centre: left and down

  // Inside the cup's radius the ball is left where it is.
  b.x = b.checkx = 103;
  b.y = b.checky = 101;
  DropAndHoleOut(1);
  EXPECT_DOUBLE_EQ(b.x, 103);
  EXPECT_DOUBLE_EQ(b.y, 101);
}

TEST_F(ScoringTest, CollisionBonusOncePerTurnOnlyWithThePlus1Rule) {
  gs().numplayers = 2;
  ball(1).strokes = 1;
  ball(1).total = 5;
  GrantCollisionBonus();
  EXPECT_FALSE(gs().bonusturn);
  EXPECT_EQ(ball(1).strokes, 1);

  setup().plus1 = true;
  GrantCollisionBonus();
  GrantCollisionBonus();
  EXPECT_TRUE(gs().bonusturn);
  EXPECT_EQ(ball(1).strokes, 0);
  EXPECT_EQ(ball(1).total, 4);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "BONUS STROKE");
  EXPECT_EQ(gs().messagepos, 0);
  EXPECT_EQ(gs().bigmessage, "BONUS STROKE");
  EXPECT_EQ(sounds.Effects(), std::vector<int>{21});
}

TEST_F(ScoringTest, CollisionBonusAndHoleOutOnTheFirstStroke) {
  setup().plus1 = true;
  gs().par = 2;
  CountStroke(1);
  GrantCollisionBonus();
  DroppedIn(1, 0);
  DropAndHoleOut(1);
  EXPECT_EQ(gs().bigmessage, "EAGLE");  // 0 strokes: no hole in one
  EXPECT_EQ(ball().holestrokes[1], 0);
}

TEST_F(ScoringTest, AreaBonusGoesToTheBallsPlayerAndHops) {
  gs().numplayers = 2;
  gs().passturn = true;
  ball(2).strokes = 2;
  ball(2).total = 9;
  GrantAreaBonus(2);
  EXPECT_EQ(ball(2).strokes, 1);
  EXPECT_EQ(ball(2).total, 8);
  EXPECT_EQ(ball(1).strokes, 0);
  EXPECT_DOUBLE_EQ(ball(2).vz, 3);
  EXPECT_TRUE(ball(2).airborne);
  EXPECT_FALSE(gs().passturn);
  EXPECT_TRUE(gs().bonusturn);
  EXPECT_EQ(gs().bigmessage, "BONUS STROKE");
  EXPECT_EQ(sounds.Effects(), std::vector<int>{21});
}

TEST_F(ScoringTest, LiveToParOnlyFromPar) {
  gs().par = 3;
  gs().totalpar = 7;
  ball().topar = -1;
  ball().total = 6;
  ball().strokes = 2;
  UpdateLiveToPar();
  EXPECT_EQ(ball().topar, -1);
  ball().strokes = 3;
  ball().total = 9;
  UpdateLiveToPar();
  EXPECT_EQ(ball().topar, 2);
}

class ReturnTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    gs().returnx = 200;
    gs().returny = 150;
    Ball& b = ball();
    b.x = 300.4;
    b.y = 400;
    b.speed = 0.5;
    b.sinking = true;
    b.moving = true;
  }
  // The returned ball lies on the flattened ring of radius 4..25 around the return point.
  void ExpectReturned() {
    const Ball& b = ball();
    EXPECT_FALSE(b.sinking);
    EXPECT_EQ(b.ballrows, 15);
    EXPECT_DOUBLE_EQ(b.z, 80);
    EXPECT_TRUE(b.airborne);
    EXPECT_TRUE(b.moving);
    EXPECT_DOUBLE_EQ(b.speed, 0);
    EXPECT_EQ(b.lastarea, -1);
    EXPECT_TRUE(gs().centreview);
    const double r = std::hypot(b.x - 200, 2 * (b.y - 150));
    EXPECT_GE(r, 4 - 1e-9);
    EXPECT_LE(r, 25 + 1e-9);
    const Sprite& flash = gs().sprites[1];
    EXPECT_EQ(flash.image, 13);
    EXPECT_EQ(flash.p1, 192);
    EXPECT_FALSE(flash.loop);
    EXPECT_EQ(flash.x, RoundInt(b.x) - 17);
    EXPECT_EQ(flash.y, RoundInt(b.y) - 28 - 80);
    EXPECT_TRUE(sounds.HasEffect(7));
  }
};

TEST_F(ReturnTest, WaterSinksRowByRowThenSplashesAndReturns) {
  for (int frame = 1; frame <= 8; ++frame) ReturnBall(1);
  EXPECT_EQ(ball().ballrows, 7);
  EXPECT_DOUBLE_EQ(ball().speed, 0);
  EXPECT_DOUBLE_EQ(ball().y, 408);
  for (int frame = 9; frame <= 14; ++frame) ReturnBall(1);
  EXPECT_EQ(ball().ballrows, 1);
  const Sprite& splash = gs().sprites[32];
  EXPECT_EQ(splash.x, 292);
  EXPECT_EQ(splash.y, 414 - 25);
  EXPECT_EQ(splash.image, 4);
  EXPECT_EQ(splash.p1, 192);
  EXPECT_FALSE(splash.loop);

  ReturnBall(1);
  ReturnBall(1);
  EXPECT_EQ(ball().ballrows, 0);
  EXPECT_TRUE(ball().sinking);     // the splash is still playing
  gs().sprites[32] = Sprite{};  // the splash has ended
  ReturnBall(1);
  ExpectReturned();
  EXPECT_EQ(ball().strokes, 0);
  EXPECT_TRUE(gs().bigmessage.empty());
}

TEST_F(ReturnTest, WaterPenaltyWithTheMinus1Rule) {
  setup().minus1 = true;
  ball().strokes = 2;
  ball().total = 7;
  ball().ballrows = 0;
  ReturnBall(1);
  ExpectReturned();
  EXPECT_EQ(ball().strokes, 3);
  EXPECT_EQ(ball().total, 8);
  EXPECT_EQ(gs().message, std::string(27, ' ') + "PENALTY STROKE");
  EXPECT_EQ(gs().bigmessage, "PENALTY STROKE");
  EXPECT_EQ(gs().bigmessagefade, 255);
}

TEST_F(ReturnTest, DropOffReturnsOnceBelowHeight100) {
  Ball& b = ball();
  b.sinking = false;
  b.falloff = true;
  b.z = 100;
  ReturnBall(1);
  EXPECT_TRUE(b.falloff);
  EXPECT_DOUBLE_EQ(b.x, 300.4);
  b.z = 99.5;
  ReturnBall(1);
  EXPECT_FALSE(b.falloff);
  ExpectReturned();
}

}  // namespace
}  // namespace gp
