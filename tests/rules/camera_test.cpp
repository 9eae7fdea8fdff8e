#include "rules/camera.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/state.h"
#include "present/main_window.h"
#include "present/rgb565.h"

namespace gp {
namespace {

constexpr int kW = 640, kH = 480;

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    TMain& win = mainwin();
    win.course.items.clear();
    win.gui.items.clear();
    win.DXDraw.Start(nullptr, kW, kH, false);
    win.DXDraw.Fill(0);
    gs().numplayers = 1;
    gs().curplayer = 1;
    gs().mousex = kW / 2;
    gs().mousey = kH / 2;
  }
  void TearDown() override {
    mainwin().DXDraw.Finalize();
    mainwin().course.items.clear();
    mainwin().gui.items.clear();
  }

  // Course item 0 of the given size (only its size matters to the view).
  static void Course(int w, int h) {
    ImageItem item;
    item.picture.width = w, item.picture.height = h;
    item.w = w, item.h = h;
    mainwin().course.items.assign(1, item);
  }
  // Ball textures for every player: texel k shows the display value 1000 + k.
  // Prepared as the window prepares them, or left as a bare picture.
  static void Textures(bool prepare = true) {
    std::vector<ImageItem>& items = mainwin().gui.items;
    items.resize(18);
    for (int p = 1; p <= 4; ++p) {
      ImageItem& t = items[static_cast<size_t>(10 + p)];
      t = ImageItem{};
      t.picture.width = t.picture.height = 16;
      t.picture.pixels.resize(256);
      for (int k = 0; k < 256; ++k)
        t.picture.pixels[static_cast<size_t>(k)] = FromNative(uint16_t(1000 + k));
      if (prepare) PrepareItem(t);
    }
  }
  static uint16_t Pixel(int x, int y) {
    const Display& d = mainwin().DXDraw;
    return d.Pixels()[y * d.Pitch() + x];
  }
  // A ball of player 1 on the course at (x, y, z), view at the origin.
  static playerrec& Ball(double x, double y, double z) {
    playerrec& b = gs().players[1];
    b.x = x, b.y = y, b.z = z;
    b.oncourse = true;
    return b;
  }
  // Number of non-black pixels in the 16 x 16 square at (x, y).
  static int Painted(int x, int y) {
    int n = 0;
    for (int r = 0; r < 16; ++r)
      for (int i = 0; i < 16; ++i) n += Pixel(x + i, y + r) != 0;
    return n;
  }
};

TEST_F(CameraTest, CourseOfScreenSizeNeverScrolls) {
  Course(kW, kH);
  GameState& g = gs();
  g.mousex = kW - 1, g.mousey = kH - 1;
  g.keyright = g.keydown = true;
  for (int f = 0; f < 50; ++f) UpdateView();
  EXPECT_EQ(g.viewx, 0);
  EXPECT_EQ(g.viewy, 0);

  g.ballsmoving = true;
  Ball(630, 470, 0).moving = true;
  UpdateView();
  EXPECT_EQ(g.viewx, 0);
  EXPECT_EQ(g.viewy, 0);
}

