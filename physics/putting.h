#pragma once
// Putting input: pointer handlers between frames, and the per-frame aim update.

namespace gp {

void OnPointerMove(int sx, int sy);
void OnLeftButtonDown();
void OnLeftButtonUp();
void OnRightButton();  // down or up: abandons the putt, cancels the exit prompt
// Once per frame after the physics, whatever the game state.
void AimFrame();
// The release: launches the current player's ball.
void Strike();
// Recomputes spotx, spoty from the surface size and moves the pointer there.
void ParkPointer();

}  // namespace gp
