#include "sim/effects.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/random.h"
#include "game/state.h"
#include "app/frame_tick.h"
#include "app/game_window.h"
#include "app/hole_load.h"
#include "media/rgb565.h"
#include "support/game_reset.h"

namespace gp {
namespace {

constexpr int kScreenW = 640, kScreenH = 480;

class EffectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState(7);
    GameWindow& win = gamewin();
    win.course.items.clear();
    win.display.Start(nullptr, kScreenW, kScreenH, false);
    win.display.Fill(0);
  }
  void TearDown() override {
    gamewin().display.Finalize();
    gamewin().course.items.clear();
  }

  // Course image `index`: `patterns` patterns of 8 x 8 side by side, one colour.
  static void Image(int index, int patterns, uint32_t colour) {
    std::vector<ImageItem>& items = gamewin().course.items;
    if (static_cast<int>(items.size()) <= index) items.resize(static_cast<size_t>(index) + 1);
    ImageItem& it = items[static_cast<size_t>(index)];
    it = ImageItem{};
    it.patternwidth = it.patternheight = 8;
    it.transparent = false;
    it.picture.width = 8 * patterns;
    it.picture.height = 8;
    it.picture.pixels.assign(static_cast<size_t>(8 * patterns * 8), colour);
    PrepareItem(it);
    PublishCourseImages();
  }
  static uint16_t Pixel(int x, int y) {
    const Display& d = gamewin().display;
    return d.Pixels()[y * d.Pitch() + x];
  }
  static Sprite& SpriteAt(int slot, int x, int y, int image, bool loop, int p1, int p2 = 0) {
    Sprite& s = gs().sprites[slot];
    s = Sprite{x, y, image, 0, loop, p1, p2};
    return s;
  }
  static Particle& ParticleAt(int i, double x, double y, double z, double vz, int bounces) {
    Particle& q = gs().particles[i];
    q = Particle{};
    q.x = x, q.y = y, q.z = z, q.vz = vz;
    q.bounces = bounces;
    q.active = true;
    q.colour = 0x0000FF;  // red
    return q;
  }
  // Frames until the sprite in `slot` empties, at most 300.
  static int Lifetime(int slot) {
    for (int f = 1; f <= 300; ++f) {
      EffectsPhase(WindowScene(), true);
      if (gs().sprites[slot].x == 0 && gs().sprites[slot].y == 0) return f;
    }
    return -1;
  }
};

// --- Sprites ---

TEST_F(EffectsTest, OneShotSpriteLivesFourFramesPerPatternDividedByTimescale) {
  Image(3, 3, 0xFFFFFF);
  SpriteAt(5, 100, 100, 3, false, 0);
  EXPECT_EQ(Lifetime(5), 12);
  SpriteAt(5, 100, 100, 3, false, 0);
  gs().timescale = 2;
  EXPECT_EQ(Lifetime(5), 6);
  // Emptied completely, counter back to 0.
  const Sprite& s = gs().sprites[5];
  EXPECT_EQ(s.image, 0);
  EXPECT_EQ(s.p1, 0);
  EXPECT_EQ(s.frame, 0);
}

TEST_F(EffectsTest, LongAnimationsEndAfter255FramesAndLoopsRestart) {
  Image(3, 100, 0xFFFFFF);  // 400 frames of patterns: the counter limit ends it first
  SpriteAt(5, 100, 100, 3, false, 0);
  EXPECT_EQ(Lifetime(5), 255);

  Image(4, 2, 0xFFFFFF);
  Sprite& s = SpriteAt(36, 10, 10, 4, true, 0);
  for (int f = 0; f < 7; ++f) EffectsPhase(WindowScene(), true);
  EXPECT_EQ(s.frame, 7);
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(s.frame, 0);
  EXPECT_EQ(s.x, 10);
  EXPECT_EQ(s.image, 4);
}

TEST_F(EffectsTest, SpriteOfAMissingImageEmptiesAtOnce) {
  SpriteAt(2, 50, 50, 9, false, 192);
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(gs().sprites[2].x, 0);
}

