// A ball that leaves the course picture, through whole frames: it falls into
// space and comes back where it was struck from, with the penalty stroke of
// the "minus1" rule, and the turn goes on.

#include <gtest/gtest.h>

#include <cmath>

#include "app/frame_tick.h"
#include "game/setup.h"
#include "game/state.h"
#include "support/game_reset.h"

namespace gp {
namespace {

TEST(LeaveCourseFrames, TheBallComesBackWhereItWasStruck) {
  HeadlessPlatform platform;
  for (const bool penalty : {false, true}) {
    SCOPED_TRACE(penalty ? "minus1" : "no penalty");
    test::FreshGame(platform, 2);
    setup().minus1 = penalty;
    GameState& g = gs();
    g.coursewidth = 1200, g.courseheight = 840;
    g.gamestate = kPlay;
    g.curplayer = 1;
    Ball& b = g.players[1];
    b.x = b.checkx = b.backx = b.strokex = 600;
    b.y = b.checky = b.backy = b.strokey = 40;
    b.oncourse = true;
    b.strokes = b.total = 2;
    b.angle = 192;  // straight up, out of the top of the picture
    b.speed = 2;
    b.moving = true;
    g.ballsmoving = true;
    Ball& other = g.players[2];
    other.x = 300, other.y = 600, other.oncourse = true;
    bool fell = false;
    for (int f = 0; f < 600 && (g.ballsmoving || !fell); ++f) {
      RunFrame(false);
      fell = fell || b.falloff;
    }
    EXPECT_TRUE(fell);
    EXPECT_FALSE(b.falloff);
    EXPECT_FALSE(b.moving);
    EXPECT_TRUE(b.oncourse);
    // Back on a flattened ring of radius 4..25 around the stroke's start.
    EXPECT_LE(std::fabs(b.x - 600), 26);
    EXPECT_LE(std::fabs(b.y - 40), 13);
    EXPECT_EQ(b.strokes, penalty ? 3 : 2);
    EXPECT_EQ(g.curplayer, 2);
  }
  gamewin().platform = nullptr;
}

}  // namespace
}  // namespace gp
