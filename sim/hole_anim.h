#pragma once
// Ambient animation selected by the hole's name: floaters, storms, cycling
// obstacles, puffs. Drawing them is the view's (view/hole_anim_draw.h).

namespace gp {

// Once per frame after the aim: moves the floaters, strikes lightning (leaving
// this frame's flash in `flash`), cycles the obstacles, raises puffs.
void UpdateHoleAnimations();

}  // namespace gp
