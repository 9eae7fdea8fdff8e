// galaputt-lab hole FILE [--players N] [--seed S]: a hole file as the game reads it.
#include <string>

#include "base/random.h"
#include "game/hole_file.h"
#include "game/state.h"
#include "tools/lab/hole_json.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"
#include "tools/lab/parse.h"

namespace gp::lab {

namespace {

void WriteAreaJson(Json& j, int index, const Area& a) {
  j.BeginObject().Field("index", index).Field("kind", a.kind);
  j.Field("x1", a.x1).Field("y1", a.y1).Field("r", a.r);
  j.Field("x2", a.x2).Field("y2", a.y2).Field("x3", a.x3).Field("y3", a.y3);
  j.Field("x4", a.x4).Field("y4", a.y4);
  j.Field("p1", a.p1).Field("p2", a.p2).Field("p3", a.p3);
  j.Field("p4", a.p4).Field("p5", a.p5).Field("p6", a.p6);
  j.Field("enabled", a.enabled).Field("comment", a.comment).EndObject();
}

}  // namespace

void WriteHoleFields(Json& j, int players) {
  const GameState& g = gs();
  j.Field("par", g.par).Field("totalpar", g.totalpar);
  j.Field("cupx", g.cupx).Field("cupy", g.cupy).Field("nexthole", g.nexthole);
  j.Key("players").BeginArray();
  for (int p = 1; p <= players; ++p) {
    j.BeginObject().Field("x", g.players[p].x).Field("y", g.players[p].y).EndObject();
  }
  j.EndArray().Key("areas").BeginArray();
  for (int i = 1; i <= kMaxAreas; ++i) WriteAreaJson(j, i, g.areas[i]);
  j.EndArray();
}

namespace {

int RunHole(const Args& args) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return Fail("hole: missing FILE");
  int32_t players = 1, seed = 0;
  if (const std::string* v = Option(args, "--players")) {
    if (!ParseInt(*v, players) || players < 1 || players > kMaxPlayers) {
      return Fail("hole: --players must be 1 to 4");
    }
  }
  if (const std::string* v = Option(args, "--seed")) {
    if (!ParseInt(*v, seed)) return Fail("hole: --seed must be an integer");
  }
  ResetGameState();
  Randomize(static_cast<uint64_t>(static_cast<uint32_t>(seed)));
  gs().numplayers = players;
  LoadHoleFile(args[0]);

  Json j;
  j.BeginObject();
  WriteHoleFields(j, players);
  j.EndObject().Print();
  return 0;
}

const Registrar kHole({"hole", "FILE [--players N] [--seed S]", RunHole});

}  // namespace

}  // namespace gp::lab
