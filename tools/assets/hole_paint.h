#pragma once
// Drawing a hole's course picture (item 0) and foreground layer (item 1) from
// its source: deep space, the floating floors, every area and the decorations.

#include <cairo.h>

#include "tools/assets/canvas.h"
#include "tools/assets/colour.h"
#include "tools/assets/hole_source.h"

namespace gp::assets {


// The colours of one course: felt, rails, accent.
struct Scheme {
  Col felt, feltDark, side, rail, railLight, accent;
};
const Scheme& SchemeOf(int scheme);

// Adds the area's shape to the path (ellipse, quad or a 4-pixel-wide segment band).
void AreaPath(cairo_t* cr, const Area& a);
// An ellipse path twice as wide as high, half-width `rx`.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

// Paints the course picture into `course` and the parts that stand above a
// ball (front rails, arches, tall decorations) into `fg` (transparent elsewhere).
void PaintCourse(const HoleSource& h, Surface& course, Surface& fg);

// True when (x, y) lies on one of the hole's floors.
bool InsideFloors(const HoleSource& h, double x, double y);

// Light per-pixel noise so that gradients do not band on a 16-bit display.
void Dither(Surface& s, unsigned seed, int amount);

}  // namespace gp::assets
