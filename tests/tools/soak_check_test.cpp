// The soak's rules on hand-made frames: each broken rule is reported (and stops
// the game), each legal change passes.
#include "tools/lab/soak_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "support/game_reset.h"

namespace gp {
namespace {

using lab::SoakCheck;
using lab::SoakLimits;

// Two players on a 1000 x 800 hole in play; player 1 has taken two strokes.
void InPlay() {
  test::FreshState();
  GameState& g = gs();
  g.holename = "testhole";
  g.numplayers = 2;
  g.coursewidth = 1000;
  g.courseheight = 800;
  g.gamestate = kPlay;
  g.par = 3;
  for (int p = 1; p <= 2; ++p) {
    Ball& b = g.players[p];
    b.oncourse = true;
    b.x = 100.0 * p;
    b.y = 200;
  }
  g.players[1].strokes = g.players[1].total = 2;
}

// One frame: `change` is what the frame did. Returns the first violation, or "".
std::string Frame(SoakCheck& check, const std::function<void(GameState&)>& change,
                  bool* going = nullptr) {
  check.Before();
  change(gs());
  const bool on = check.After();
  if (going) *going = on;
  return check.violations().empty() ? "" : check.violations().front();
}

struct Case {
  const char* name;
  std::function<void(GameState&)> change;
  const char* report;  // part of the violation; "" = none
};

TEST(SoakCheckTest, EachRuleOnOneFrame) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"nothing happens", [](GameState&) {}, ""},
      {"a speed turns NaN", [nan](GameState& g) { g.players[2].speed = nan; },
       "player 2 speed is not a finite number"},
      {"a particle runs off to infinity",
       [](GameState& g) { g.particles[5].vz = std::numeric_limits<double>::infinity(); },
       "particle 5 vz"},
      {"a rolling ball leaves the picture", [](GameState& g) { g.players[1].x = 1100; },
       "player 1 is outside the course picture"},
      {"a ball in the air may fly past the edge",
       [](GameState& g) {
         g.players[1].x = 1100;
         g.players[1].airborne = true;
       },
       ""},
      {"a ball vanishes from the course", [](GameState& g) { g.players[1].oncourse = false; },
       "player 1 is off the course without holing out"},
      {"strokes rise with no stroke taken",
       [](GameState& g) { g.players[1].strokes = g.players[1].total = 3; },
       "player 1 strokes went from 2 to 3 with 0 stroke taken and no penalty stroke"},
      {"strokes fall with no bonus",
       [](GameState& g) { g.players[1].strokes = g.players[1].total = 1; },
       "player 1 strokes went from 2 to 1 with 0 stroke taken and no bonus turn"},
      {"a bonus stroke",
       [](GameState& g) {
         g.players[1].strokes = g.players[1].total = 1;
         g.bonusturn = true;
       },
       ""},
      {"the total drifts from the holes", [](GameState& g) { g.players[2].total = 4; },
       "player 2 total 4 but the holes add up to 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InPlay();
    SoakCheck check(SoakLimits{});
    bool going = false;
    const std::string v = Frame(check, c.change, &going);
    if (c.report[0] == '\0') {
      EXPECT_EQ(v, "");
      EXPECT_TRUE(going);
    } else {
      EXPECT_NE(v.find(c.report), std::string::npos) << v;
      EXPECT_EQ(v.rfind("testhole frame 1: ", 0), 0u) << v;
      EXPECT_FALSE(going);
    }
  }
}

// A pull putt released: the frame strikes (stage back to idle, the ball moving).
void Strike(GameState& g, int strokes_added) {
  g.puttstage = 0;
  g.ballsmoving = true;
  Ball& b = g.players[g.curplayer];
  b.moving = true;
  b.speed = 2;
  b.strokes += strokes_added;
  b.total += strokes_added;
}

