#pragma once
// Keyboard commands of the game window.

namespace gp {

void FormKeyDown(int key);
void FormKeyUp(int key);

}  // namespace gp
