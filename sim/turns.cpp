#include "sim/turns.h"

#include "base/random.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "base/angles.h"
#include "sim/motion.h"
#include "sim/putting.h"
#include "sim/scoring.h"

namespace gp {

namespace {

// Rule values of the setup record.
constexpr int kStartFifo = 1;
constexpr int kStartRandom = 2;
constexpr int kNextFarthest = 1;

// The next player after the current one whose ball is not in the cup; the
// current player again when every other ball is in.
int NextSequential() {
  const GameState& g = gs();
  const int prev = g.curplayer;
  if (g.numplayers < 1) return prev;
  int p = prev;
  do {
    p = p % g.numplayers + 1;
  } while (g.players[p].inhole && p != prev);
  return p;
}

// The player whose ball lies farthest from the cup (ties: the highest number);
// 0 when every ball is in the cup.
int FarthestFromCup() {
  const GameState& g = gs();
  int best = 0;
  int bestdist = -1;
  for (int i = 1; i <= g.numplayers; ++i) {
    const Ball& b = g.players[i];
    if (b.inhole) continue;
    const int d = Dist(RoundInt(b.x), RoundInt(b.y), g.cupx, g.cupy);
    if (d >= bestdist) {
      bestdist = d;
      best = i;
    }
  }
  return best;
}

void ChooseNextPlayer() {
  GameState& g = gs();
  g.curplayer = NextSequential();
  if (setup().nextplayer == kNextFarthest) {
    const int far = FarthestFromCup();
    if (far != 0) g.curplayer = far;
  }
}

void PassTurn() {
  GameState& g = gs();
  CheckStrokeLimit();
  PlaySound(24);
  ChooseNextPlayer();
  // A player whose strokes reached the limit while another played (a penalty
  // stroke for a ball knocked into water) is taken out too, before striking
  // over the limit; the turn goes on to the next one.
  for (int k = 1; k < g.numplayers && CurrentOverStrokeLimit(); ++k) {
    CheckStrokeLimit();
    ChooseNextPlayer();
  }
  Ball& cur = g.players[g.curplayer];
  if (!cur.oncourse && !cur.inhole) cur.oncourse = true;  // first turn on this hole
  g.centreview = true;
  ParkPointer();
  g.bonusturn = false;
  g.passturn = false;
}

}  // namespace

void EndOfMotion() {
  GameState& g = gs();
  g.ballsmoving = false;
  for (int i = 1; i <= g.numplayers; ++i) {
    if (g.players[i].moving && g.players[i].oncourse) g.ballsmoving = true;
  }
  if (!g.ballsmoving) EndTurn();
}

void EndTurn() {
  GameState& g = gs();
  StartStrokeClock();
  // A bonus stroke: the same player shoots again, once; not at the stroke
  // limit, which a penalty stroke before the bonus may have reached.
  if (g.bonusturn && !g.passturn && !CurrentOverStrokeLimit()) {
    g.passturn = true;
    g.centreview = true;
    ParkPointer();
    return;
  }
  PassTurn();
}

void StartingPlayer() {
  GameState& g = gs();
  switch (setup().startplayer) {
    case kStartFifo:
      if (g.firstholed != 0) g.curplayer = g.firstholed;
      break;
    case kStartRandom:
      // Every player can start, the last one included.
      g.curplayer = Random(g.numplayers) + 1;
      break;
    default:  // LIFO: whoever ended the previous hole starts; player 1 on the first
      break;
  }
  if (g.curplayer < 1 || g.curplayer > g.numplayers) g.curplayer = 1;
  g.firstholed = 0;
  g.players[g.curplayer].oncourse = true;
}

}  // namespace gp
