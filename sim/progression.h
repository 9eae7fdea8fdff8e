#pragma once
// Hole progression, the game's end, the standings line and leaving a finished game.
//
// Callers: `FirstHole` at game start before the first `HoleInit`;
// `HoleChangeStep` once per frame after the ball pass; `StandingsLine` once per
// frame by the score details page; `LeaveFinishedGame` by the click handler
// (`PanelClick`) and by any key while `gameover` is set.
//
// Leaving: `LeaveFinishedGame` (and the ESC-ENTER key path) stop the frame timer
// and call `RequestLeaveGame`. The game window's loop polls `LeaveRequested`
// after every event and tick; when set, it shuts the display and the sound
// device down, closes, and calls `ClearLeaveRequest` for the next game.

#include <string>

namespace gp {

// `holename` := the first hole: "training1" for a training round, else "course1hole1".
void FirstHole();
// In state 4 once the result message has faded: loads `nexthole` (hole set-up).
// Asset errors of the set-up propagate to the caller.
void HoleChangeStep();
// Fills the standings line ("WINNER - ...", "LEADER - ...", or the single
// player's score and rank title); it shares the message line's storage.
void StandingsLine();
// Click sound, frame timer off, and a request to close the game window.
void LeaveFinishedGame();

void RequestLeaveGame();
bool LeaveRequested();
void ClearLeaveRequest();

// The rank title appended to a single player's final score line.
std::string RankTitle(int topar);

}  // namespace gp
