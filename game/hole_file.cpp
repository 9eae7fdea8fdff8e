#include "game/hole_file.h"

#include <algorithm>
#include <string>

#include "base/angles.h"
#include "base/profile.h"
#include "base/random.h"
#include "game/state.h"

namespace gp {

namespace {

// Minimum flattened distance between two ball starts, pixels.
constexpr int kStartSeparation = 18;

bool TooClose(int i) {
  const GameState& g = gs();
  const Ball& a = g.players[i];
  for (int j = 1; j <= kMaxPlayers; ++j) {
    if (j == i) continue;
    const Ball& b = g.players[j];
    if (FlatDist(RoundInt(a.x), RoundInt(a.y), RoundInt(b.x), RoundInt(b.y)) < kStartSeparation) {
      return true;
    }
  }
  return false;
}

// Each ball starts on a random flattened ring 4..31 pixels around the start point,
// away from every other record (also those not in play: they keep old positions).
void PlaceBalls(const Profile& f) {
  GameState& g = gs();
  const int count = std::clamp(g.numplayers, 1, kMaxPlayers);
  for (int i = 1; i <= count; ++i) {
    Ball& b = g.players[i];
    for (int tries = 0; tries < kMaxStartTries; ++tries) {
      b.x = f.ReadInteger("ball", "x", 320);
      b.y = f.ReadInteger("ball", "y", 240);
      const int a = Random(256);
      const int d = Random(28) + 4;
      b.x += ByteCos(a) * d;
      b.y += ByteSin(a) * (d / 2.0);
      if (!TooClose(i)) break;
    }
  }
}

}  // namespace

Area ReadHoleArea(const Profile& f, int i) {
  const std::string s = "area" + std::to_string(i);
  Area a;
  a.kind = f.ReadInteger(s, "kind", 0);
  a.x1 = f.ReadInteger(s, "x1", 0);
  a.y1 = f.ReadInteger(s, "y1", 0);
  a.r = f.ReadInteger(s, "r", 0);
  a.x2 = f.ReadInteger(s, "x2", 0);
  a.y2 = f.ReadInteger(s, "y2", 0);
  a.x3 = f.ReadInteger(s, "x3", 0);
  a.y3 = f.ReadInteger(s, "y3", 0);
  a.x4 = f.ReadInteger(s, "x4", 0);
  a.y4 = f.ReadInteger(s, "y4", 0);
  a.p1 = f.ReadInteger(s, "p1", 0);
  a.p2 = f.ReadInteger(s, "p2", 0);
  a.p3 = f.ReadInteger(s, "p3", 0);
  a.p4 = f.ReadInteger(s, "p4", 0);
  a.p5 = f.ReadInteger(s, "p5", 0);
  a.p6 = f.ReadInteger(s, "p6", 0);
  a.enabled = f.ReadBool(s, "enabled", false);
  a.comment = f.ReadString(s, "comment", "");
  return a;
}

void LoadHole(const Profile& f) {
  GameState& g = gs();
  PlaceBalls(f);

  g.par = f.ReadInteger("course", "par", 3);
  if (g.holenumber >= 1 && g.holenumber <= kMaxHoles) g.holepar[g.holenumber] = g.par;
  // Wraps like the machine's 32-bit add instead of overflowing on absurd pars.
  g.totalpar =
      static_cast<int32_t>(static_cast<uint32_t>(g.totalpar) + static_cast<uint32_t>(g.par));

  for (int i = 1; i <= kMaxAreas; ++i) {
    g.areas[i] = ReadHoleArea(f, i);
    const Area& a = g.areas[i];
    if (a.kind == 5) {  // the cup; with several, the last one wins
      g.cupx = a.x1;
      g.cupy = a.y1;
      g.nexthole = a.comment;
    }
  }
}

void LoadHoleText(std::string_view text) {
  LoadHole(Profile::FromText(text));
}

void LoadHoleFile(const std::string& path) {
  LoadHole(Profile::FromFile(path));
}

}  // namespace gp