TEST_F(EffectsTest, DrawModesFollowTheStrength) {
  GameWindow& win = gamewin();
  Image(1, 1, 0x0000F8);  // red 248
  const uint16_t red = ToNative(0x0000F8);
  const uint16_t grey = ToNative(0x808080);

  // Plain colour-keyed draw, at the screen position of the view.
  gs().viewx = 10, gs().viewy = 20;
  SpriteAt(40, 110, 120, 1, true, 0);
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(100, 100), red);
  EXPECT_EQ(Pixel(99, 100), 0);
  gs().viewx = gs().viewy = 0;

  // Subtractive with alpha 192: the red channel of grey is lowered, not replaced.
  win.display.Fill(grey);
  SpriteAt(40, 100, 100, 1, true, -192);
  EffectsPhase(WindowScene(), true);
  const uint32_t sub = FromNative(Pixel(100, 100));
  EXPECT_NE(Pixel(100, 100), red);
  EXPECT_LT(sub & 0xFF, 0x80u);
  EXPECT_EQ((sub >> 8) & 0xFF, FromNative(grey) >> 8 & 0xFF);

  // Additive with alpha 255 raises the red channel only.
  win.display.Fill(grey);
  SpriteAt(40, 100, 100, 1, true, 255);
  EffectsPhase(WindowScene(), true);
  const uint32_t add = FromNative(Pixel(100, 100));
  EXPECT_GT(add & 0xFF, 0x80u);
  EXPECT_EQ((add >> 8) & 0xFF, FromNative(grey) >> 8 & 0xFF);
}

TEST_F(EffectsTest, LowerSlotsAreDrawnOverHigherOnes) {
  Image(1, 1, 0x0000F8);
  Image(2, 1, 0xF80000);
  SpriteAt(1, 100, 100, 1, true, 0);
  SpriteAt(30, 100, 100, 2, true, 0);
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(100, 100), ToNative(0x0000F8));
}

TEST_F(EffectsTest, PulseRisesFallsAndRestarts) {
  Image(1, 1, 0xFFFFFF);
  Sprite& s = SpriteAt(35, 100, 100, 1, true, 0, 128);
  EffectsPhase(WindowScene(), true);  // alpha 255 - |256 - 255| = 254: nearly white
  EXPECT_GT(FromNative(Pixel(100, 100)) & 0xFF, 0xF0u);
  EXPECT_EQ(s.p2, 148);
  // During the pause nothing is drawn, the counter runs on.
  gamewin().display.Fill(0);
  s.p2 = 300;
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(s.p2, 320);
  EXPECT_EQ(Pixel(100, 100), 0);
  s.p2 = 990;
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(s.p2, 4);  // past 1000: the next pulse starts
}

// --- Particles ---

TEST_F(EffectsTest, ParticleDiesOnItsLastBounce) {
  Particle& q = ParticleAt(1, 100, 100, 0, 2, 1);
  int frames = 0;
  while (q.active && frames < 50) {
    EffectsPhase(WindowScene(), true);
    ++frames;
  }
  // Up 2, 1.5, 1, 0.5, 0 ... it lands on its first descent below the ground.
  EXPECT_FALSE(q.active);
  EXPECT_LT(frames, 12);
  EXPECT_EQ(q.x, 0);
  EXPECT_EQ(q.vz, 0);
}

TEST_F(EffectsTest, ParticleOnTheGroundSurvivesOneFrameAndDiesInTheSecond) {
  Particle& q = ParticleAt(1, 100, 100, 0, 0, 3);
  EffectsPhase(WindowScene(), true);
  EXPECT_TRUE(q.active);
  EXPECT_DOUBLE_EQ(q.vz, -0.5);
  EffectsPhase(WindowScene(), true);
  EXPECT_FALSE(q.active);
  EXPECT_EQ(q.bounces, 2);
}

