#pragma once
// Turn order: the end of motion, the turn change, the starting player of a hole.
//
// Callers: `EndOfMotion` runs after every physics step of a moving ball (ball
// motion); `StartingPlayer` runs in hole set-up before the first turn.

namespace gp {

// Recomputes `ballsmoving` (a ball with `moving` and `oncourse`); when no ball in
// play moves any more, changes the turn.
void EndOfMotion();
// The turn change: a bonus repeat, or the stroke limit and the next player by
// the "nextplayer" rule (sequential, or farthest from the cup).
void EndTurn();
// Sets `curplayer` by the "startplayer" rule (LIFO, FIFO, random), clears
// `firstholed` and puts the starting player's ball on the course.
void StartingPlayer();

}  // namespace gp
