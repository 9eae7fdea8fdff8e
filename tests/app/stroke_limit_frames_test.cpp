// The stroke limit run through whole frames: the ball it takes out passes the
// turn once, whatever the number of players and the next-player rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "app/frame_tick.h"
#include "base/random.h"
#include "game/area_kind.h"
#include "game/setup.h"
#include "game/state.h"
#include "support/game_reset.h"

namespace gp {
namespace {

constexpr int kSequential = 0;
constexpr int kFarthest = 1;

// Player 1 comes to rest on the limit of 6; the others have not played yet and
// wait at their starts (player 2 farthest from the cup, then 3, then 4).
void StrokeLimitReached(int players, int rule) {
  setup().strokelimit = "6";
  setup().nextplayer = rule;
  GameState& g = gs();
  g.cupx = 900;
  g.cupy = 300;
  for (int i = 1; i <= players; ++i) {
    Ball& b = g.players[i];
    b.x = b.checkx = b.backx = 100.0 * i;
    b.y = b.checky = b.backy = 300;
  }
  Ball& first = g.players[1];
  first.x = first.checkx = first.backx = 700;
  first.strokes = first.total = 6;
  first.speed = 0.004;  // rests in its next physics step
  first.moving = true;
  g.ballsmoving = true;
  g.gamestate = kPlay;
}

TEST(StrokeLimitFrames, TheTakenOutBallPassesTheTurnOnce) {
  HeadlessPlatform platform;
  for (const auto& [players, rule, next] :
       {std::tuple{3, kSequential, 2}, std::tuple{4, kSequential, 2}, std::tuple{3, kFarthest, 2},
        std::tuple{4, kFarthest, 2}, std::tuple{1, kSequential, 1}}) {
    SCOPED_TRACE(testing::Message() << players << " players, rule " << rule);
    test::FreshGame(platform, players);
    test::SoundLog sounds;
    StrokeLimitReached(players, rule);
    for (int f = 0; f < 10; ++f) RunFrame(false);
    const GameState& g = gs();
    const std::vector<int> played = sounds.Effects();
    EXPECT_EQ(std::count(played.begin(), played.end(), 24), 1);  // one turn change
    EXPECT_EQ(std::count(played.begin(), played.end(), 10), 1);  // one ball taken out
    EXPECT_EQ(g.curplayer, next);
    EXPECT_EQ(g.bigmessage, "OVER STROKE LIMIT");
    const Ball& out = g.players[1];
    EXPECT_TRUE(out.inhole);
    EXPECT_FALSE(out.oncourse);
    EXPECT_FALSE(out.moving);
    EXPECT_EQ(out.holestrokes[1], 6);
    if (players == 1) {
      EXPECT_EQ(g.gamestate, kHoleFinished);
      continue;
    }
    // The next player's turn is untouched: on the course, nothing pending.
    EXPECT_TRUE(g.players[next].oncourse);
    EXPECT_FALSE(g.passturn);
    EXPECT_FALSE(g.ballsmoving);
    EXPECT_EQ(g.gamestate, kPlay);
    for (int i = 2; i <= players; ++i) EXPECT_FALSE(g.players[i].inhole) << i;
  }
  gamewin().platform = nullptr;
}

// A penalty stroke can take a waiting player to the limit while another plays
// (a ball knocked into water). When the turn comes to that player, the ball is
// taken out before it can be struck over the limit, and the turn goes on.
TEST(StrokeLimitFrames, APlayerPushedToTheLimitIsTakenOutWhenTheTurnComes) {
  HeadlessPlatform platform;
  for (const auto& [players, rule, next] :
       {std::tuple{3, kSequential, 3}, std::tuple{2, kSequential, 1}, std::tuple{3, kFarthest, 3}}) {
    SCOPED_TRACE(testing::Message() << players << " players, rule " << rule);
    test::FreshGame(platform, players);
    test::SoundLog sounds;
    StrokeLimitReached(players, rule);
    GameState& g = gs();
    g.players[1].strokes = g.players[1].total = 3;  // player 1's turn ends well under it
    Ball& pushed = g.players[2];
    pushed.strokes = pushed.total = 6;  // the penalty took player 2 to the limit
    pushed.oncourse = true;
    pushed.x = pushed.checkx = pushed.backx = 50;  // farthest from the cup
    for (int f = 0; f < 10; ++f) RunFrame(false);
    EXPECT_EQ(g.curplayer, next);
    EXPECT_TRUE(pushed.inhole);
    EXPECT_FALSE(pushed.oncourse);
    EXPECT_EQ(pushed.holestrokes[1], 6);
    EXPECT_EQ(g.bigmessage, "OVER STROKE LIMIT");
    const std::vector<int> played = sounds.Effects();
    EXPECT_EQ(std::count(played.begin(), played.end(), 10), 1);
    EXPECT_FALSE(g.players[1].inhole);
    EXPECT_EQ(g.gamestate, kPlay);
  }
  gamewin().platform = nullptr;
}

// A bonus stroke (a ball coming back from water touching another, with the
// "plus1" rule) can leave a player at the limit after a penalty stroke: the
// bonus turn is not given then, the ball is taken out and the turn passes.
TEST(StrokeLimitFrames, NoBonusTurnAtTheLimit) {
  HeadlessPlatform platform;
  for (const int strokes : {6, 5}) {
    SCOPED_TRACE(testing::Message() << strokes << " strokes");
    test::FreshGame(platform, 2);
    StrokeLimitReached(2, kSequential);
    GameState& g = gs();
    g.players[1].strokes = g.players[1].total = strokes;
    g.bonusturn = true;
    for (int f = 0; f < 10; ++f) RunFrame(false);
    const bool over = strokes == 6;
    EXPECT_EQ(g.curplayer, over ? 2 : 1);
    EXPECT_EQ(g.players[1].inhole, over);
  }
  gamewin().platform = nullptr;
}

// Rubble under a ball the stroke limit takes out would set it rolling again,
// in the hole but on the course, and its player could strike it over the
// limit. Whatever the random draws, the ball holes out and the hole ends.
TEST(StrokeLimitFrames, RubbleDoesNotWakeATakenOutBall) {
  HeadlessPlatform platform;
  for (uint64_t seed = 1; seed <= 24; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    test::FreshGame(platform, 1);
    Randomize(seed);
    StrokeLimitReached(1, kSequential);
    Area& rubble = gs().areas[1];
    rubble = Area{};
    rubble.kind = kRubble;
    rubble.enabled = true;
    rubble.x1 = 650, rubble.y1 = 250, rubble.x2 = 750, rubble.y2 = 250;
    rubble.x3 = 750, rubble.y3 = 350, rubble.x4 = 650, rubble.y4 = 350;
    for (int f = 0; f < 10; ++f) RunFrame(false);
    const Ball& out = gs().players[1];
    EXPECT_TRUE(out.inhole);
    EXPECT_FALSE(out.oncourse);
    EXPECT_EQ(out.strokes, 6);
    EXPECT_EQ(gs().gamestate, kHoleFinished);
  }
  gamewin().platform = nullptr;
}

}  // namespace
}  // namespace gp