TEST_F(CameraTest, SmallCourseIsCentredAndTheGlideStops) {
  Course(400, 300);
  GameState& g = gs();
  Ball(390, 10, 0);
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

TEST_F(CameraTest, GlideEasesTowardsTheBallAndStopsOnArrival) {
  Course(4000, 3000);
  GameState& g = gs();
  Ball(2320, 1240, 0);  // target view (2000, 1000)
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

TEST_F(CameraTest, FollowKeepsTheBall128Inside) {
  Course(2000, 2000);
  GameState& g = gs();
  g.viewx = 1000, g.viewy = 1000;
  g.ballsmoving = true;
  Ball(1100, 1240, 0).moving = true;  // 100 from the left edge
  UpdateView();
  EXPECT_EQ(g.viewx, 972);
  EXPECT_EQ(g.viewy, 1000);

  // The height lifts the ball up the screen; the right and bottom margins.
  Ball(972 + 540, 972 + 300, -100);  // drawn at y 972 + 400
  UpdateView();
  EXPECT_EQ(g.viewx, 972 + 540 - 512);
  EXPECT_EQ(g.viewy, 972 + 400 - 352);
}

TEST_F(CameraTest, FollowTakesTheHighestMovingBallWhenTheCurrentOneRests) {
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

TEST_F(CameraTest, FreeScrollAcceleratesAndCoastsToAStop) {
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

TEST_F(CameraTest, HoledOutBallSendsTheViewToTheRightEdge) {
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

TEST_F(CameraTest, ShadowShrinksAndFadesWithHeight) {
  Rect r;
  int alpha = 0;
  playerrec b;
  b.x = 100, b.y = 200, b.z = 30;
  ASSERT_TRUE(ShadowOf(b, 10, 20, r, alpha));
  EXPECT_EQ(alpha, 118);
  EXPECT_EQ(r.w, 19);
  EXPECT_EQ(r.h, 16);
  EXPECT_EQ(r.x, 100 - 10 - 4);
  EXPECT_EQ(r.y, 200 - 20 - 6);  // on the ground, not lifted by the height
  b.z = 381;
  ASSERT_TRUE(ShadowOf(b, 0, 0, r, alpha));
  EXPECT_EQ(alpha, 1);
  b.z = 384;
  EXPECT_FALSE(ShadowOf(b, 0, 0, r, alpha));
  b.z = 1000;
  EXPECT_FALSE(ShadowOf(b, 0, 0, r, alpha));
  b.z = 0;
  b.sinking = true;
  EXPECT_FALSE(ShadowOf(b, 0, 0, r, alpha));
}

TEST_F(CameraTest, BallAtSpin0ReproducesTheTextureThroughTheMap) {
  Course(kW, kH);
  Textures();
  Ball(108, 208, 0);
  DrawBalls();
  for (int r = 0; r < 16; ++r) {
    for (int i = 0; i < 16; ++i) {
      const int k = 16 * r + i;
      const uint16_t want = kSphereMask[k] > 128 ? uint16_t(1000 + kSphereMap[k]) : 0;
      EXPECT_EQ(Pixel(100 + i, 200 + r), want) << r << "," << i;
    }
  }
}

TEST_F(CameraTest, BallRotatesAndRolls) {
  Course(kW, kH);
  Textures();
  playerrec& b = Ball(108, 208, 0);
  b.spin = 64;  // a quarter turn: texel (i, r) samples the map at column r, row 16 - i
  b.rollx = 1.4, b.rolly = 2.0;  // shifts the sampled texel by -(16 * 2 + 1)
  DrawBalls();
  for (int r = 0; r < 16; ++r) {
    for (int i = 1; i < 16; ++i) {
      const int k = 16 * r + i;
      if (kSphereMask[k] <= 128) continue;
      const int n = (kSphereMap[16 * (16 - i) + r] - 33) & 255;
      EXPECT_EQ(Pixel(100 + i, 200 + r), 1000 + n) << r << "," << i;
    }
  }
}

TEST_F(CameraTest, SinkingBallShowsOnlyItsUpperRows) {
  Course(kW, kH);
  Textures();
  playerrec& b = Ball(108, 208, 0);
  b.ballrows = 7;
  b.sinking = true;
  DrawBalls();
  int upper = 0, lower = 0;
  for (int r = 0; r < 16; ++r)
    for (int i = 0; i < 16; ++i) (r < 8 ? upper : lower) += Pixel(100 + i, 200 + r) != 0;
  EXPECT_GT(upper, 70);
  EXPECT_EQ(lower, 0);
}

TEST_F(CameraTest, BallsBelowTheCupOrOffTheCourseAreNotDrawn) {
  Course(kW, kH);
  Textures();
  playerrec& b = Ball(108, 208, -30);
  DrawBalls();
  EXPECT_EQ(Painted(100, 230), 0);
  b.z = -29.5;  // still drawn, lifted by round(-29.5) = -30
  DrawBalls();
  EXPECT_EQ(Painted(100, 230), 148);  // the whole sphere

  mainwin().DXDraw.Fill(0);
  b.z = 0;
  b.oncourse = false;
  DrawBalls();
  EXPECT_EQ(Painted(100, 200), 0);

  // Lifted by its height, and clipped at the screen's edge without harm.
  b.oncourse = true;
  b.z = 20;
  b.x = 2, b.y = 28;
  DrawBalls();
  EXPECT_EQ(Pixel(1, 7), 1000 + kSphereMap[16 * 7 + 7]);
}

TEST_F(CameraTest, UnpreparedTextureIsConvertedFromItsPicture) {
  Course(kW, kH);
  Textures(false);
  Ball(108, 208, 0);
  DrawBalls();
  EXPECT_EQ(Pixel(107, 207), 1000 + kSphereMap[16 * 7 + 7]);
  EXPECT_EQ(Painted(100, 200), 148);
}

TEST_F(CameraTest, MissingTextureDrawsNoBody) {
  Course(kW, kH);
  Ball(108, 208, 0);
  DrawBalls();
  EXPECT_EQ(Painted(100, 200), 0);
}

TEST_F(CameraTest, ShadeClearsOnlyForAMovingBall) {
  Course(kW, kH);
  playerrec& b = Ball(108, 208, 0);
  b.shade = 90;
  DrawBalls();
  EXPECT_EQ(b.shade, 90);
  b.moving = true;
  b.sinking = true;  // no shading pass while sinking
  DrawBalls();
  EXPECT_EQ(b.shade, 90);
  b.sinking = false;
  DrawBalls();
  EXPECT_EQ(b.shade, 0);
}

TEST_F(CameraTest, DrawOrderByRoundedYThenPlayer) {
  GameState& g = gs();
  g.numplayers = 4;
  g.players[1].y = 100.4;
  g.players[2].y = 100;
  g.players[3].y = 99.6;
  g.players[4].y = 50;
  int order[4];
  ASSERT_EQ(DrawOrder(order), 4);
  EXPECT_EQ(order[0], 4);
  EXPECT_EQ(order[1], 1);
  EXPECT_EQ(order[2], 2);
  EXPECT_EQ(order[3], 3);
  g.players[2].y = 100.5;  // rounds to 100 (halves to even)
  g.players[1].y = 101.5;  // rounds to 102
  DrawOrder(order);
  EXPECT_EQ(order[1], 2);
  EXPECT_EQ(order[2], 3);
  EXPECT_EQ(order[3], 1);
  g.numplayers = 2;
  EXPECT_EQ(DrawOrder(order), 2);
}

}  // namespace
}  // namespace gp
