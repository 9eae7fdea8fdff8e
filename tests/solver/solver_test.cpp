// The solver's parts: drags that give exact launches, the swing's timing as the
// game runs it, the distance round walls, a search that puts the game back,
// and the same line for the same seed.
#include "ai/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ai/course_map.h"
#include "ai/putt_input.h"
#include "app/game_loop.h"
#include "base/random.h"
#include "game/area_kind.h"
#include "game/putt_stages.h"
#include "game/state.h"
#include "game/state_digest.h"
#include "tests/integration/game_driver.h"
#include "tests/solver/lab_solution.h"
#include "tests/support/temp_folder.h"
#include "tools/lab/solve_game.h"

namespace gp {
namespace {

using ai::Drag;

TEST(PuttInput, EveryDragGivesItsLaunchBackExactly) {
  for (int angle = 0; angle < 256; ++angle) {
    for (int length = ai::kMinDragLength; length <= ai::kMaxDragLength; ++length) {
      const Drag d = ai::DragFor(angle, length);
      ASSERT_EQ(ai::DragAngle(d), angle) << "length " << length;
      // From 57 pixels on every direction has a drag of exactly that length
      // (shorter, some directions need a longer drag).
      if (length >= 57) {
        ASSERT_EQ(ai::DragLength(d), length) << "angle " << angle;
      }
      // What the solver prints (angle, speed) finds the same drag again.
      ASSERT_EQ(ai::DragForLaunch(angle, ai::DragSpeed(d)), d);
    }
  }
}

TEST(PuttInput, LaunchIsOppositeToTheDragAndCappedAtFour) {
  EXPECT_EQ(ai::DragAngle({-40, 0}), 0);   // drag left, ball goes right (+x)
  EXPECT_EQ(ai::DragAngle({0, -40}), 64);  // drag up, ball goes down (+y)
  EXPECT_DOUBLE_EQ(ai::DragSpeed({0, 40}), 1.0);
  EXPECT_DOUBLE_EQ(ai::DragSpeed({0, 200}), 4.0);
}

// A pull putt through input events strikes on the frame the swing says.
TEST(PuttInput, StrikeComesAfterTheSwingFrames) {
  ASSERT_TRUE(testing::MissingData({"course1hole1"}).empty());
  for (const int length : {4, 20, 57, 100, 160}) {
    SCOPED_TRACE(length);
    lab::SolveGame game;
    ASSERT_EQ(game.Open(testing::GameDir(), "course1hole1", 1), "");
    for (int i = 0; i < 600 && !ai::ReadyToStroke(); ++i) game.Tick();
    ASSERT_TRUE(ai::ReadyToStroke());
    const Drag d = ai::DragFor(0, length);
    const int swing = ai::SwingFrames(ai::DragLength(d), gs().clubspeed);
    for (const InputEvent& ev : ai::PressEvents(d)) DispatchInput(ev);
    ASSERT_EQ(gs().puttstage, kPullAim);
    game.Tick();
    DispatchInput(ai::ReleaseEvent(d));
    const int released = game.HoleFrame();
    for (int i = 0; i < 100 && !gs().ballsmoving; ++i) game.Tick();
    ASSERT_TRUE(gs().ballsmoving);
    EXPECT_EQ(game.HoleFrame() - released, swing);
    EXPECT_EQ(gs().players[1].angle & 255, 0);
    EXPECT_DOUBLE_EQ(gs().players[1].speed, ai::DragSpeed(d));
  }
}

// A course of 400 x 300 with a wall across at y = 150 from x = 0 to 300.
GameState WalledCourse() {
  GameState g;
  g.coursewidth = 400;
  g.courseheight = 300;
  Area& wall = g.areas[1];
  wall.kind = kHorizontalWall;
  wall.x1 = 0, wall.y1 = 150, wall.x2 = 300, wall.y2 = 150;
  wall.enabled = true;
  return g;
}

TEST(CourseMap, DistanceGoesRoundWalls) {
  const GameState g = WalledCourse();
  const ai::CourseMap map(g);
  EXPECT_TRUE(map.Blocked(100, 150));
  EXPECT_FALSE(map.Blocked(350, 150));
  const auto f = map.DistancesTo(g, {}, 50, 100);
  EXPECT_LT(f.At(50, 100), 5);
  EXPECT_NEAR(f.At(150, 100), 100, 12);
  // Across the wall: round its end at x = 300, about 2 * hypot(250, 50).
  EXPECT_GT(f.At(50, 200), 480);
  EXPECT_LT(f.At(50, 200), 600);
}

TEST(CourseMap, SwitchedOffWallsAndObstaclesDoNotBlock) {
  GameState g = WalledCourse();
  g.areas[1].enabled = false;
  const ai::CourseMap map(g);
  EXPECT_FALSE(map.Blocked(100, 150));
  EXPECT_NEAR(map.DistancesTo(g, {}, 50, 100).At(50, 200), 100, 12);
}

TEST(CourseMap, TeleporterLeadsToItsExitAndWaterCostsMore) {
  GameState g = WalledCourse();
  Area& tele = g.areas[2];  // a mouth below the wall, its exit above it
  tele.kind = kTeleporter;
  tele.x1 = 50, tele.y1 = 250, tele.r = 20;
  tele.x2 = 60, tele.y2 = 110;
  tele.enabled = true;
  const ai::CourseMap map(g);
  const auto f = map.DistancesTo(g, {}, 50, 100);
  EXPECT_LT(f.At(50, 250), 30);
  EXPECT_LT(f.At(50, 200), 120);

  GameState wet = WalledCourse();
  Area& water = wet.areas[2];  // a pool across the way on the open side
  water.kind = kWater;
  water.x1 = 300, water.y1 = 0, water.x2 = 400, water.y2 = 0;
  water.x3 = 400, water.y3 = 300, water.x4 = 300, water.y4 = 300;
  water.enabled = true;
  const ai::CourseMap wetmap(wet);
  EXPECT_GT(wetmap.DistancesTo(wet, {}, 50, 100).At(50, 200),
            map.DistancesTo(g, {}, 50, 100).At(50, 200) + 100);
}

TEST(CourseMap, CutOffPointsRankBehindAndByDistance) {
  GameState g = WalledCourse();
  g.areas[1].x2 = 400;  // the wall now closes the way
  const ai::CourseMap map(g);
  const auto f = map.DistancesTo(g, {}, 50, 100);
  EXPECT_GT(f.At(50, 200), 1e5);
  EXPECT_LT(f.At(50, 200), f.At(350, 280));
}

// The search runs thousands of strokes on the live game and must leave it
// exactly as it was: state, random generator and window frames.
TEST(Solver, LeavesTheGameAsItFoundIt) {
  ASSERT_TRUE(testing::MissingData({"course1hole4"}).empty());
  lab::SolveGame game;
  ASSERT_EQ(game.Open(testing::GameDir(), "course1hole4", 5), "");
  const uint64_t before = StateDigest(gs());
  const RandomState random = SaveRandom();
  const int frames = GameWindowFrames();
  ai::SolveOptions o;
  o.checkaim = false;
  const ai::Solution s = ai::Solve(game.HoleFrame(), o);
  EXPECT_TRUE(s.found);
  EXPECT_GT(s.nodes, 0);
  EXPECT_EQ(StateDigest(gs()), before);
  const RandomState after = SaveRandom();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(after.words[i], random.words[i]);
  EXPECT_EQ(GameWindowFrames(), frames);
  // And the line found plays out on it (course1hole4 is the course's hole 4).
  EXPECT_EQ(gs().holenumber, 4);
  EXPECT_EQ(game.PlayLine(s.shots), "");
  EXPECT_EQ(gs().players[1].holestrokes[4], s.strokes);
}

std::string WithoutSeconds(std::string text) {
  const size_t at = text.find("\"seconds\":");
  if (at == std::string::npos) return text;
  return text.erase(at, text.find(',', at) - at);
}

TEST(Solver, SameSeedSameLine) {
  ASSERT_TRUE(testing::MissingData({"course4hole4"}).empty());
  std::string first, second, other;
  const test::LabSolution a = test::LabSolve("--hole course4hole4 --seed 7", first);
  const test::LabSolution b = test::LabSolve("--hole course4hole4 --seed 7", second);
  ASSERT_TRUE(a.parsed && b.parsed) << first << second;
  ASSERT_TRUE(a.line.found) << first;
  EXPECT_FALSE(a.line.outoftime);
  EXPECT_EQ(WithoutSeconds(first), WithoutSeconds(second));
  // Another seed scatters the ball elsewhere at the start.
  const test::LabSolution c = test::LabSolve("--hole course4hole4 --seed 8", other);
  ASSERT_TRUE(c.parsed) << other;
  ASSERT_FALSE(c.line.shots.empty());
  EXPECT_NE(c.line.shots[0].fromx, a.line.shots[0].fromx);
}

TEST(Solver, CommandRejectsBadOptions) {
  for (const char* args : {"", "--hole course1hole1 --players 2", "--hole course1hole1 --budget 0",
                           "--hole course1hole1 --max-strokes 9", "--hole nosuchhole"}) {
    EXPECT_NE(test::RunLab(std::string("solve ") + args).status, 0) << args;
  }
}

std::string FileText(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// The preview with --solution draws the line found over the plain preview.
TEST(Solver, PreviewDrawsTheLine) {
  ASSERT_TRUE(testing::MissingData({"course1hole4"}).empty());
  test::TempFolder dir;
  const std::string plain = dir.Path("plain.png"), drawn = dir.Path("drawn.png");
  ASSERT_EQ(test::RunLab("preview --hole course1hole4 --out " + plain).status, 0);
  const test::LabOutput out = test::RunLab("preview --hole course1hole4 --solution --out " + drawn);
  ASSERT_EQ(out.status, 0) << out.text;
  EXPECT_NE(out.text.find("\"found\":true"), std::string::npos) << out.text;
  ASSERT_TRUE(std::filesystem::exists(drawn));
  EXPECT_GT(std::filesystem::file_size(drawn), 0u);
  EXPECT_NE(FileText(plain), FileText(drawn));
}

}  // namespace
}  // namespace gp
