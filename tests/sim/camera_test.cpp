// The view over the course: following, gliding, free scrolling, clamping and
// centring, on the screen and course sizes the game window publishes.
#include "sim/camera.h"

#include <gtest/gtest.h>

#include "game/state.h"
#include "support/game_reset.h"

namespace gp {
namespace {

constexpr int kW = 640, kH = 480;

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState();
    GameState& g = gs();
    g.screenwidth = kW;
    g.screenheight = kH;
    g.numplayers = 1;
    g.curplayer = 1;
    g.mousex = kW / 2;
    g.mousey = kH / 2;
  }
  static void Course(int w, int h) {
    gs().coursewidth = w;
    gs().courseheight = h;
  }
  // A ball of player 1 on the course at (x, y, z).
  static Ball& BallAt(double x, double y, double z) {
    Ball& b = gs().players[1];
    b.x = x, b.y = y, b.z = z;
    b.oncourse = true;
    return b;
  }
};

TEST_F(ViewTest, CourseOfScreenSizeNeverScrolls) {
  Course(kW, kH);
  GameState& g = gs();
  g.mousex = kW - 1, g.mousey = kH - 1;
  g.keyright = g.keydown = true;
  for (int f = 0; f < 50; ++f) UpdateView();
  EXPECT_EQ(g.viewx, 0);
  EXPECT_EQ(g.viewy, 0);

  g.ballsmoving = true;
  BallAt(630, 470, 0).moving = true;
  UpdateView();
  EXPECT_EQ(g.viewx, 0);
  EXPECT_EQ(g.viewy, 0);
}

TEST_F(ViewTest, SmallCourseIsCentredAndTheGlideStops) {
  Course(400, 300);
  GameState& g = gs();
  BallAt(390, 10, 0);
  g.centreview = true;
  UpdateView();
  EXPECT_EQ(g.viewx, -120);
  EXPECT_EQ(g.viewy, -90);
  // The glide stalls once the centred view repeats: two more frames at most.
  UpdateView();
  UpdateView();
  EXPECT_FALSE(g.centreview);
  EXPECT_EQ(g.viewx, -120);
  EXPECT_EQ(g.viewy, -90);
}

TEST_F(ViewTest, GlideEasesTowardsTheBallAndStopsOnArrival) {
  Course(4000, 3000);
  GameState& g = gs();
  BallAt(2320, 1240, 0);  // target view (2000, 1000)
  g.centreview = true;
  g.lastviewx = -1;
  UpdateView();
  // A quarter of the way, and the follow keeps the ball 128 inside the screen.
  EXPECT_EQ(g.viewx, 1808);
  EXPECT_EQ(g.viewy, 888);
  int frames = 1;
  while (g.centreview && frames < 100) {
    UpdateView();
    ++frames;
  }
  EXPECT_FALSE(g.centreview);
  EXPECT_LT(frames, 30);
  EXPECT_NEAR(g.viewx, 2000, 12);
  EXPECT_NEAR(g.viewy, 1000, 12);
}

TEST_F(ViewTest, FollowKeepsTheBall128Inside) {
  Course(2000, 2000);
  GameState& g = gs();
  g.viewx = 1000, g.viewy = 1000;
  g.ballsmoving = true;
  BallAt(1100, 1240, 0).moving = true;  // 100 from the left edge
  UpdateView();
  EXPECT_EQ(g.viewx, 972);
  EXPECT_EQ(g.viewy, 1000);

  // The height lifts the ball up the screen; the right and bottom margins.
  BallAt(972 + 540, 972 + 300, -100);  // drawn at y 972 + 400
  UpdateView();
  EXPECT_EQ(g.viewx, 972 + 540 - 512);
  EXPECT_EQ(g.viewy, 972 + 400 - 352);
}

TEST_F(ViewTest, FollowTakesTheHighestMovingBallWhenTheCurrentOneRests) {
  Course(3000, 3000);
  GameState& g = gs();
  g.numplayers = 4;
  g.curplayer = 2;
  g.viewx = 1000, g.viewy = 1000;
  g.ballsmoving = true;
  g.players[2].x = 1300, g.players[2].y = 1200;  // at rest, well inside
  g.players[1].x = 1010, g.players[1].y = 1200, g.players[1].moving = true;
  g.players[3].x = 1020, g.players[3].y = 1200, g.players[3].moving = true;
  g.players[4].x = 1030, g.players[4].y = 1200;
  UpdateView();
  EXPECT_EQ(g.viewx, 1020 - 128);

  // A sinking current ball is still followed.
  g.viewx = 1000;
  g.players[2].sinking = true;
  g.players[2].x = 1050;
  UpdateView();
  EXPECT_EQ(g.viewx, 1050 - 128);

  // Nothing moves: the current ball.
  g.players[2].sinking = false;
  g.players[1].moving = g.players[3].moving = false;
  g.puttstage = 1;
  g.viewx = 1000;
  UpdateView();
  EXPECT_EQ(g.viewx, 1050 - 128);
}

TEST_F(ViewTest, FreeScrollAcceleratesAndCoastsToAStop) {
  Course(3000, 3000);
  GameState& g = gs();
  g.viewx = 500, g.viewy = 500;
  g.mousex = kW - 2;  // within 4 pixels of the right edge
  for (int f = 0; f < 5; ++f) UpdateView();
  EXPECT_EQ(g.scrollvx, 10);  // +4 -2 per frame
  EXPECT_EQ(g.viewx, 502);    // 2, 4, 6 move nothing; 8 and 10 move 1 each
  for (int f = 0; f < 100; ++f) UpdateView();
  EXPECT_EQ(g.scrollvx, 64);
  const int before = g.viewx;
  g.mousex = kW / 2;
  UpdateView();
  EXPECT_EQ(g.scrollvx, 62);
  EXPECT_EQ(g.viewx, before + 7);
  for (int f = 0; f < 31; ++f) UpdateView();
  EXPECT_EQ(g.scrollvx, 0);
  EXPECT_EQ(g.scrollvy, 0);

  // The up arrow, twice the steps per frame at timescale 2.
  g.timescale = 2;
  g.keyup = true;
  UpdateView();
  EXPECT_EQ(g.scrollvy, -4);
  g.keyup = false;
  UpdateView();
  EXPECT_EQ(g.scrollvy, 0);
  for (int f = 0; f < 100; ++f) {
    g.keyleft = true;
    UpdateView();
  }
  EXPECT_EQ(g.scrollvx, -128);

  // The clamp holds the view inside the course.
  g.viewx = 5;
  UpdateView();
  EXPECT_EQ(g.viewx, 0);
  g.keyleft = false;
  g.viewx = 2500, g.viewy = 2900;
  UpdateView();
  EXPECT_EQ(g.viewx, 3000 - kW);
  EXPECT_EQ(g.viewy, 3000 - kH);
}

TEST_F(ViewTest, HoledOutBallSendsTheViewToTheRightEdge) {
  Course(2000, 1500);
  GameState& g = gs();
  g.viewx = 700, g.viewy = 500;
  g.players[1].x = 5000, g.players[1].y = 700;
  g.centreview = true;
  UpdateView();
  EXPECT_EQ(g.viewx, 2000 - kW);
  for (int f = 0; f < 20; ++f) UpdateView();
  EXPECT_EQ(g.viewx, 2000 - kW);
  EXPECT_FALSE(g.centreview);
}

}  // namespace
}  // namespace gp
