// The frame's ball pass: each ball's rules run whether or not the ball is drawn,
// so a ball deep in a pipe or a cup, where it is no longer drawn, still travels
// through the pipe or holes out.
#include <gtest/gtest.h>

#include "app/frame_tick.h"
#include "game/area_kind.h"
#include "game/draw_order.h"
#include "game/state.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class BallPhaseTest : public test::GameTest {
 protected:
  Ball& B() { return gs().players[1]; }
  // Runs the ball pass (with drawing) until `done` or `limit` frames.
  template <typename Done>
  int Frames(Done done, int limit, bool& sawundrawn) {
    int frames = 0;
    for (; frames < limit && !done(); ++frames) {
      sawundrawn = sawundrawn || !BallDrawn(B());
      BallPhase(WindowScene(), true);
    }
    return frames;
  }
};

TEST_F(BallPhaseTest, APipeCarriesABallThatIsNoLongerDrawn) {
  Area& a = gs().areas[4];
  a.kind = kPipe;
  a.enabled = true;
  a.x1 = 500, a.y1 = 500, a.r = 10;
  a.x2 = 700, a.y2 = 560;  // the exit: the ball must fall 60 below the mouth
  a.x3 = 700, a.y3 = 550, a.x4 = 800, a.y4 = 550;
  Ball& b = B();
  b.x = b.checkx = 500, b.y = b.checky = 500;
  b.oncourse = true;
  b.inpipe = true;
  b.holearea = 4;
  bool sawundrawn = false;
  const int frames = Frames([&] { return !b.inpipe; }, 200, sawundrawn);
  EXPECT_TRUE(sawundrawn) << "the ball should pass out of sight in the pipe";
  EXPECT_LT(frames, 200);
  EXPECT_FALSE(b.inpipe);
  EXPECT_EQ(b.x, 700);
}

TEST_F(BallPhaseTest, ABallDroppingOutOfSightInTheCupHolesOut) {
  Area& cup = gs().areas[7];
  cup.kind = kCup;
  cup.enabled = true;
  cup.x1 = 300, cup.y1 = 300, cup.r = 8;
  Ball& b = B();
  b.x = 300, b.y = 300;
  b.oncourse = true;
  b.inhole = true;
  b.moving = true;
  b.holearea = 7;
  b.strokes = 2;
  gs().par = 3;
  bool sawundrawn = false;
  Frames([&] { return !b.oncourse; }, 200, sawundrawn);
  EXPECT_TRUE(sawundrawn);
  EXPECT_FALSE(b.oncourse);  // holed out
  EXPECT_EQ(gs().bigmessage, "BIRDIE");
}

}  // namespace
}  // namespace gp
