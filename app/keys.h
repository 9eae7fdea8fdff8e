#pragma once
// Keyboard commands of the game window.

namespace gp {

void OnKeyDown(int key);
void OnKeyUp(int key);
// The platform saved the screen as a picture (F12), or could not: said on the message line.
void OnScreenshot(bool saved);

// Shared with the panel's buttons.
void TogglePutt();
void ToggleSound();

}  // namespace gp
