#pragma once
// Turn order: the end of motion, the turn change, the starting player of a hole.

namespace gp {

// After every physics step: recomputes `ballsmoving`; when no ball in play
// moves any more, changes the turn.
void EndOfMotion();
void EndTurn();
void StartingPlayer();

}  // namespace gp
