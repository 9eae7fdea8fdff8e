#pragma once
// The hole's floaters (dust, falling particles, rain, bubbles) and the
// lightning flash, drawn from the state after the hole animations moved them.

#include "view/scene.h"

namespace gp {

void DrawHoleAnimations(const Scene& sc);

}  // namespace gp
