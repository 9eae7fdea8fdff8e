#pragma once
// Drawing a hole's course picture (item 0) and foreground layer (item 1) from
// its source: deep space, the floating floors, every area and the decorations.

#include <cairo.h>

#include "tools/assets/canvas.h"
#include "tools/assets/hole_source.h"

namespace gp::assets {

struct Col {
  double r = 0, g = 0, b = 0;
  Col Mix(const Col& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
  }
  Col Scale(double k) const { return {r * k, g * k, b * k}; }
};

// The colours of one course: felt, rails, accent.
struct Scheme {
  Col felt, feltDark, side, rail, railLight, accent;
};
const Scheme& SchemeOf(int scheme);

inline void SetCol(cairo_t* cr, const Col& c, double alpha = 1) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}
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
