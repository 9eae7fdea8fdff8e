#pragma once
// Full-screen pages: score details, putting help, hole card.
//
// The frame tick calls `DrawPages` once per frame after the HUD; in game
// states 1, 2 and 3 it blacks out the screen and draws the page over it.

#include "view/scene.h"

namespace gp {

void DrawPages(const Scene& sc);

}  // namespace gp
