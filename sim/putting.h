#pragma once
// Putting input: the pointer handlers, which run between frames, and the
// per-frame aim update, which computes the aim and releases the stroke.
//
// Two methods, chosen per player (`pull`):
//   pull: press on the ball, drag away from the shot, release; the club swings
//         in the following frames and strikes.
//   push: click the ball, move sideways to aim and click, pull the pointer down
//         (the back-swing) and click, then swing it up past the centre.
// While aiming the pointer is parked at the screen centre (`spotx`, `spoty`) and
// every measure is taken from there.
//
// Wiring in the game window (all on the user-interface thread, between ticks):
//   pointer moved            -> OnPointerMove(x, y)   (before any button event
//                               at the new position)
//   left button down         -> OnLeftButtonDown(), then PanelPress() when it
//                               says the panel gets the press
//   left button up           -> OnLeftButtonUp() (this is also the click), then
//                               PanelClick() when it says the panel gets the click
//   right button down or up  -> OnRightButton()
//   left double click        -> PanelDoubleClick()    (app/panel_input.h)
//   middle button            -> nothing
// The frame tick calls AimFrame once per frame after the physics, draws the
// aim, then calls AimBlink.
//
// Who gets a left press: the pull putt when it is on the ball (and no ball
// moves, not between holes), otherwise the panel buttons (`PanelPress`) when no
// putt is being prepared. Who gets a left release: while a page is up (states
// 1, 2, 3) or the game is over, the panel (`PanelClick`: closes the page or
// leaves); otherwise the putt in preparation, or a push putt starting on the
// ball; a release that finds no putt under way is a panel click.

namespace gp {

// Screen pixels; updates `mousestep`, `mousex`, `mousey`.
void OnPointerMove(int sx, int sy);
// Both return true when the panel gets the press or the click.
bool OnLeftButtonDown();
bool OnLeftButtonUp();
// Down or up: abandons the putt, cancels the exit prompt.
void OnRightButton();
// Once per frame after the physics, whatever the game state.
void AimFrame();
// The release: launches the current player's ball with its `angle` and `speed`.
void Strike();
// Recomputes spotx, spoty from the screen size and asks for the pointer there.
void ParkPointer();
// The target marker blinks while it is shown (after the aim is drawn).
void AimBlink();

// The pointer is within 23 pixels of the current player's ball (course pixels).
bool PointerNearBall();

}  // namespace gp