TEST(SoakCheckTest, StrokesMatchTheStrokesTaken) {
  InPlay();
  SoakCheck check(SoakLimits{});
  gs().puttstage = 4;
  EXPECT_EQ(Frame(check, [](GameState& g) { Strike(g, 1); }), "");
  EXPECT_EQ(check.strokes(), 1);

  InPlay();
  SoakCheck uncounted(SoakLimits{});
  gs().puttstage = 4;
  EXPECT_NE(Frame(uncounted, [](GameState& g) { Strike(g, 0); })
                .find("strokes went from 2 to 2 with 1 stroke taken and no bonus turn"),
            std::string::npos);

  // The stroke limit takes the ball out at the turn change: nobody strikes past it.
  InPlay();
  setup().strokelimit = "6";
  gs().players[1].strokes = gs().players[1].total = 6;
  SoakCheck limit(SoakLimits{});
  gs().puttstage = 4;
  EXPECT_NE(Frame(limit, [](GameState& g) { Strike(g, 1); })
                .find("struck with 6 strokes; the stroke limit is 6"),
            std::string::npos);
}

TEST(SoakCheckTest, PenaltyStrokeOnlyForABallComingBackUnderThePenaltyRule) {
  for (const bool minus1 : {true, false}) {
    SCOPED_TRACE(minus1);
    InPlay();
    setup().minus1 = minus1;
    gs().players[2].sinking = true;
    SoakCheck check(SoakLimits{});
    const std::string v = Frame(check, [](GameState& g) {
      Ball& b = g.players[2];
      b.sinking = false;
      b.airborne = true;
      b.strokes = b.total = 1;
    });
    EXPECT_EQ(v.empty(), minus1) << v;
  }
}

TEST(SoakCheckTest, TurnsEndWithinTheirFrames) {
  InPlay();
  SoakLimits limits;
  limits.turnframes = 100;
  SoakCheck check(limits);
  gs().ballsmoving = true;
  gs().players[1].moving = true;
  std::string v;
  for (int i = 0; i < 101 && v.empty(); ++i) v = Frame(check, [](GameState&) {});
  EXPECT_EQ(check.frames(), 101);
  EXPECT_NE(v.find("no turn change for 101 frames (balls still moving, player 1 to play, putt stage 0, game "
                   "state 0): player 1 at (100.0, "
                   "200.0)"),
            std::string::npos)
      << v;
}

// The last ball drops: the hole is complete, every column and count right.
void CompleteHole(GameState& g, int holeswon_of_2) {
  g.holenumber = 2;
  g.gamestate = kHoleFinished;
  g.totalpar = 3;
  g.beststrokes = 2;
  const int strokes[] = {0, 2, 4};
  for (int p = 1; p <= 2; ++p) {
    Ball& b = g.players[p];
    b.strokes = b.total = b.holestrokes[1] = strokes[p];
    b.topar = b.total - 3;
    b.inhole = true;
    b.oncourse = false;
    b.x = 5000;
  }
  g.players[1].holeswon = 1;
  g.players[2].holeswon = holeswon_of_2;
}

TEST(SoakCheckTest, CompleteHoleStopsTheGameOrReportsItsScores) {
  InPlay();
  gs().players[2].strokes = gs().players[2].total = 4;
  SoakCheck check(SoakLimits{});
  bool going = true;
  EXPECT_EQ(Frame(
                check, [](GameState& g) { CompleteHole(g, 0); }, &going),
            "");
  EXPECT_FALSE(going);
  EXPECT_EQ(check.holesdone(), 1);

  InPlay();
  gs().players[2].strokes = gs().players[2].total = 4;
  SoakCheck wrong(SoakLimits{});
  EXPECT_NE(Frame(wrong, [](GameState& g) { CompleteHole(g, 1); })
                .find("player 2 on a complete hole: holes won went from 0 to 1 with 4 strokes "
                      "against the best 2"),
            std::string::npos);
}

TEST(SoakCheckTest, TrainingHoleAbandonedAtTheStrokeCap) {
  InPlay();
  setup().training = true;
  gs().numplayers = 1;
  SoakLimits limits;
  limits.trainingstrokes = 2;
  SoakCheck check(limits);
  bool going = true;
  for (int i = 0; i < 2; ++i) {
    gs().puttstage = 4;
    gs().ballsmoving = gs().players[1].moving = false;
    EXPECT_EQ(Frame(
                  check, [](GameState& g) { Strike(g, 1); }, &going),
              "");
  }
  EXPECT_FALSE(going);
  EXPECT_TRUE(check.abandoned());
}

}  // namespace
}  // namespace gp
