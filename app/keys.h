#pragma once
// Keyboard commands of the game window.

namespace gp {

void OnKeyDown(int key);
void OnKeyUp(int key);

// Shared with the panel's buttons.
void TogglePutt();
void ToggleSound();

}  // namespace gp
