#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "game/setup.h"
#include "game/names.h"
#include "game/state.h"
#include "sim/progression.h"
#include "tests/integration/game_driver.h"

namespace gp {
namespace {

using testing::GameDriver;
using testing::MissingData;

// The "SE Course" as its cups chain it. Holes 4 and 5 may give way to the
// bonus and secret holes when a ball finds them; every route ends on hole 6.
const std::vector<std::string> kCourse{"course1hole1", "course2hole1", "course1hole3",
                                       "course1hole4", "course2hole9", "course3hole6"};

// The standings line names the best players (lowest score against par) and,
// for one player, gives the rank title from the game's own table.
void ExpectStandings(const std::string& line) {
  const GameState& g = gs();
  if (g.numplayers == 1) {
    const std::string title = RankTitle(g.players[1].topar);
    EXPECT_EQ(line.rfind("SCORE ", 0), 0u) << line;
    ASSERT_GE(line.size(), title.size());
    EXPECT_EQ(line.substr(line.size() - title.size()), title) << line;
    return;
  }
  EXPECT_EQ(line.rfind("WINNER - ", 0), 0u) << line;
  int best = 500;
  for (int i = 1; i <= g.numplayers; ++i) best = std::min(best, g.players[i].topar);
  for (int i = 1; i <= g.numplayers; ++i) {
    const bool named = line.find(" " + Capitalized(g.players[i].name) + " ") != std::string::npos;
    EXPECT_EQ(named, g.players[i].topar == best) << line << " / player " << i;
  }
}

void PlayWholeGame(int players) {
  const std::string missing = MissingData(
      {kCourse[0], kCourse[1], kCourse[2], kCourse[3], kCourse[4], kCourse[5], "course5hole1"});
  ASSERT_TRUE(missing.empty()) << "course data missing:" << missing;
  GameDriver d;
  GameSetup s;
  s.numplayers = players;
  ASSERT_TRUE(d.Open(s)) << "the game window did not start";
  GameState& g = gs();
  EXPECT_EQ(g.holename, "course1hole1");
  EXPECT_EQ(g.gamestate, kHoleCard);  // every hole opens with its card

  std::vector<std::string> played;
  int totalpar = 0;
  while (!g.gameover && played.size() < 7) {
    played.push_back(g.holename);
    totalpar += g.par;
    const int strokes = 9 * players + 20;  // the stroke limit ends every hole
    ASSERT_TRUE(d.PlayHole(strokes)) << "stuck on " << g.holename;
    if (g.gameover) break;
    ASSERT_EQ(g.gamestate, kHoleFinished);
    // The result fades, then the next hole opens with its card.
    ASSERT_TRUE(d.RunUntil([] { return gs().gamestate == kHoleCard; }, 400))
        << "no next hole after " << g.holename;
  }
  ASSERT_EQ(played.size(), 6u);
  EXPECT_EQ(played[0], kCourse[0]);
  EXPECT_EQ(played[1], kCourse[1]);
  EXPECT_EQ(played[2], kCourse[2]);
  EXPECT_EQ(played[5], kCourse[5]);
  EXPECT_TRUE(g.gameover);
  EXPECT_EQ(g.gamestate, kScoreDetails);
  EXPECT_EQ(g.totalpar, totalpar);
  for (int i = 1; i <= players; ++i) {
    const Ball& p = g.players[i];
    int sum = 0;
    for (int h = 1; h <= 6; ++h) {
      EXPECT_GE(p.holestrokes[h], 1) << "player " << i << " hole " << h;
      EXPECT_LE(p.holestrokes[h], 9) << "player " << i << " hole " << h;  // the limit
      sum += p.holestrokes[h];
    }
    EXPECT_EQ(p.total, sum);
    EXPECT_EQ(p.topar, p.total - totalpar);
  }
  for (int i = players + 1; i <= 4; ++i) EXPECT_EQ(g.players[i].total, 0);

  for (int i = 1; i <= players; ++i) {
    std::string row;
    for (int h = 1; h <= 6; ++h) row += " " + std::to_string(g.players[i].holestrokes[h]);
    ::testing::Test::RecordProperty("player" + std::to_string(i), row);
  }
  std::string route;
  for (const std::string& h : played) route += h + " ";
  ::testing::Test::RecordProperty("route", route);
  StandingsLine();
  ExpectStandings(g.message);

  // After the game any click leaves.
  d.ClickAway();
  EXPECT_FALSE(GameWindowOpen());
}

TEST(GameTest, OnePlayerPlaysTheWholeCourse) {
  PlayWholeGame(1);
}

TEST(GameTest, FourPlayersPlayTheWholeCourse) {
  PlayWholeGame(4);
}

// A hidden window draws nothing, and its frames still run: the same stroke from the same
// seed ends where it does on screen.
TEST(GameTest, HiddenWindowDrawsNothingAndPlaysTheSame) {
  ASSERT_TRUE(MissingData({kCourse[0]}).empty()) << "course data missing";
  Ball seen;
  for (const bool hidden : {false, true}) {
    GameDriver d;
    ASSERT_TRUE(d.Open(GameSetup{}));
    d.ClickAway();
    ASSERT_TRUE(d.RunUntil(GameDriver::ReadyToPutt, 600));
    const int presented = d.platform().presented();
    const std::vector<uint16_t> before = d.platform().frame();
    d.platform().SetDisplayHidden(hidden);
    ASSERT_TRUE(d.PullPuttTowardsCup(0, 1.5));
    ASSERT_TRUE(d.RunUntil([] { return !gs().ballsmoving; }, 2000));
    const Ball& b = gs().players[1];
    EXPECT_EQ(b.strokes, 1);
    if (!hidden) {
      EXPECT_GT(d.platform().presented(), presented);
      seen = b;
      continue;
    }
    EXPECT_EQ(d.platform().presented(), presented);
    EXPECT_EQ(d.platform().frame(), before) << "drawn while hidden";
    EXPECT_EQ(b.x, seen.x);
    EXPECT_EQ(b.y, seen.y);
    EXPECT_EQ(b.inhole, seen.inhole);
    d.platform().SetDisplayHidden(false);
    d.Frame();
    EXPECT_EQ(d.platform().presented(), presented + 1);
    EXPECT_NE(d.platform().frame(), before);
  }
}

TEST(GameTest, TrainingHolesOutWithoutStrokeLimit) {
  const std::string missing = MissingData({"training1"});
  ASSERT_TRUE(missing.empty()) << "training data missing:" << missing;
  GameDriver d;
  GameSetup s;
  s.training = true;
  s.strokelimit = "6";
  ASSERT_TRUE(d.Open(s));
  GameState& g = gs();
  EXPECT_EQ(g.holename, "training1");
  // Seven feeble putts first: past the limit of 6, the ball stays in play.
  for (int i = 0; i < 7; ++i) {
    ASSERT_TRUE(
        d.RunUntil([] { return GameDriver::ReadyToPutt() || gs().gamestate == kHoleCard; }, 600));
    if (g.gamestate == kHoleCard) d.ClickAway();
    ASSERT_TRUE(d.RunUntil(GameDriver::ReadyToPutt, 600));
    ASSERT_TRUE(d.PullPuttTowardsCup(0, 0.2));
  }
  EXPECT_EQ(g.players[1].strokes, 7);
  EXPECT_FALSE(g.players[1].inhole);
  ASSERT_TRUE(d.PlayHole(60)) << "the training hole was not holed out";
  const Ball& p = g.players[1];
  EXPECT_TRUE(p.inhole);
  EXPECT_EQ(p.holestrokes[1], d.strokes());
  EXPECT_NE(g.bigmessage, "OVER STROKE LIMIT");
}

TEST(GameTest, PlayOnALaterHoleEndsAfterTheCoursesSixth) {
  const std::string missing = MissingData({kCourse[4], kCourse[5]});
  ASSERT_TRUE(missing.empty()) << "course data missing:" << missing;
  GameDriver d;
  GameSetup s;
  ASSERT_TRUE(d.Open(s, kCourse[4]));
  GameState& g = gs();
  EXPECT_EQ(g.holenumber, 5);
  ASSERT_TRUE(d.PlayHole(30));
  ASSERT_EQ(g.gamestate, kHoleFinished);
  ASSERT_TRUE(d.RunUntil([] { return gs().gamestate == kHoleCard; }, 400));
  EXPECT_EQ(g.holename, kCourse[5]);
  EXPECT_EQ(g.holenumber, 6);
  ASSERT_TRUE(d.PlayHole(30));
  EXPECT_TRUE(g.gameover);
  EXPECT_EQ(g.gamestate, kScoreDetails);
  const Ball& p = g.players[1];
  for (int h = 1; h <= 4; ++h) EXPECT_EQ(p.holestrokes[h], 0) << h;
  EXPECT_GE(p.holestrokes[5], 1);
  EXPECT_GE(p.holestrokes[6], 1);
  EXPECT_EQ(p.total, p.holestrokes[5] + p.holestrokes[6]);
  EXPECT_EQ(g.totalpar, g.holepar[5] + g.holepar[6]);
}

}  // namespace
}  // namespace gp