TEST_F(EffectsTest, FlightMovesAtHalfSpeedDownTheScreenAndSlowsByTimescale) {
  Particle& q = ParticleAt(1, 100, 100, 50, 0, 3);
  q.angle = 64;
  q.speed = 2;
  EffectsPhase(WindowScene(), true);
  EXPECT_NEAR(q.y, 101, 1e-9);
  EXPECT_NEAR(q.x, 100, 1e-9);
  EXPECT_DOUBLE_EQ(q.speed, 2 - 0.012 / 4);
  EXPECT_DOUBLE_EQ(q.prevy, 100);
  gs().timescale = 4;
  EffectsPhase(WindowScene(), true);
  EXPECT_DOUBLE_EQ(q.speed, 2 - 0.012 / 4 - 0.012);
  q.speed = 0.001;
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(q.speed, 0);
}

TEST_F(EffectsTest, WallsReflectOncePerFrameWhateverTheTimescale) {
  Area& wall = gs().areas[3];
  wall.kind = 2;  // vertical
  wall.x1 = 104, wall.y1 = 0, wall.x2 = 104, wall.y2 = 400;
  wall.enabled = true;
  for (int ts : {1, 2, 4}) {
    gs().timescale = ts;
    Particle& q = ParticleAt(1, 100, 100, 50, 0, 3);
    q.angle = 0;
    q.speed = 1;
    EffectsPhase(WindowScene(), true);
    EXPECT_EQ(q.angle & 255, 128) << "timescale " << ts;
  }
  // Disabled walls and quadrilaterals leave it alone.
  wall.enabled = false;
  Particle& q = ParticleAt(1, 100, 100, 50, 0, 3);
  q.speed = 1;
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(q.angle, 0);
  wall.enabled = true;
  wall.x3 = 50, wall.x4 = 60;
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(q.angle, 0);
}

TEST_F(EffectsTest, WallKindsMirrorAboutTheirLines) {
  const int32_t expect[8] = {0, -38, -128, -218, 0, 0, -64, -192};
  for (int kind : {1, 2, 3, 4, 6, 7}) {
    Area& wall = gs().areas[1];
    wall = Area{};
    wall.kind = kind;
    wall.x1 = 0, wall.y1 = 100, wall.x2 = 400, wall.y2 = 100;
    wall.enabled = true;
    Particle& q = ParticleAt(1, 200, 100, 50, 0, 3);
    q.angle = 10;
    EffectsPhase(WindowScene(), true);
    EXPECT_EQ(q.angle, (expect[kind] - 10) & 255) << "kind " << kind;
  }
}

TEST_F(EffectsTest, ParticlesDrawLinesDotsAndGroundTracks) {
  const uint16_t red = ToNative(0x0000FF);
  // A line from the previous to the new position, lifted by the height.
  Particle& q = ParticleAt(1, 100, 100, 20, 0.5, 3);
  q.angle = 0;
  q.speed = 4;
  EffectsPhase(WindowScene(), true);  // (100, 80) -> (104, 79.5)
  EXPECT_EQ(Pixel(100, 80), red);
  EXPECT_EQ(Pixel(100, 100), 0);

  // Dots with a shadow: one coloured pixel in the air and one on the ground.
  gamewin().display.Fill(0);
  Particle& d = ParticleAt(2, 200, 200, 20, 0.5, 3);
  d.dots = d.shadow = true;
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(200, 180), red);
  EXPECT_EQ(Pixel(200, 200), ToNative(33487));

  // A shadowed line also draws its track on the ground.
  gamewin().display.Fill(0);
  Particle& t = ParticleAt(3, 300, 300, 20, 0.5, 3);
  t.shadow = true;
  t.speed = 4;
  gs().particles[1].active = gs().particles[2].active = false;
  EffectsPhase(WindowScene(), true);
  EXPECT_EQ(Pixel(300, 300), ToNative(733493));
  EXPECT_EQ(Pixel(300, 280), red);
}

// --- Bursts ---

class BurstTest : public EffectsTest {
 protected:
  void SetUp() override {
    EffectsTest::SetUp();
    Ball& b = gs().players[1];
    b.x = 300, b.y = 200, b.z = 0;
    b.angle = 64;
    b.speed = 2;
    b.vz = -3;
  }
};

