// The end of motion, the turn change with both next-player rules, bonus
// repeats, and the starting player of a hole.

#include "sim/turns.h"

#include <gtest/gtest.h>

#include <set>

#include "game/setup.h"
#include "game/state.h"
#include "sim/scoring.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class TurnsTest : public test::GameTest {
 protected:
  int Players() const override { return 4; }
  Ball& ball(int p) { return gs().players[p]; }
  void Place(int p, double x, double y) {
    ball(p).x = x;
    ball(p).y = y;
  }
  void SetUp() override {
    GameTest::SetUp();
    gs().cupx = 500;
    gs().cupy = 300;
    Place(1, 100, 300);
    Place(2, 200, 300);
    Place(3, 300, 300);
    Place(4, 400, 300);
  }
};

TEST_F(TurnsTest, OnePlayerKeepsTheTurnWithEitherRule) {
  gs().numplayers = 1;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 1);
  setup().nextplayer = 1;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 1);
  EXPECT_EQ(sounds.Effects(), (std::vector<int>{24, 24}));
}

TEST_F(TurnsTest, SequentialSkipsABallInTheCup) {
  ball(3).inhole = true;
  gs().curplayer = 2;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 4);
  EndTurn();
  EXPECT_EQ(gs().curplayer, 1);
  EndTurn();
  EXPECT_EQ(gs().curplayer, 2);
}

TEST_F(TurnsTest, EveryOtherBallInTheCupKeepsTheCurrentPlayer) {
  ball(1).inhole = ball(3).inhole = ball(4).inhole = true;
  gs().curplayer = 2;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 2);
}

TEST_F(TurnsTest, TheNextPlayersBallEntersTheCourse) {
  ball(1).oncourse = true;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 2);
  EXPECT_TRUE(ball(2).oncourse);
  EXPECT_FALSE(ball(3).oncourse);
  EXPECT_TRUE(gs().centreview);
  EXPECT_EQ(gs().mousex, 320);
  EXPECT_EQ(gs().mousey, 240);
  EXPECT_TRUE(gs().parkrequest);
}

TEST_F(TurnsTest, FarthestFromTheCupTiesGoToTheHighestNumber) {
  setup().nextplayer = 1;
  Place(1, 500, 200);  // 100 from the cup
  Place(2, 450, 300);  // 50
  Place(3, 600, 300);  // 100, a tie with player 1
  Place(4, 500, 260);  // 40
  gs().curplayer = 3;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 3);
  ball(3).inhole = true;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 1);
}

TEST_F(TurnsTest, FarthestMeasuresTheRoundedBall) {
  setup().nextplayer = 1;
  gs().numplayers = 2;
  Place(1, 400.5, 300);  // rounds to 400: 100 from the cup
  Place(2, 599.5, 300);  // rounds to 600: 100, the tie goes to player 2
  EndTurn();
  EXPECT_EQ(gs().curplayer, 2);
}

TEST_F(TurnsTest, BonusRepeatsTheTurnOnce) {
  gs().curplayer = 2;
  gs().bonusturn = true;
  EndTurn();
  EXPECT_EQ(gs().curplayer, 2);
  EXPECT_TRUE(gs().passturn);
  EXPECT_TRUE(gs().centreview);
  EXPECT_TRUE(sounds.Effects().empty());
  EndTurn();
  EXPECT_EQ(gs().curplayer, 3);
  EXPECT_FALSE(gs().bonusturn);
  EXPECT_FALSE(gs().passturn);
}

TEST_F(TurnsTest, CollisionBonusWithABallHoledGivesNoRepeat) {
  setup().plus1 = true;
  ball(1).strokes = 1;
  GrantCollisionBonus();
  gs().passturn = true;  // a ball dropped into the cup in this stroke
  EndTurn();
  EXPECT_EQ(gs().curplayer, 2);
  EXPECT_EQ(ball(1).strokes, 0);
}

TEST_F(TurnsTest, StrokeLimitAppliesToThePlayerWhoseTurnEnds) {
  setup().strokelimit = "7";
  ball(1).strokes = 7;
  EndTurn();
  EXPECT_TRUE(ball(1).inhole);
  EXPECT_EQ(gs().bigmessage, "OVER STROKE LIMIT");
  EXPECT_EQ(gs().curplayer, 2);
}

TEST_F(TurnsTest, EndOfMotionWaitsForEveryBallInPlay) {
  ball(1).oncourse = ball(2).oncourse = true;
  ball(2).moving = true;
  EndOfMotion();
  EXPECT_TRUE(gs().ballsmoving);
  EXPECT_EQ(gs().curplayer, 1);
  // A holed-out ball that settles does not keep the turn.
  ball(2).oncourse = false;
  EndOfMotion();
  EXPECT_FALSE(gs().ballsmoving);
  EXPECT_EQ(gs().curplayer, 2);
}

class StartingPlayerTest : public TurnsTest {};

TEST_F(StartingPlayerTest, LifoKeepsWhoeverEndedTheLastHole) {
  gs().curplayer = 3;
  gs().firstholed = 2;
  StartingPlayer();
  EXPECT_EQ(gs().curplayer, 3);
  EXPECT_EQ(gs().firstholed, 0);
  EXPECT_TRUE(ball(3).oncourse);
}

TEST_F(StartingPlayerTest, FifoStartsTheFirstToHoleOut) {
  setup().startplayer = 1;
  gs().curplayer = 4;
  gs().firstholed = 2;
  StartingPlayer();
  EXPECT_EQ(gs().curplayer, 2);
  EXPECT_EQ(gs().firstholed, 0);
  EXPECT_TRUE(ball(2).oncourse);
  // The first hole: nobody has holed out, player 1 starts.
  gs().curplayer = 1;
  StartingPlayer();
  EXPECT_EQ(gs().curplayer, 1);
}

TEST_F(StartingPlayerTest, RandomDrawsAmongAllPlayers) {
  setup().startplayer = 2;
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) {
    StartingPlayer();
    ASSERT_GE(gs().curplayer, 1);
    ASSERT_LE(gs().curplayer, 4);
    seen.insert(gs().curplayer);
  }
  EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4}));
  gs().numplayers = 1;
  StartingPlayer();
  EXPECT_EQ(gs().curplayer, 1);
}

}  // namespace
}  // namespace gp
