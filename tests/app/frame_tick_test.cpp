#include "app/frame_tick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/game_window.h"
#include "app/headless_run.h"
#include "base/frame_timer.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "support/game_reset.h"

namespace gp {
namespace {

TEST(FrameTimerTest, DisabledNeverTicks) {
  FrameTimer t;
  for (uint32_t now = 0; now < 200; ++now) EXPECT_FALSE(t.Due(now));
  EXPECT_EQ(t.Wait(5), 0u);
}

TEST(FrameTimerTest, IntervalZeroIsCappedAtSixtyASecond) {
  FrameTimer t;
  t.enabled = true;
  int ticks = 0;
  for (uint32_t now = 1000; now < 2000; ++now) ticks += t.Due(now) ? 1 : 0;
  EXPECT_EQ(ticks, 60);
  EXPECT_GE(t.rate, 58);
  EXPECT_LE(t.rate, 63);
}

TEST(FrameTimerTest, SteadySixtyHertzClockIsNeverHalved) {
  FrameTimer t;
  t.enabled = true;
  uint32_t now = 5;
  for (int frame = 1; frame <= 600; ++frame) {
    now += FrameStep(60, frame);  // 16, 17, 17, ...
    EXPECT_TRUE(t.Due(now)) << frame;
    EXPECT_FALSE(t.Due(now)) << frame;  // and only once
  }
}

TEST(FrameTimerTest, IntervalsAndMeasuredRate) {
  for (const auto& [interval, ticks, rate] : {std::tuple{33, 31, 30}, std::tuple{66, 16, 15}}) {
    FrameTimer t;
    t.enabled = true;
    t.interval = interval;
    int n = 0;
    for (uint32_t now = 0; now < 1000; ++now) n += t.Due(now) ? 1 : 0;
    EXPECT_EQ(n, ticks) << interval;
    EXPECT_EQ(t.rate, rate) << interval;
  }
}

TEST(FrameTimerTest, SlowFrameIsNotFollowedByABurst) {
  FrameTimer t;
  t.enabled = true;
  ASSERT_TRUE(t.Due(0));
  ASSERT_TRUE(t.Due(100));  // a stall of 100 ms
  EXPECT_EQ(t.rate, 10);
  for (uint32_t now = 101; now < 116; ++now) EXPECT_FALSE(t.Due(now)) << now;
  EXPECT_EQ(t.Wait(110), 6u);
  EXPECT_TRUE(t.Due(116));
}

TEST(FrameTimerTest, ClockWrapAround) {
  FrameTimer t;
  t.enabled = true;
  t.interval = 33;
  ASSERT_TRUE(t.Due(0xFFFFFFF0u));
  EXPECT_FALSE(t.Due(0x00000005u));  // 21 ms later
  EXPECT_TRUE(t.Due(0x00000011u));   // 33 ms later
  EXPECT_EQ(t.rate, 30);
}

TEST(FrameTimerTest, RateRoundsHalvesToEven) {
  EXPECT_EQ(MeasuredRate(16), 62);  // 62.5
  EXPECT_EQ(MeasuredRate(400), 2);  // 2.5
  EXPECT_EQ(MeasuredRate(3), 333);
  EXPECT_EQ(MeasuredRate(0), 1000);
  EXPECT_EQ(MeasuredRate(1), 1000);
  EXPECT_EQ(TimescaleForRate(20), 4);
  EXPECT_EQ(TimescaleForRate(21), 2);
  EXPECT_EQ(TimescaleForRate(40), 2);
  EXPECT_EQ(TimescaleForRate(41), 1);
}

class FrameTickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::FreshState();
    GameWindow& w = gamewin();
    w.timer = FrameTimer{};
    w.timer.enabled = true;
    ASSERT_TRUE(w.display.Start(&platform, 64, 48, false));
    Ball& b = gs().players[1];
    b.x = b.checkx = b.backx = 100;
    b.y = b.checky = b.backy = 100;
    b.speed = 4;
    b.moving = b.oncourse = true;
  }
  void TearDown() override { gamewin().display.Finalize(); }

  // Physics steps the ball took in the frame, from its friction.
  int Steps(double before) {
    return static_cast<int>(std::lround((before - BallAt().speed) / 0.005));
  }
  Ball& BallAt() { return gs().players[1]; }
  int RunAndCount(uint32_t ms) {
    const double before = BallAt().speed;
    EXPECT_TRUE(TickAfter(platform, ms));
    return Steps(before);
  }

  HeadlessPlatform platform;
};

TEST_F(FrameTickTest, TimescaleFollowsTheRateFromTheNextFrame) {
  EXPECT_EQ(RunAndCount(66), 2);  // first tick: no rate measured yet
  EXPECT_EQ(gs().timescale, 1);
  EXPECT_EQ(RunAndCount(66), 2);  // measured 15 now, applies from the next frame
  EXPECT_EQ(gs().timescale, 4);
  EXPECT_EQ(RunAndCount(66), 5);
  EXPECT_EQ(RunAndCount(33), 5);
  EXPECT_EQ(gs().timescale, 2);
  EXPECT_EQ(RunAndCount(33), 3);
  EXPECT_EQ(RunAndCount(17), 3);
  EXPECT_EQ(gs().timescale, 1);
  EXPECT_EQ(RunAndCount(16), 2);
}

TEST_F(FrameTickTest, TimerDecidesWhetherAFrameRuns) {
  gamewin().timer.interval = 66;
  EXPECT_TRUE(TickAfter(platform, 10));
  const double x = BallAt().x;
  EXPECT_FALSE(TickAfter(platform, 30));
  EXPECT_EQ(BallAt().x, x);
  EXPECT_TRUE(TickAfter(platform, 36));
  EXPECT_GT(BallAt().x, x);
  gamewin().timer.enabled = false;
  EXPECT_FALSE(TickAfter(platform, 1000));
}

TEST_F(FrameTickTest, StoppedDisplaySkipsTheWholeFrame) {
  gs().timescale = 4;
  gamewin().timer.rate = 60;
  gamewin().display.Finalize();
  const int presented = platform.presented();
  RunFrame();
  EXPECT_EQ(BallAt().speed, 4);
  EXPECT_EQ(BallAt().x, 100);
  EXPECT_EQ(gs().timescale, 4);
  EXPECT_EQ(platform.presented(), presented);
}

TEST_F(FrameTickTest, LostDisplaySkipsTheWholeFrame) {
  platform.SetDisplayLost(true);
  ASSERT_FALSE(gamewin().display.CanDraw());
  gs().timescale = 4;
  const int presented = platform.presented();
  EXPECT_TRUE(TickAfter(platform, 20));
  EXPECT_EQ(BallAt().x, 100);
  EXPECT_EQ(gs().timescale, 4);
  EXPECT_EQ(platform.presented(), presented);
}

TEST_F(FrameTickTest, WholeStrokeRestsInFourHundredFrames) {
  int frames = 0;
  for (int f = 1; BallAt().moving && f <= 1000; ++f)
    frames += TickAfter(platform, FrameStep(60, f));
  EXPECT_EQ(frames, 400);
  EXPECT_NEAR(BallAt().x - 100, 1600, 5);
  EXPECT_FALSE(gs().ballsmoving);
}

}  // namespace
}  // namespace gp
