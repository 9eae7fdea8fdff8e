#pragma once
// The asset compiler's drawing colour: components 0..1, with the few helpers
// every painter uses.

#include <cairo.h>

#include <cmath>

namespace gp::assets {

struct Col {
  double r = 0, g = 0, b = 0;
  Col Mix(const Col& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t};
  }
  Col Scale(double k) const { return {r * k, g * k, b * k}; }
};

inline Col Mix(Col a, Col b, double t) {
  return a.Mix(b, t);
}
inline Col Scale(Col c, double k) {
  return c.Scale(k);
}
// A colour from 0..255 components.
inline Col C(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}
inline void SetCol(cairo_t* cr, const Col& c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}
inline void AddStop(cairo_pattern_t* p, double offset, const Col& c, double alpha = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

// A soft round light: colour c at alpha a in the middle, fading to nothing at radius r.
inline void Glow(cairo_t* cr, double x, double y, double r, const Col& c, double a) {
  if (r <= 0) return;
  cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
  cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, a);
  cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, g);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

}  // namespace gp::assets
