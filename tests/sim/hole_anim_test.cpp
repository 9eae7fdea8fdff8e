#include "sim/hole_anim.h"

#include <gtest/gtest.h>

#include "game/state.h"
#include "base/angles.h"
#include "app/frame_tick.h"
#include "app/game_window.h"
#include "app/hole_load.h"
#include "media/rgb565.h"
#include "support/game_reset.h"

namespace gp {
namespace {

class HoleAnimTest : public test::GameTest {
 protected:
  void SetUp() override {
    test::GameTest::SetUp();
    gamewin().display.Fill(0);
    Course(1280, 960);
    for (int image = 5; image <= 11; ++image) Image(image, 4, 0x404040);
  }
  void TearDown() override {
    gamewin().course.items.clear();
    test::GameTest::TearDown();
  }
  static ImageItem& Slot(int index) {
    std::vector<ImageItem>& items = gamewin().course.items;
    if (static_cast<int>(items.size()) <= index) items.resize(static_cast<size_t>(index) + 1);
    return items[static_cast<size_t>(index)];
  }
  static void Course(int w, int h) {
    ImageItem& it = Slot(0);
    it = ImageItem{};
    it.picture.width = w, it.picture.height = h;
    it.w = w, it.h = h;
    PublishCourseImages();
  }
  // Course image of `patterns` 4 x 4 patterns in one colour.
  static void Image(int index, int patterns, uint32_t colour) {
    ImageItem& it = Slot(index);
    it = ImageItem{};
    it.patternwidth = it.patternheight = 4;
    it.transparent = false;
    it.picture.width = 4 * patterns;
    it.picture.height = 4;
    it.picture.pixels.assign(static_cast<size_t>(16 * patterns), colour);
    PrepareItem(it);
    PublishCourseImages();
  }
  static bool ScreenBlack() {
    const Display& d = gamewin().display;
    for (int i = 0; i < d.SurfaceWidth() * d.SurfaceHeight(); ++i) {
      if (d.Pixels()[i] != 0) return false;
    }
    return true;
  }
  static bool Shown(int slot) { return gs().sprites[slot].x != 0 || gs().sprites[slot].y != 0; }
  // Every floater at (x, y) with `image`.
  static void Floaters(int x, int y, int image) {
    for (Floater& f : gs().floaters) f = Floater{x, y, image, 0};
  }
};

// --- Cycling obstacles ---

TEST_F(HoleAnimTest, ObstaclesTakeTurnsOverA128FrameCycle) {
  gs().holename = "course2hole9";
  gs().animphase = 0;
  int first = 0, second = 0, neither = 0, third = 0;
  for (int frame = 0; frame < 128; ++frame) {
    HoleAnimationPhase(WindowScene(), true);
    const bool a = Shown(35), b = Shown(36);
    EXPECT_FALSE(a && b);
    EXPECT_EQ(gs().areas[40].enabled, a);
    EXPECT_EQ(gs().areas[41].enabled, b);
    EXPECT_EQ(gs().areas[42].enabled, Shown(37));
    first += a;
    second += b;
    third += Shown(37);
    if (!a && !b) {
      ++neither;
      EXPECT_EQ(gs().animphase, 128);
    }
  }
  EXPECT_EQ(gs().animphase, 0);  // one whole cycle
  EXPECT_EQ(first, 64);
  EXPECT_EQ(second, 63);
  EXPECT_EQ(neither, 1);
  EXPECT_EQ(third, 63);  // 66..190
  // Placed where the table puts them, as plain looping sprites.
  gs().animphase = 10;
  HoleAnimationPhase(WindowScene(), true);
  const Sprite& s = gs().sprites[35];
  EXPECT_EQ(s.x, 511);
  EXPECT_EQ(s.y, 181);
  EXPECT_EQ(s.image, 9);
  EXPECT_TRUE(s.loop);
  EXPECT_EQ(s.p1, 0);
}

TEST_F(HoleAnimTest, FasterTimescaleShortensTheCycleAndWrapsPast255) {
  gs().holename = "course3hole6";
  gs().timescale = 4;
  gs().animphase = 250;
  HoleAnimationPhase(WindowScene(), true);
  EXPECT_EQ(gs().animphase, 0);
  EXPECT_TRUE(Shown(35));
  EXPECT_TRUE(Shown(38));  // up to 63 and from 193
  EXPECT_TRUE(gs().areas[71].enabled);
  gs().animphase = 56;
  HoleAnimationPhase(WindowScene(), true);  // 64
  EXPECT_FALSE(Shown(38));
  EXPECT_FALSE(gs().areas[71].enabled);
  gs().animphase = 184;
  HoleAnimationPhase(WindowScene(), true);  // 192
  EXPECT_FALSE(Shown(38));
  HoleAnimationPhase(WindowScene(), true);  // 200
  EXPECT_TRUE(Shown(38));
  EXPECT_EQ(gs().sprites[38].x, 237);
}

TEST_F(HoleAnimTest, MachineSoundsLouderNearTheBall) {
  gs().holename = "course2hole5";
  Ball& b = gs().players[1];
  b.x = 710, b.y = 467;  // 100 pixels from the machine
  gs().animphase = 254;
  HoleAnimationPhase(WindowScene(), true);
  EXPECT_TRUE(sounds.Has(SoundList::Effects, 20, SoundOp::SetVolume, -400));
  EXPECT_EQ(sounds.Effects(), std::vector<int>{20});
  EXPECT_TRUE(Shown(40));
  EXPECT_TRUE(gs().areas[53].enabled);
  // Not on the other frames; with sound off the volume is set but nothing plays.
  sounds.Clear();
  HoleAnimationPhase(WindowScene(), true);
  EXPECT_TRUE(sounds.requests.empty());
  gs().soundon = false;
  gs().animphase = 255;
  HoleAnimationPhase(WindowScene(), true);
  EXPECT_TRUE(sounds.Has(SoundList::Effects, 20, SoundOp::SetVolume, -400));
  EXPECT_TRUE(sounds.Effects().empty());
}

// --- Floaters ---

TEST_F(HoleAnimTest, DustDriftsWithTheViewAndFreezesOnAJump) {
  gs().holename = "course1hole5";
  Floaters(300, 200, 5);
  gs().viewx = 100, gs().viewy = 100;
  gs().floatviewx = 130, gs().floatviewy = 70;  // the view moved 30 left... and 30 down
  HoleAnimationPhase(WindowScene(), true);
  for (const Floater& f : gs().floaters) {
    EXPECT_GE(f.x, 340);  // + 4/3 * 30 + 0..1
    EXPECT_LE(f.x, 341);
    EXPECT_GE(f.y, 160);
    EXPECT_LE(f.y, 161);
  }
  EXPECT_EQ(gs().floatviewx, 100);
  EXPECT_EQ(gs().floatviewy, 100);
  EXPECT_FALSE(ScreenBlack());  // drawn additively

  Floaters(300, 200, 5);
  gs().floatviewx = 133, gs().floatviewy = 133;  // a jump of 33
  HoleAnimationPhase(WindowScene(), true);
  for (const Floater& f : gs().floaters) {
    EXPECT_EQ(f.x, 300);
    EXPECT_EQ(f.y, 200);
  }
  // Only one axis jumped: the other still drifts.
  Floaters(300, 200, 5);
  gs().floatviewx = 200, gs().floatviewy = 110;
  HoleAnimationPhase(WindowScene(), true);
  for (const Floater& f : gs().floaters) {
    EXPECT_EQ(f.x, 300);
    EXPECT_GE(f.y, 213);
  }
}

TEST_F(HoleAnimTest, DustPastANarrowCoursesRightEdgeReappearsAtItsLeft) {
  gs().holename = "course3hole7";
  Course(400, 960);
  gs().viewx = -120;  // centred: the picture spans screen x 120..520
  gs().floatviewx = -120;
  Floaters(515, 200, 5);
  HoleAnimationPhase(WindowScene(), true);
  for (const Floater& f : gs().floaters) EXPECT_EQ(f.x, 120);
}

TEST_F(HoleAnimTest, FloatersWrapAroundTheScreen) {
  gs().holename = "course4hole8";
  Floaters(0, 0, 6);
  gs().floaters[1] = Floater{645, 100, 6, 0};  // off the right: back to 0
  gs().floaters[2] = Floater{-3, 100, 6, 0};   // off the left: to the right edge
  gs().floaters[3] = Floater{100, -40, 6, 0};  // far above: to the bottom
  gs().floaters[4] = Floater{100, 485, 6, 0};  // below: a new place above the top
  gs().floaters[2].frame = 3;
  gs().viewx = gs().floatviewx = 0;
  gs().viewy = gs().floatviewy = 0;
  Randomize(3);
  HoleAnimationPhase(WindowScene(), true);
  const Table<Floater, kMaxFloaters>& f = gs().floaters;
  EXPECT_LE(f[1].x, 1);
  EXPECT_EQ(f[2].x, 640);
  EXPECT_GE(f[3].y, 480);
  EXPECT_LE(f[4].y, 0);
  EXPECT_GE(f[4].y, -31);
  for (const Floater& q : f) EXPECT_LT(q.frame, 4);
}

TEST_F(HoleAnimTest, StormFlashesAndRainFallsToTheLeft) {
  gs().holename = "course4hole6";
  Floaters(300, 100, 5);
  gs().floaters[2].image = 7;
  gs().flicker = 200;
  HoleAnimationPhase(WindowScene(), true);
  // The flash whitened the screen and fades by half at timescale 1.
  EXPECT_GT(FromNative(gamewin().display.Pixels()[0]) & 0xFF, 0x80u);
  EXPECT_LE(gs().flicker, 127);
  EXPECT_EQ(gs().floaters[1].x, 289);
  EXPECT_EQ(gs().floaters[1].y, 111);
  EXPECT_EQ(gs().floaters[2].x, 291);
  EXPECT_EQ(gs().floaters[2].y, 109);

  // Over many frames lightning strikes now and then, with thunder.
  int strikes = 0;
  for (int frame = 0; frame < 5000; ++frame) {
    gs().flicker = 0;
    HoleAnimationPhase(WindowScene(), true);
    strikes += gs().flicker != 0;
  }
  EXPECT_GT(strikes, 0);
  EXPECT_LT(strikes, 20);
  EXPECT_TRUE(sounds.HasEffect(25));
}

TEST_F(HoleAnimTest, BubblesRiseAndRestartAtRandom) {
  gs().holename = "course4hole3";
  Floaters(100, 100, 7);
  gs().floaters[2] = Floater{100, 485, 7, 8};  // below the screen: to -90
  gs().floaters[3] = Floater{100, -89, 7, 8};  // rises past -90: a new place
  gs().floaters[6] = Floater{100, 100, 7, 0};  // beyond the five bubbles: untouched
  HoleAnimationPhase(WindowScene(), true);
  const Table<Floater, kMaxFloaters>& f = gs().floaters;
  EXPECT_EQ(f[1].x, 104);
  EXPECT_EQ(f[1].y, 98);
  EXPECT_EQ(f[1].frame, 1);
  EXPECT_EQ(f[2].y, -90);
  EXPECT_GE(f[3].y, 0);
  EXPECT_EQ(f[3].frame, 1);
  EXPECT_EQ(f[6].y, 100);
}

TEST_F(HoleAnimTest, FallingParticlesMoveOnlyTheFirstTen) {
  gs().holename = "course3hole9";
  Floaters(100, 100, 5);
  gs().floaters[1].frame = 15;  // last count of the last pattern
  HoleAnimationPhase(WindowScene(), true);
  EXPECT_EQ(gs().floaters[1].y, 101);
  EXPECT_EQ(gs().floaters[1].frame, 0);
  EXPECT_EQ(gs().floaters[10].y, 101);
  EXPECT_EQ(gs().floaters[11].y, 100);
}

// --- Puffs ---

TEST_F(HoleAnimTest, PuffsLaunchEightParticlesWithASound) {
  gs().holename = "course2hole1";
  Ball& b = gs().players[1];
  b.x = 496, b.y = 917;  // 100 pixels away
  int frames = 0;
  while (sounds.Effects().empty() && frames < 2000) {
    HoleAnimationPhase(WindowScene(), true);
    ++frames;
  }
  ASSERT_LT(frames, 2000);
  EXPECT_TRUE(sounds.Has(SoundList::Effects, 20, SoundOp::SetVolume, -200));
  int active = 0, first = 0;
  for (int i = 1; i <= kMaxParticles; ++i) {
    const Particle& q = gs().particles[i];
    if (!q.active) continue;
    if (first == 0) first = i;
    ++active;
    EXPECT_EQ(q.x, 496);
    EXPECT_EQ(q.y, 935);
    EXPECT_GE(q.z, 100);
    EXPECT_LT(q.z, 108);
    EXPECT_GE(q.angle, 150);
    EXPECT_LT(q.angle, 182);
    EXPECT_EQ(q.colour, 13223087);
    EXPECT_EQ(q.bounces, 3);
  }
  EXPECT_EQ(active, 8);
  EXPECT_LE(first, 23);
}

// --- Everything else ---

TEST_F(HoleAnimTest, OtherHolesDrawAndChangeNothing) {
  for (const char* hole : {"course1hole1", "training1", "Course1hole5", ""}) {
    gs().holename = hole;
    Floaters(300, 200, 5);
    gs().floatviewx = 10;
    gs().animphase = 40;
    gs().flicker = 0;
    for (int frame = 0; frame < 300; ++frame) HoleAnimationPhase(WindowScene(), true);
    EXPECT_TRUE(ScreenBlack()) << hole;
    EXPECT_EQ(gs().floaters[1].x, 300);
    EXPECT_EQ(gs().floatviewx, 10);
    EXPECT_EQ(gs().animphase, 40);
    EXPECT_EQ(gs().flicker, 0);
    for (int slot = 35; slot <= 40; ++slot) EXPECT_FALSE(Shown(slot));
    for (const Particle& q : gs().particles) EXPECT_FALSE(q.active);
  }
  EXPECT_TRUE(sounds.requests.empty());
}

}  // namespace
}  // namespace gp
