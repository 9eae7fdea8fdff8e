// The first hole, the hole change, the standings line and leaving a finished game.

#include "sim/progression.h"

#include <gtest/gtest.h>

#include <string>

#include "app/frame_tick.h"
#include "app/hole_load.h"
#include "game/setup.h"
#include "game/state.h"
#include "sim/putting.h"
#include "base/asset_error.h"
#include "app/game_window.h"
#include "support/game_reset.h"
#include "support/hole_files.h"

namespace gp {
namespace {

class ProgressionTest : public test::GameTest {
 protected:
  void TearDown() override {
    gs().leaverequest = false;
    GameTest::TearDown();
  }
};

TEST_F(ProgressionTest, FirstHoleByGameKind) {
  FirstHole();
  EXPECT_EQ(gs().holename, "course1hole1");
  setup().training = true;
  FirstHole();
  EXPECT_EQ(gs().holename, "training1");
}

TEST_F(ProgressionTest, HoleChangeWaitsForTheResultToFade) {
  gs().gamestate = kHoleFinished;
  gs().bigmessage = "PAR";
  gs().bigmessagefade = 1;
  gs().holename = "course1hole1";
  gs().nexthole = "course1hole2";
  HoleChangeStep();
  EXPECT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_EQ(gs().holename, "course1hole1");

  gs().gamestate = kPlay;
  gs().bigmessagefade = 0;
  HoleChangeStep();
  EXPECT_EQ(gs().holename, "course1hole1");
}

TEST_F(ProgressionTest, HoleChangeLoadsTheNextHole) {
  test::HoleFolder files;
  files.WriteHole("course1hole2", "course1hole3");
  gs().gamestate = kHoleFinished;
  gs().bigmessage = "BIRDIE";
  gs().bigmessagefade = 0;
  gs().holename = "course1hole1";
  gs().nexthole = "course1hole2";
  gs().holenumber = 2;
  HoleChangeStep();
  EXPECT_TRUE(gs().holerequest);
  CarryOutRequests();  // the game window loads the hole at once
  EXPECT_EQ(gs().holename, "course1hole2");
  EXPECT_EQ(gs().nexthole, "course1hole3");
  EXPECT_TRUE(gs().bigmessage.empty());
  EXPECT_EQ(gs().gamestate, kHoleCard);
  EXPECT_EQ(gs().holepar[2], 4);
  EXPECT_TRUE(gamewin().timer.enabled);
}

TEST_F(ProgressionTest, HoleChangeToAMissingHoleRaisesAndStops) {
  test::HoleFolder files;
  gs().gamestate = kHoleFinished;
  gs().bigmessagefade = 0;
  gs().nexthole = "course9hole9";
  gamewin().timer.enabled = true;
  HoleChangeStep();
  EXPECT_THROW(CarryOutRequests(), AssetError);
  EXPECT_EQ(gs().holename, "course9hole9");
  EXPECT_EQ(gs().gamestate, kPlay);
  EXPECT_FALSE(gamewin().timer.enabled);
}

TEST_F(ProgressionTest, APuttIntoTheCupFinishesTheHoleAndLoadsTheNext) {
  test::HoleFolder files;
  files.WriteHole("course1hole1", "course1hole2");
  files.WriteImages("course1hole1", 800, 480);  // the ball rolls on the picture
  files.WriteHole("course1hole2", "course1hole3");
  FirstHole();
  HoleInit();
  // The ball 100 pixels left of the cup (600, 220), the hole card closed.
  Ball& b = gs().players[1];
  b.x = b.checkx = b.backx = 500;
  b.y = b.checky = b.backy = 220;
  gs().gamestate = kPlay;
  // A pull putt dragged 60 pixels to the left: speed 1.5 to the right.
  OnPointerMove(b.x, b.y);
  OnLeftButtonDown();
  OnPointerMove(gs().spotx - 60, gs().spoty);
  RunFrame();
  OnLeftButtonUp();
  int frames = 0;
  while (gs().gamestate != kHoleFinished && frames < 2000) {
    RunFrame();
    ++frames;
  }
  ASSERT_EQ(gs().gamestate, kHoleFinished);
  EXPECT_EQ(gs().bigmessage, "HOLE IN ONE");
  gs().bigmessagefade = 0;  // the result has faded
  RunFrame();
  EXPECT_EQ(gs().holename, "course1hole2");
  EXPECT_EQ(b.holestrokes[1], 1);
  EXPECT_EQ(b.total, 1);
  EXPECT_EQ(b.holeswon, 1);
  EXPECT_EQ(b.topar, -3);  // 1 stroke on a par 4
  EXPECT_EQ(gs().holenumber, 2);
  EXPECT_EQ(gs().totalpar, 8);
  EXPECT_EQ(gs().gamestate, kHoleCard);
  EXPECT_EQ(b.strokes, 0);
  EXPECT_TRUE(b.oncourse);
  EXPECT_TRUE(sounds.HasEffect(18));  // holed out under par
}

class StandingsTest : public ProgressionTest {
 protected:
  int Players() const override { return 3; }
  std::string Line() {
    StandingsLine();
    return gs().message;
  }
  std::string SoloLine(int topar, bool gameover = true) {
    gs().numplayers = 1;
    gs().players[1].topar = topar;
    gs().gameover = gameover;
    return Line();
  }
};

TEST_F(StandingsTest, SinglePlayerScoreAndRankTitle) {
  EXPECT_EQ(SoloLine(3), "SCORE 3 OVER - RANK GREENSKEEPER");
  EXPECT_EQ(SoloLine(25), "SCORE 25 OVER   RANK - COSMIC PUTTS");
  EXPECT_EQ(SoloLine(0), "SCORE EVEN - RANK EVEN STEVEN");
  EXPECT_EQ(SoloLine(-2), "SCORE 2 UNDER - RANK MINI-BANG");
  EXPECT_EQ(SoloLine(-12), "SCORE 12 UNDER   RANK - MINIGOLF LEGEND");
  EXPECT_EQ(SoloLine(3, false), "SCORE 3 OVER ");
}

TEST_F(StandingsTest, RankTitleBoundaries) {
  EXPECT_EQ(RankTitle(-9), "  RANK - MINIGOLF LEGEND");
  EXPECT_EQ(RankTitle(-8), "- RANK MINIGOLF LEGEND");
  EXPECT_EQ(RankTitle(-7), "- RANK SPACE ACE");
  EXPECT_EQ(RankTitle(-1), "- RANK SPACE CADET");
  EXPECT_EQ(RankTitle(1), "- RANK LITTLE DIPPER");
  EXPECT_EQ(RankTitle(2), "- RANK LITTLE DIPPER");
  EXPECT_EQ(RankTitle(4), "- RANK GREENSKEEPER");
  EXPECT_EQ(RankTitle(5), "- RANK WORMHOLE");
  EXPECT_EQ(RankTitle(12), "- RANK RIMMED OUT");
  EXPECT_EQ(RankTitle(13), "- RANK COMMANDER SHANK");
  EXPECT_EQ(RankTitle(18), "- RANK COLOSSAL DIVOT");
  EXPECT_EQ(RankTitle(19), "- RANK COSMIC PUTTS");
  EXPECT_EQ(RankTitle(20), "  RANK - COSMIC PUTTS");
}

TEST_F(StandingsTest, TiedWinnersAreAllListedInCapitals) {
  gs().players[1].name = "Alice";
  gs().players[2].name = "bob";
  gs().players[3].name = "Carol";
  gs().players[1].topar = 2;
  gs().players[2].topar = -1;
  gs().players[3].topar = -1;
  gs().gameover = true;
  EXPECT_EQ(Line(), "WINNER - BOB CAROL ");
}

TEST_F(StandingsTest, NamesAreCapitalisedInTheWesternCodePage) {
  gs().players[1].name = "\xE5sa \xF6";  // "åsa ö"
  gs().players[1].topar = -1;
  gs().players[2].topar = 0;
  gs().players[3].topar = 0;
  gs().gameover = true;
  EXPECT_EQ(Line(), "WINNER - \xC5SA \xD6 ");
}

TEST_F(StandingsTest, LeaderDuringPlayHasNoRankTitle) {
  gs().players[1].topar = -3;
  gs().players[2].topar = 0;
  gs().players[3].topar = 1;
  EXPECT_EQ(Line(), "LEADER - PLAYER 1 ");
}

TEST_F(StandingsTest, MostHolesWonWithNobodyWinningListsEveryone) {
  setup().scoring = 1;
  gs().players[1].topar = -5;  // not what this rule ranks by
  EXPECT_EQ(Line(), "LEADER - PLAYER 1 PLAYER 2 PLAYER 3 ");
  gs().players[2].holeswon = 2;
  gs().players[3].holeswon = 1;
  gs().gameover = true;
  EXPECT_EQ(Line(), "WINNER - PLAYER 2 ");
}

TEST_F(ProgressionTest, LeavingAFinishedGameStopsTheTimerAndAsksToClose) {
  gamewin().timer.enabled = true;
  EXPECT_FALSE(gs().leaverequest);
  LeaveFinishedGame();
  EXPECT_TRUE(gs().leaverequest);
  CarryOutRequests();  // what the game window does after the handler
  EXPECT_FALSE(gamewin().timer.enabled);
  EXPECT_EQ(sounds.Effects(), std::vector<int>{5});
  gs().leaverequest = false;
  EXPECT_FALSE(gs().leaverequest);

  gs().soundon = false;
  LeaveFinishedGame();
  EXPECT_TRUE(gs().leaverequest);
  EXPECT_EQ(sounds.Effects().size(), 1u);
}

}  // namespace
}  // namespace gp
