// galaputt-lab solve: the hole solver on the real game, headless.
//   galaputt-lab solve --hole NAME [--players 1] [--max-strokes N] [--seed S]
//                      [--budget SECONDS] [--next NAME] [--beam N]
#include <string>

#include "ai/solver.h"
#include "game/setup.h"
#include "game/state.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"
#include "tools/lab/solve_game.h"

namespace gp::lab {

namespace {

// Reads the options; an error text, empty when all is well.
std::string ParseSolveOptions(const Args& args, ai::SolveOptions& o, int32_t& seed) {
  int32_t players = 1;
  if (const std::string* p = Option(args, "--players")) {
    if (!ParseInt(*p, players) || players != 1) return "solve plays one ball: --players must be 1";
  }
  if (const std::string* v = Option(args, "--max-strokes")) {
    if (!ParseInt(*v, o.maxstrokes) || o.maxstrokes < 1 || o.maxstrokes >= 9) {
      return "--max-strokes must be 1 to 8 (the stroke limit is 9)";
    }
  }
  if (const std::string* v = Option(args, "--seed"); v && !ParseInt(*v, seed)) return "bad --seed";
  if (const std::string* v = Option(args, "--budget")) {
    if (!ParseDouble(*v, o.budget) || o.budget <= 0) return "--budget must be a positive number";
  }
  if (const std::string* v = Option(args, "--beam")) {
    if (!ParseInt(*v, o.beam) || o.beam < 1 || o.beam > 100) return "--beam must be 1 to 100";
  }
  if (const std::string* v = Option(args, "--next")) o.nexthole = *v;
  return "";
}

void PrintSolution(const std::string& hole, int par, const ai::Solution& s) {
  Json j;
  j.BeginObject().Field("hole", hole).Field("par", par).Field("strokes", s.strokes);
  j.Field("found", s.found).Key("shots").BeginArray();
  for (const ai::SolvedShot& shot : s.shots) {
    j.BeginObject().Field("angle", shot.angle).Field("speed", shot.speed);
    j.Field("fromx", shot.fromx).Field("fromy", shot.fromy).Field("tox", shot.tox);
    j.Field("toy", shot.toy).Field("frame", shot.frame).EndObject();
  }
  j.EndArray().Field("nodes", s.nodes).Field("seconds", s.seconds);
  j.Field("fineaim", s.fineaim).Field("outoftime", s.outoftime).EndObject().Print();
}

int RunSolve(const Args& args) {
  const std::string* hole = Option(args, "--hole");
  if (!hole) return Fail("solve needs --hole NAME");
  ai::SolveOptions o;
  int32_t seed = 1;
  if (const std::string e = ParseSolveOptions(args, o, seed); !e.empty()) return Fail(e);
  SolveGame game;
  if (const std::string e = game.Open(ProgramFolder(), *hole, static_cast<uint64_t>(seed));
      !e.empty()) {
    return Fail(e);
  }
  const ai::Solution s = ai::Solve(game.HoleFrame(), o);
  PrintSolution(*hole, gs().par, s);
  return 0;
}

const Registrar kSolve({"solve",
                        "--hole NAME [--players 1] [--max-strokes N] [--seed S] "
                        "[--budget SECONDS] [--next NAME] [--beam N]",
                        RunSolve});

}  // namespace

}  // namespace gp::lab
