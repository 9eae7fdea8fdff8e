#pragma once
// The view over the course: it follows a moving ball, glides back to the current
// ball, or scrolls by the arrow keys and the pointer at the screen edges.

namespace gp {

// Once per frame after the physics; reads the screen and course sizes from the state.
void UpdateView();

}  // namespace gp
