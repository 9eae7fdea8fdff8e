#pragma once
// Hole progression, the game's end, the standings line and leaving a finished game.
//
// Callers: `FirstHole` at game start before the first `HoleInit`;
// `HoleChangeStep` once per frame after the ball pass; `UpdateStandings` once per
// frame before the pages are drawn; `LeaveFinishedGame` by the click handler
// (`PanelClick`) and by any key while `gameover` is set.
//
// Leaving: `LeaveFinishedGame` (and the ESC-ENTER key path) set `leaverequest`.
// The game window looks at it after every event and tick; when set, it stops
// the frame timer, shuts the display and the sound device down and closes.

#include <string>

namespace gp {

// `holename` := the first hole: "training1" for a training round, else "course1hole1".
void FirstHole();
// In state 4 once the result message has faded: `holename` := `nexthole` and a
// request (`holerequest`) that the game window load and set up that hole at once.
void HoleChangeStep();
// Fills the standings line ("WINNER - ...", "LEADER - ...", or the single
// player's score and rank title); it shares the message line's storage.
void StandingsLine();
// The first player the standings line names (1-based): the lowest score
// against par, or the most holes won, the lower number on a tie.
int FirstNamedPlayer();
// Once per frame before the pages are drawn: while the score details show,
// the standings line.
void UpdateStandings();
// Click sound and a request to stop the frame timer and close the game window.
void LeaveFinishedGame();

// The rank title appended to a single player's final score line.
std::string RankTitle(int topar);

}  // namespace gp