TEST_F(BurstTest, DustFillsEveryParticleAndKeepsHeights) {
  gs().particles[7].z = 12;
  Burst(BurstKind::Dust, 1);
  for (const Particle& q : gs().particles) {
    EXPECT_TRUE(q.active);
    EXPECT_EQ(q.x, 300);
    EXPECT_EQ(q.y, 200);
    EXPECT_EQ(q.bounces, 3);
    EXPECT_EQ(q.colour, 13223087);
    EXPECT_FALSE(q.shadow || q.dots);
    EXPECT_GE(q.speed, 0);
    EXPECT_LE(q.speed, 4 + 1e-9);
    EXPECT_GE(q.angle, 0);
    EXPECT_LT(q.angle, 256);
  }
  EXPECT_EQ(gs().particles[7].z, 12);
}

TEST_F(BurstTest, DebrisRewritesSixConsecutiveParticlesOnly) {
  for (int seed = 1; seed <= 20; ++seed) {
    Randomize(seed);
    for (Particle& q : gs().particles) q = Particle{};
    Burst(BurstKind::Debris, 1);
    int first = 0, count = 0;
    for (int i = 1; i <= kMaxParticles; ++i) {
      if (!gs().particles[i].active) continue;
      if (first == 0) first = i;
      ++count;
      EXPECT_EQ(i, first + count - 1);
      EXPECT_EQ(gs().particles[i].bounces, 1);
      EXPECT_LT(gs().particles[i].speed, 2.34);
    }
    EXPECT_EQ(count, 6);
    EXPECT_GE(first, 1);
    EXPECT_LE(first, 23);
  }
}

TEST_F(BurstTest, SprayLeavesAheadOfTheBallOnTheGround) {
  Burst(BurstKind::Spray, 1);
  for (const Particle& q : gs().particles) {
    EXPECT_EQ(q.y, 206);
    EXPECT_EQ(q.z, 0);
    EXPECT_GE(q.speed, 5);
    EXPECT_LT(q.speed, 7.5);
    EXPECT_GE(q.angle, 14);
    EXPECT_LE(q.angle, 113);
    EXPECT_EQ(q.colour, 14087423);
    EXPECT_TRUE(q.shadow && q.dots);
  }
}

TEST_F(BurstTest, SprayOfTheGreenHoleSlowsParticleByParticleButNotTheBall) {
  gs().holename = "course4hole4";
  Burst(BurstKind::Spray, 1);
  EXPECT_EQ(gs().players[1].speed, 2);  // the motion step takes the ball's share
  for (int i = 1; i <= kMaxParticles; ++i) {
    const Particle& q = gs().particles[i];
    const double base = 2 - 0.025 * (i - 1) + 3;
    EXPECT_GE(q.speed, base - 1e-9);
    EXPECT_LT(q.speed, base + 2.5);
    EXPECT_EQ(q.colour, 3534447);
    EXPECT_FALSE(q.shadow || q.dots);
  }
}

TEST_F(BurstTest, SplashesTakeTheirColourAndLift) {
  Burst(BurstKind::HardSplash, 1);
  for (const Particle& q : gs().particles) {
    EXPECT_EQ(q.colour, 16622689);
    EXPECT_GE(q.vz, -3 + 5);
    EXPECT_LT(q.vz, -3 + 6.5);
    EXPECT_GE(q.speed, 2);
  }
  Burst(BurstKind::SoftSplash, 1, true);
  for (const Particle& q : gs().particles) {
    EXPECT_EQ(q.colour, 3534447);
    EXPECT_GE(q.vz, 3);
    EXPECT_GE(q.speed, 4);
    EXPECT_GE(q.angle, 44);
    EXPECT_LE(q.angle, 83);
  }
}

TEST_F(BurstTest, BlastReplacesAFlyingBurst) {
  Burst(BurstKind::Dust, 1);
  Burst(BurstKind::Blast, 1);
  for (const Particle& q : gs().particles) {
    EXPECT_EQ(q.colour, 4574820);
    EXPECT_EQ(q.bounces, 2);
    EXPECT_EQ(q.speed, std::floor(q.speed));
    EXPECT_GE(q.vz, 2);
    EXPECT_LE(q.vz, 7);
  }
}

}  // namespace
}  // namespace gp
