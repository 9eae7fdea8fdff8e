// Whole games played by the solver through input events: the training round,
// the SE Course through the bonus hole and through the secret hole, and the
// Comet Reef's nine holes, each to its score sheet. Every hole is solved from the game as it stands
// when the hole opens (strokes, switches, the random generator and the obstacles' cycle all carry
// over from the holes before), and the line found is played through pointer events, each stroke on
// its frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game_loop.h"
#include "base/keys.h"
#include "game/setup.h"
#include "game/state.h"
#include "sim/progression.h"
#include "tests/integration/game_driver.h"
#include "tools/lab/solve_game.h"

namespace gp {
namespace {

struct ChainHole {
  const char* name;
  const char* next;  // the next hole the line must lead to; "" = the cup's own
};

const std::vector<ChainHole> kTraining{{"training1", ""},    {"course1hole2", ""},
                                       {"course2hole5", ""}, {"course1hole5", ""},
                                       {"course3hole9", ""}, {"course4hole3", ""}};
// The hidden spot on hole 3 makes the bonus hole the fourth.
const std::vector<ChainHole> kBonus{
    {"course1hole1", ""}, {"course2hole1", ""}, {"course1hole3", "course5hole1"},
    {"course5hole1", ""}, {"course2hole9", ""}, {"course3hole6", ""}};
// The text switch on hole 4 makes the secret hole the fifth.
const std::vector<ChainHole> kSecret{{"course1hole1", ""},
                                     {"course2hole1", ""},
                                     {"course1hole3", "course1hole4"},
                                     {"course1hole4", "course4hole4"},
                                     {"course4hole4", ""},
                                     {"course3hole6", ""}};

// The single player's standings line on the score sheet, from its score against par.
std::string ExpectedStandings(int topar) {
  std::string s = topar == 0  ? "SCORE EVEN "
                  : topar < 0 ? "SCORE " + std::to_string(-topar) + " UNDER "
                              : "SCORE " + std::to_string(topar) + " OVER ";
  return s + RankTitle(topar);
}

// The Comet Reef, a built-in course of its own folder.
const char* const kReefFolder = "courses/reef/";
const std::vector<ChainHole> kReef{{"reef1", ""}, {"reef2", ""}, {"reef3", ""},
                                   {"reef4", ""}, {"reef5", ""}, {"reef6", ""},
                                   {"reef7", ""}, {"reef8", ""}, {"reef9", ""}};

// Plays the holes of `chain` from the folder `folder` (below the program
// folder; "" for the SE Course and the training round).
void PlayChain(const std::vector<ChainHole>& chain, bool training, const std::string& folder = "") {
  std::vector<std::string> names;
  for (const ChainHole& h : chain) names.push_back(folder + h.name);
  const std::string missing = testing::MissingData(names);
  ASSERT_TRUE(missing.empty()) << "hole data missing:" << missing;
  GameSetup s;
  s.training = training;
  if (!folder.empty()) s.coursefolder = testing::GameDir() + folder;
  lab::SolveGame game;
  ASSERT_EQ(game.Open(testing::GameDir(), "", 1, s), "");
  GameState& g = gs();
  int strokes = 0, pars = 0;
  for (size_t k = 0; k < chain.size(); ++k) {
    const int number = static_cast<int>(k) + 1;
    ASSERT_EQ(g.holename, chain[k].name) << "hole " << number;
    ASSERT_EQ(g.holenumber, number);
    pars += g.par;
    ai::SolveOptions o;
    o.nexthole = chain[k].next;
    o.checkaim = false;
    ai::Solution line;
    ASSERT_EQ(game.SolveAndPlay(o, &line), "") << "on " << g.holename;
    EXPECT_EQ(g.players[1].holestrokes[number], line.strokes) << g.holename;
    strokes += line.strokes;
    if (number < static_cast<int>(chain.size())) {
      EXPECT_EQ(g.nexthole, chain[k + 1].name);
      ASSERT_TRUE(game.NextHole()) << "no next hole after " << chain[k].name;
    }
  }
  ASSERT_TRUE(g.gameover);
  EXPECT_EQ(g.gamestate, kScoreDetails);
  EXPECT_EQ(g.players[1].total, strokes);
  EXPECT_EQ(g.totalpar, pars);
  EXPECT_EQ(g.players[1].topar, strokes - pars);
  game.Tick();  // the score sheet's frame writes the standings
  EXPECT_EQ(g.message, ExpectedStandings(strokes - pars));
  // Any key leaves the finished game.
  InputEvent key;
  key.type = InputEvent::Type::KeyDown;
  key.key = kKeySpace;
  DispatchInput(key);
  EXPECT_FALSE(GameWindowOpen());
}

TEST(Chains, TrainingRoundToTheScoreSheet) {
  PlayChain(kTraining, true);
}

TEST(Chains, SeCourseThroughTheBonusHole) {
  PlayChain(kBonus, false);
}

TEST(Chains, SeCourseThroughTheSecretHole) {
  PlayChain(kSecret, false);
}

TEST(Chains, CometReefToTheScoreSheet) {
  PlayChain(kReef, false, kReefFolder);
}

}  // namespace
}  // namespace gp
