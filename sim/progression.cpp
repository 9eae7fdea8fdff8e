#include "sim/progression.h"

#include "game/hole_tables.h"
#include "game/names.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"

namespace gp {

namespace {

constexpr int kScoringMostHolesWon = 1;

// The value the standings rank by: `topar` (lowest leads) or `holeswon` (highest).
int RankValue(int p) {
  const Ball& b = gs().players[p];
  return setup().scoring == kScoringMostHolesWon ? b.holeswon : b.topar;
}

int BestValue() {
  const GameState& g = gs();
  const bool most = setup().scoring == kScoringMostHolesWon;
  int best = most ? 0 : 500;
  for (int i = 1; i <= g.numplayers; ++i) {
    const int v = RankValue(i);
    if (most ? v > best : v < best) best = v;
  }
  return best;
}

std::string SinglePlayerLine() {
  const GameState& g = gs();
  const int t = g.players[1].topar;
  std::string s;
  if (t == 0) {
    s = "SCORE EVEN ";
  } else if (t < 0) {
    s = "SCORE " + std::to_string(-static_cast<long long>(t)) + " UNDER ";
  } else {
    s = "SCORE " + std::to_string(t) + " OVER ";
  }
  if (g.gameover) s += RankTitle(t);
  return s;
}

}  // namespace

std::string RankTitle(int topar) {
  if (topar <= -9) return "  RANK - MINIGOLF LEGEND";
  if (topar >= 20) return "  RANK - COSMIC PUTTS";
  switch (topar) {
    case -8:
      return "- RANK MINIGOLF LEGEND";
    case -7:
      return "- RANK SPACE ACE";
    case -6:
      return "- RANK HYPER-THRUSTER";
    case -5:
      return "- RANK BIG DIPPER";
    case -4:
      return "- RANK STARBUCK";
    case -3:
      return "- RANK SPACE COWBOY";
    case -2:
      return "- RANK MINI-BANG";
    case -1:
      return "- RANK SPACE CADET";
    case 0:
      return "- RANK EVEN STEVEN";
    case 19:
      return "- RANK COSMIC PUTTS";
    default:
      break;
  }
  // 1..18 in pairs.
  static const char* const kPairs[] = {
      "- RANK LITTLE DIPPER",   "- RANK GREENSKEEPER", "- RANK WORMHOLE",
      "- RANK ASTEROID",        "- RANK MOON CHEESE",  "- RANK RIMMED OUT",
      "- RANK COMMANDER SHANK", "- RANK ASTRO CADDY",  "- RANK COLOSSAL DIVOT",
  };
  return kPairs[(topar - 1) / 2];
}

void FirstHole() {
  gs().holename = setup().training ? kFirstTrainingHole : kFirstCourseHole;
}

void HoleChangeStep() {
  GameState& g = gs();
  if (g.gamestate != kHoleFinished || g.bigmessagefade >= 1) return;
  g.bigmessage.clear();
  g.gamestate = kPlay;
  g.holename = g.nexthole;
  g.holerequest = true;
}

void StandingsLine() {
  GameState& g = gs();
  if (g.numplayers == 1) {
    g.message = SinglePlayerLine();
    return;
  }
  const int best = BestValue();
  std::string s = g.gameover ? "WINNER - " : "LEADER - ";
  for (int i = 1; i <= g.numplayers; ++i) {
    if (RankValue(i) == best) s += Capitalized(g.players[i].name) + " ";
  }
  g.message = s;
}

int FirstNamedPlayer() {
  const int best = BestValue();
  for (int i = 1; i <= gs().numplayers; ++i) {
    if (RankValue(i) == best) return i;
  }
  return 1;
}

void UpdateStandings() {
  if (gs().gamestate == kScoreDetails) StandingsLine();
}

void LeaveFinishedGame() {
  PlaySound(5);
  gs().leaverequest = true;
}

}  // namespace gp
