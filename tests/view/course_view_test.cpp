#include "view/course_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/state.h"
#include "app/frame_tick.h"
#include "app/game_window.h"
#include "app/hole_load.h"
#include "game/draw_order.h"
#include "sim/camera.h"
#include "media/rgb565.h"
#include "support/game_reset.h"

namespace gp {
namespace {

constexpr int kW = 640, kH = 480;

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState();
    GameWindow& win = gamewin();
    win.course.items.clear();
    win.gui.items.clear();
    win.display.Start(nullptr, kW, kH, false);
    win.display.Fill(0);
    gs().numplayers = 1;
    gs().curplayer = 1;
    gs().mousex = kW / 2;
    gs().mousey = kH / 2;
  }
  void TearDown() override {
    gamewin().display.Finalize();
    gamewin().course.items.clear();
    gamewin().gui.items.clear();
  }

  // Course item 0 of the given size (only its size matters to the view).
  static void Course(int w, int h) {
    ImageItem item;
    item.picture.width = w, item.picture.height = h;
    item.w = w, item.h = h;
    gamewin().course.items.assign(1, item);
    PublishCourseImages();
  }
  // Ball textures for every player: texel k shows the display value 1000 + k.
  // Prepared as the window prepares them, or left as a bare picture.
  static void Textures(bool prepare = true) {
    std::vector<ImageItem>& items = gamewin().gui.items;
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
    const Display& d = gamewin().display;
    return d.Pixels()[y * d.Pitch() + x];
  }
  // A ball of player 1 on the course at (x, y, z), view at the origin.
  static Ball& BallAt(double x, double y, double z) {
    Ball& b = gs().players[1];
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

TEST_F(CameraTest, ShadowShrinksAndFadesWithHeight) {
  Rect r;
  int alpha = 0;
  Ball b;
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
  BallAt(108, 208, 0);
  BallPhase(WindowScene(), true);
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
  Ball& b = BallAt(108, 208, 0);
  b.spin = 64;  // a quarter turn: texel (i, r) samples the map at column r, row 16 - i
  b.rollx = 1.4, b.rolly = 2.0;  // shifts the sampled texel by -(16 * 2 + 1)
  BallPhase(WindowScene(), true);
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
  Ball& b = BallAt(108, 208, 0);
  b.ballrows = 7;
  b.sinking = true;
  BallPhase(WindowScene(), true);
  int upper = 0, lower = 0;
  for (int r = 0; r < 16; ++r)
    for (int i = 0; i < 16; ++i) (r < 8 ? upper : lower) += Pixel(100 + i, 200 + r) != 0;
  EXPECT_GT(upper, 70);
  EXPECT_EQ(lower, 0);
}

TEST_F(CameraTest, BallsBelowTheCupOrOffTheCourseAreNotDrawn) {
  Course(kW, kH);
  Textures();
  Ball& b = BallAt(108, 208, -30);
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Painted(100, 230), 0);
  b.z = -29.5;  // still drawn, lifted by round(-29.5) = -30
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Painted(100, 230), 148);  // the whole sphere

  gamewin().display.Fill(0);
  b.z = 0;
  b.oncourse = false;
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Painted(100, 200), 0);

  // Lifted by its height, and clipped at the screen's edge without harm.
  b.oncourse = true;
  b.z = 20;
  b.x = 2, b.y = 28;
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(1, 7), 1000 + kSphereMap[16 * 7 + 7]);
}

TEST_F(CameraTest, UnpreparedTextureIsConvertedFromItsPicture) {
  Course(kW, kH);
  Textures(false);
  BallAt(108, 208, 0);
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(107, 207), 1000 + kSphereMap[16 * 7 + 7]);
  EXPECT_EQ(Painted(100, 200), 148);
}

TEST_F(CameraTest, MissingTextureDrawsNoBody) {
  Course(kW, kH);
  BallAt(108, 208, 0);
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Painted(100, 200), 0);
}

TEST_F(CameraTest, ShadeClearsOnlyForAMovingBall) {
  Course(kW, kH);
  Ball& b = BallAt(108, 208, 0);
  b.shade = 90;
  BallPhase(WindowScene(), true);
  EXPECT_EQ(b.shade, 90);
  b.moving = true;
  b.sinking = true;  // no shading pass while sinking
  BallPhase(WindowScene(), true);
  EXPECT_EQ(b.shade, 90);
  b.sinking = false;
  BallPhase(WindowScene(), true);
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

// Drawing through the display: shadow, shading, foreground tiles, covers, course.
class CameraDrawTest : public CameraTest {
 protected:
  // A prepared, opaque picture of w x h in one colour, cut into patterns of pw x ph.
  static ImageItem Solid(int w, int h, uint32_t colour, int pw = 0, int ph = 0) {
    ImageItem item;
    item.transparent = false;
    item.patternwidth = pw, item.patternheight = ph;
    item.picture.width = w, item.picture.height = h;
    item.picture.pixels.assign(static_cast<size_t>(w) * h, colour);
    PrepareItem(item);
    return item;
  }
  static ImageItem& Gui(int i) {
    std::vector<ImageItem>& items = gamewin().gui.items;
    if (items.size() < 18) items.resize(18);
    return items[static_cast<size_t>(i)];
  }
  static ImageItem& CourseItem(int i) {
    std::vector<ImageItem>& items = gamewin().course.items;
    if (items.size() < static_cast<size_t>(i) + 1) items.resize(static_cast<size_t>(i) + 1);
    return items[static_cast<size_t>(i)];
  }
};

TEST_F(CameraDrawTest, ShadowIsStretchedAndFadedWithHeight) {
  Course(kW, kH);
  Gui(17) = Solid(16, 16, 0xFFFFFF);
  Display& d = gamewin().display;
  // The reference: the shadow picture subtracted with alpha 118.
  d.Fill(0xFFFF);
  d.DrawSub(Gui(17), 0, Rect{0, 0, 16, 16}, 118);
  const uint16_t shaded = Pixel(0, 0);
  ASSERT_NE(shaded, 0xFFFF);

  d.Fill(0xFFFF);
  BallAt(108, 208, 30);
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(104, 202), shaded);
  EXPECT_EQ(Pixel(104 + 18, 202 + 15), shaded);  // 19 wide, 16 high
  EXPECT_EQ(Pixel(104 + 19, 202), 0xFFFF);
  EXPECT_EQ(Pixel(103, 202), 0xFFFF);
  EXPECT_EQ(Pixel(104, 202 + 16), 0xFFFF);

  d.Fill(0xFFFF);
  gs().players[1].z = 384;
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(104, 202), 0xFFFF);
}

