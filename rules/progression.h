#pragma once
// Hole progression, the game's end and the standings line.

#include <string>

namespace gp {

void FirstHole();
void HoleChangeStep();
// Fills the standings line (it shares the message line's storage).
void StandingsLine();
void LeaveFinishedGame();

}  // namespace gp
