#include "rules/turns.h"

#include "core/state.h"

namespace gp {

void EndOfMotion() {
  GameState& g = gs();
  g.ballsmoving = false;
  for (int i = 1; i <= g.numplayers; ++i) {
    if (g.players[i].moving && g.players[i].oncourse) g.ballsmoving = true;
  }
  if (!g.ballsmoving) EndTurn();
}

void EndTurn() {}
void StartingPlayer() {}

}  // namespace gp
