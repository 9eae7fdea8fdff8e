#pragma once
// Drawing the areas of a hole onto its course picture: ground surfaces
// (slopes, conveyors, water, dust, shade, ledges, drop-offs), the cup, every
// device, and the named decorations of [paintN] sections.

#include <cairo.h>

#include "tools/assets/hole_source.h"

namespace gp::assets {

// Slopes, conveyors, attractors, slow zones, water, shade, ledges, drop-offs.
void PaintSurfaces(const HoleSource& h, cairo_t* cr);
// The cup and every device (spring, fan, geyser, mine, teleporter, pipe, ...).
void PaintDevices(const HoleSource& h, cairo_t* cr);
// One [paintN] decoration: lamp, rock, crystal, arch, vent, cannon, worker,
// gate, planet, asteroid, plant, beacon, sign.
void PaintDecoration(const HoleSource& h, cairo_t* cr, const Paint& p);

}  // namespace gp::assets
