#pragma once
// Keyboard commands of the game window.

namespace gp {

void OnKeyDown(int key);
void OnKeyUp(int key);

}  // namespace gp
