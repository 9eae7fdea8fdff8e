// The stroke limit run through whole frames: the ball it takes out passes the
// turn once, whatever the number of players and the next-player rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "app/frame_tick.h"
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

}  // namespace
}  // namespace gp
