// Honest pars: every hole is solved by `galaputt-lab solve`, the line it prints
// is played again through input events on a fresh game, and the hole's par must
// be the solver's stroke count, or one more where that line needs fine aim.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/state.h"
#include "tests/integration/game_driver.h"
#include "tests/solver/lab_solution.h"
#include "tools/lab/solve_game.h"

namespace gp {
namespace {

// Seconds any one hole may take; the slowest take under a minute here.
constexpr const char* kBudget = "150";

// Every hole the content has, by name.
std::vector<std::string> Holes() {
  std::vector<std::string> holes;
  const std::filesystem::path dir = std::string(GALAPUTT_SOURCE_DIR) + "/content/holes";
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().extension() == ".hole") holes.push_back(e.path().stem().string());
  }
  std::sort(holes.begin(), holes.end());
  return holes;
}

TEST(Pars, EveryHoleIsSolvedWithinItsPar) {
  const std::vector<std::string> holes = Holes();
  ASSERT_FALSE(holes.empty());
  const std::string missing = testing::MissingData(holes);
  ASSERT_TRUE(missing.empty()) << "hole data missing:" << missing;
  for (const std::string& hole : holes) {
    SCOPED_TRACE(hole);
    std::string text;
    const test::LabSolution s = test::LabSolve("--hole " + hole + " --budget " + kBudget, text);
    ASSERT_TRUE(s.parsed) << text;
    ::testing::Test::RecordProperty(hole, text);
    ASSERT_TRUE(s.line.found) << "no line found: " << text;
    EXPECT_GE(s.par, s.line.strokes) << "the hole needs more than its par: " << text;
    EXPECT_LE(s.par, s.line.strokes + 1) << "the par is more than one over the solver's: " << text;

    // The line, played as a player would, holes out in the strokes reported.
    lab::SolveGame game;
    ASSERT_EQ(game.Open(testing::GameDir(), hole, 1), "");
    const int32_t number = gs().holenumber;  // the hole's place in its course
    EXPECT_EQ(game.PlayLine(s.line.shots), "");
    EXPECT_EQ(gs().players[1].holestrokes[number], s.line.strokes);
  }
}

}  // namespace
}  // namespace gp
