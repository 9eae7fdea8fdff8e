#pragma once
// Small drawing helpers shared by the hole compiler's painters.

#include <cairo.h>

#include <cmath>

#include "tools/assets/hole_paint.h"
#include "tools/assets/hole_source.h"

namespace gp::assets::draw {

// Screen direction of a byte angle (256 steps per turn, 64 = down).
inline Pt Dir(double byteangle) {
  const double t = byteangle * 2 * M_PI / 256;
  return {std::cos(t), std::sin(t)};
}

inline void Clip(cairo_t* cr, const Area& a) {
  cairo_new_path(cr);
  AreaPath(cr, a);
  cairo_clip(cr);
}

// A chevron ">" pointing along d, centred on (x, y).
inline void Chevron(cairo_t* cr, double x, double y, Pt d, double size) {
  const Pt n{-d.y, d.x};
  cairo_move_to(cr, x - d.x * size + n.x * size, y - d.y * size + n.y * size);
  cairo_line_to(cr, x + d.x * size * 0.3, y + d.y * size * 0.3);
  cairo_line_to(cr, x - d.x * size - n.x * size, y - d.y * size - n.y * size);
}

inline void Radial(cairo_t* cr, double x, double y, double r, const Col& c, double a0, double a1) {
  cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
  cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, a0);
  cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, a1);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

inline void Linear(cairo_t* cr, double x0, double y0, double x1, double y1, const Col& c0,
                   double a0, const Col& c1, double a1) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgba(g, 0, c0.r, c0.g, c0.b, a0);
  cairo_pattern_add_color_stop_rgba(g, 1, c1.r, c1.g, c1.b, a1);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

inline void Metal(cairo_t* cr, double x0, double y0, double x1, double y1) {
  Linear(cr, x0, y0, x1, y1, C(210, 214, 222), 1, C(80, 84, 96), 1);
}

}  // namespace gp::assets::draw
