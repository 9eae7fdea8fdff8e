// The stroke's time limit through whole frames: a ball still moving 30 seconds
// of game time after its stroke (3600 physics steps: 1800 frames at 60 frames
// a second, 1200 at 30, 720 at 15) comes to rest where it is, or, where a ball
// may not rest, comes back as from a drop-off; the turn then passes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/frame_tick.h"
#include "app/hole_load.h"
#include "game/area_kind.h"
#include "game/setup.h"
#include "game/state.h"
#include "sim/motion.h"
#include "sim/putting.h"
#include "support/game_reset.h"
#include "support/hole_files.h"

namespace gp {
namespace {

// A walled box, 320 x 220 inside; the cup lies in a corner out of the way.
constexpr const char* kBox =
    "[ball]\nx=120\ny=150\n[course]\npar=3\n"
    "[area1]\nkind=4\nx1=40\ny1=40\nx2=360\ny2=40\nenabled=1\n"
    "[area2]\nkind=4\nx1=40\ny1=260\nx2=360\ny2=260\nenabled=1\n"
    "[area3]\nkind=2\nx1=40\ny1=40\nx2=40\ny2=260\nenabled=1\n"
    "[area4]\nkind=2\nx1=360\ny1=40\nx2=360\ny2=260\nenabled=1\n"
    "[area5]\nkind=5\nx1=330\ny1=70\nr=8\nenabled=1\n";
// The box under one wide attractor: a ball struck across it circles the centre
// for minutes.
const std::string kOrbitHole =
    std::string(kBox) + "[area6]\nkind=14\nx1=200\ny1=150\nr=170\nenabled=1\n";
// The box with a pipe whose exit lies far below its mouth: a ball in it stays
// there for minutes.
const std::string kPipeHole =
    std::string(kBox) +
    "[area6]\nkind=26\nx1=250\ny1=150\nr=12\nx2=250\ny2=100000\nx3=250\ny3=100000\n"
    "x4=260\ny4=100000\nenabled=1\n";

struct StrokeTimeFrames : test::GameTest {
  int Players() const override { return 2; }
  // Loads the hole (a 400 x 300 course picture) and starts play at `rate` frames a second.
  void Load(const std::string& text, int rate) {
    test::FreshGame(platform, Players());
    gamewin().folder = files.Folder();
    gs().holename = "course1hole1";
    files.WriteWaves("course1hole1");
    files.WriteImages("course1hole1", 400, 300);
    files.WriteHoleText("course1hole1", text);
    HoleInit();
    gamewin().timer.rate = rate;
    gs().timescale = TimescaleForRate(rate);
    gs().gamestate = kPlay;
  }
  // Player 1 strikes from the ball's start.
  void Strike(int angle, double speed) {
    Ball& b = gs().players[1];
    b.angle = angle;
    b.speed = speed;
    gp::Strike();
  }
  int TurnChanges() const {
    const std::vector<int> e = sounds.Effects();
    return static_cast<int>(std::count(e.begin(), e.end(), 24));
  }
  test::HoleFolder files;
};

TEST_F(StrokeTimeFrames, AnOrbitStopsWhereItIsAfterThirtySecondsAtEveryRate) {
  for (const int rate : {60, 30, 15}) {
    SCOPED_TRACE(testing::Message() << rate << " frames a second");
    Load(kOrbitHole, rate);
    sounds.Clear();
    Strike(20, 4);
    GameState& g = gs();
    const Ball& b = g.players[1];
    const int frames = kStrokeSteps / (g.timescale + 1);
    for (int f = 1; f < frames; ++f) RunFrame(false);
    ASSERT_TRUE(b.moving) << "the attractor let go before the time was up";
    EXPECT_EQ(TurnChanges(), 0);
    const double x = b.x, y = b.y;
    RunFrame(false);
    EXPECT_FALSE(b.moving);
    EXPECT_FALSE(g.ballsmoving);
    EXPECT_EQ(b.speed, 0);
    EXPECT_LT(std::hypot(b.x - x, b.y - y), 5 * (g.timescale + 1));  // this frame's steps at most
    EXPECT_EQ(g.message.substr(g.message.find_first_not_of(' ')), kStrokeTimeMessage);
    EXPECT_EQ(TurnChanges(), 1);
    EXPECT_EQ(g.curplayer, 2);
    EXPECT_EQ(b.strokes, 1);  // no penalty for a ball stopped where it may rest
    // It stays put: nothing in the area it lies in sends it off again.
    const double restx = b.x, resty = b.y;
    for (int f = 0; f < 120; ++f) RunFrame(false);
    EXPECT_FALSE(b.moving);
    EXPECT_EQ(b.x, restx);
    EXPECT_EQ(b.y, resty);
    EXPECT_EQ(TurnChanges(), 1);
  }
}

// Where the time runs out on a ball that may not rest there (here in the pipe),
// the ball falls away and comes back near where its stroke was struck from, with
// the drop-off's penalty stroke under "minus1".
TEST_F(StrokeTimeFrames, ABallInAPipeComesBackAsFromADropOff) {
  Load(kPipeHole, 60);
  setup().minus1 = true;
  sounds.Clear();
  Strike(0, 2);  // east, along the line to the pipe's mouth
  GameState& g = gs();
  const Ball& b = g.players[1];
  bool piped = false;
  int frames = 0;
  for (; frames < 2400 && TurnChanges() == 0; ++frames) {
    RunFrame(false);
    piped = piped || b.inpipe;
  }
  EXPECT_TRUE(piped);
  EXPECT_GE(frames, 1800);
  EXPECT_TRUE(sounds.HasEffect(26));  // falling off
  EXPECT_TRUE(sounds.HasEffect(7));   // coming back
  EXPECT_FALSE(b.moving);
  EXPECT_FALSE(b.inpipe);
  EXPECT_FALSE(b.falloff);
  EXPECT_EQ(b.z, 0);
  // On a flattened ring of radius 4..25 around the stroke's start (120, 150).
  EXPECT_LE(std::fabs(b.x - 120), 26);
  EXPECT_LE(std::fabs(b.y - 150), 13);
  EXPECT_EQ(b.strokes, 2);
  EXPECT_EQ(TurnChanges(), 1);
  EXPECT_EQ(g.curplayer, 2);
}

// Each stroke has its own thirty seconds: the next player's ball, struck into the
// same orbit right after the first one was stopped, runs its full time too.
TEST_F(StrokeTimeFrames, EachStrokeHasItsOwnTime) {
  Load(kOrbitHole, 60);
  GameState& g = gs();
  Strike(20, 4);
  for (int f = 0; f < 1800; ++f) RunFrame(false);
  ASSERT_EQ(g.curplayer, 2);
  Ball& second = g.players[2];
  ASSERT_TRUE(second.oncourse);
  second.angle = 20;
  second.speed = 4;
  gp::Strike();
  for (int f = 1; f < 1800; ++f) RunFrame(false);
  EXPECT_TRUE(second.moving);
  RunFrame(false);
  EXPECT_FALSE(second.moving);
  EXPECT_FALSE(g.players[1].moving);
  EXPECT_EQ(g.curplayer, 1);
}

}  // namespace
}  // namespace gp