TEST_F(CameraDrawTest, ShadingAndDarkeningCoverTheBall) {
  Course(kW, kH);
  Textures();
  Gui(15) = Solid(16, 16, 0x404040);
  Gui(16) = Solid(16, 16, 0xFFFFFF);
  const uint16_t bare = uint16_t(1000 + kSphereMap[16 * 7 + 7]);
  // One frame of a ball resting at (108, 208) with the given flags.
  auto draw = [](bool sinking, int shade) {
    Ball& b = BallAt(108, 208, 0);
    b.ballrows = 15, b.sinking = sinking, b.shade = shade;
    BallPhase(WindowScene(), true);
    return Pixel(107, 207);
  };
  EXPECT_EQ(draw(true, 200), bare);  // no shading while sinking
  const uint16_t shaded = draw(false, 0);
  EXPECT_NE(shaded, bare);
  EXPECT_EQ(draw(false, 0), shaded);
  EXPECT_NE(draw(false, 200), shaded);
}

TEST_F(CameraDrawTest, NineForegroundTilesAroundTheGroundPoint) {
  Course(240, 240);  // 10 x 10 patterns of 24 x 24
  ImageItem fg;
  fg.transparent = false;
  fg.patternwidth = fg.patternheight = 24;
  fg.picture.width = fg.picture.height = 240;
  fg.picture.pixels.resize(240 * 240);
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 240; ++x)
      fg.picture.pixels[static_cast<size_t>(y) * 240 + x] =
          FromNative(uint16_t(100 + 10 * (y / 24) + x / 24));
  PrepareItem(fg);
  CourseItem(1) = fg;
  BallAt(100, 100, 40);  // cell (4, 4); the height does not move the tiles
  BallPhase(WindowScene(), true);
  for (int row = 3; row <= 5; ++row)
    for (int col = 3; col <= 5; ++col)
      EXPECT_EQ(Pixel(24 * col + 12, 24 * row + 12), 100 + 10 * row + col) << col << "," << row;
  EXPECT_EQ(Pixel(24 * 2 + 12, 24 * 4 + 12), 0);
  EXPECT_EQ(Pixel(24 * 6 + 12, 24 * 4 + 12), 0);
  EXPECT_EQ(Pixel(24 * 4 + 12, 24 * 6 + 12), 0);

  // At the right edge no tile from the next row is drawn beyond the course.
  gamewin().display.Fill(0);
  BallAt(230, 100, 0);
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(24 * 9 + 12, 24 * 4 + 12), 100 + 49);
  EXPECT_EQ(Pixel(24 * 10 + 12, 24 * 4 + 12), 0);
  EXPECT_EQ(Pixel(24 * 10 + 12, 24 * 5 + 12), 0);

  // Following the view.
  gamewin().display.Fill(0);
  gs().viewx = -100, gs().viewy = -50;
  BallAt(100, 100, 0);
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(24 * 4 + 112, 24 * 4 + 62), 144);
}

TEST_F(CameraDrawTest, CupAndPipeCoversOverTheBall) {
  Course(kW, kH);
  CourseItem(2) = Solid(4, 4, 0x0000FF);
  CourseItem(3) = Solid(4, 4, 0x00FF00);
  Area& cup = gs().areas[5];
  cup.kind = 5, cup.x2 = 300, cup.y2 = 50;
  Area& pipe = gs().areas[6];
  pipe.kind = 26, pipe.p1 = 400, pipe.p2 = 60, pipe.p3 = 3;
  gs().viewx = 10, gs().viewy = 20;
  Ball& b = BallAt(310, 60, -10);
  b.inhole = true;
  b.holearea = 5;
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(290, 30), ToNative(0x0000FF));
  EXPECT_EQ(Pixel(390, 40), 0);
  b.inhole = false;
  b.inpipe = true;
  b.holearea = 6;
  b.z = 5;
  BallPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(390, 40), ToNative(0x00FF00));
}

TEST_F(CameraDrawTest, SmallCourseIsDrawnCentredOnBlack) {
  Course(400, 300);
  CourseItem(0) = Solid(400, 300, 0xFFFFFF);
  Display& d = gamewin().display;
  d.Fill(0x1234);
  gs().centreview = false;
  UpdateView();
  DrawCourse(WindowScene());
  EXPECT_EQ(Pixel(0, 0), 0);
  EXPECT_EQ(Pixel(119, 89), 0);
  EXPECT_EQ(Pixel(120, 90), 0xFFFF);
  EXPECT_EQ(Pixel(519, 389), 0xFFFF);
  EXPECT_EQ(Pixel(520, 390), 0);
}

}  // namespace
}  // namespace gp
