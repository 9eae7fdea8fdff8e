// The named decorations of [paintN] sections.
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/assets/canvas.h"
#include "tools/assets/hole_devices.h"
#include "tools/assets/hole_paint.h"

namespace gp::assets {

namespace {

void Grad(cairo_t* cr, double x0, double y0, double x1, double y1, const Col& a, const Col& b) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}


void Shadow(cairo_t* cr, double x, double y, double rx) {
  EllipsePath(cr, x, y, rx, rx / 2.2);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
}

void DecorRing(cairo_t* cr, const Paint& p, double r, const Col& acc, bool front) {
  cairo_save(cr);
  cairo_rectangle(cr, p.x - r * 2, front ? p.y : p.y - r, r * 4, r);
  cairo_clip(cr);
  EllipsePath(cr, p.x, p.y, r * 1.8, r * 0.35);
  cairo_set_source_rgba(cr, acc.r, acc.g, acc.b, 0.55);
  cairo_set_line_width(cr, r / 12);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Planet(cairo_t* cr, const Paint& p, const Col& acc) {
  const double r = p.w > 0 ? p.w : 80;
  Glow(cr, p.x, p.y, r * 1.25, acc, 0.25);
  if (p.text == "ring") DecorRing(cr, p, r, acc, false);
  cairo_pattern_t* g =
      cairo_pattern_create_radial(p.x - r * 0.4, p.y - r * 0.4, r * 0.1, p.x, p.y, r);
  const Col lit = acc.Mix(C(255, 255, 255), 0.3), dark = acc.Scale(0.12);
  cairo_pattern_add_color_stop_rgb(g, 0, lit.r, lit.g, lit.b);
  cairo_pattern_add_color_stop_rgb(g, 1, dark.r, dark.g, dark.b);
  cairo_set_source(cr, g);
  cairo_arc(cr, p.x, p.y, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_save(cr);
  cairo_arc(cr, p.x, p.y, r, 0, 2 * M_PI);
  cairo_clip(cr);
  for (int i = -3; i <= 3; ++i) {  // cloud bands
    cairo_move_to(cr, p.x - r, p.y + i * r / 4);
    cairo_curve_to(cr, p.x - r / 3, p.y + i * r / 4 - 6, p.x + r / 3, p.y + i * r / 4 + 6, p.x + r,
                   p.y + i * r / 4);
  }
  cairo_set_source_rgba(cr, 1, 1, 1, 0.04);
  cairo_set_line_width(cr, r / 7);
  cairo_stroke(cr);
  cairo_restore(cr);
  if (p.text == "ring") DecorRing(cr, p, r, acc, true);
}

void Rock(cairo_t* cr, const Paint& p, unsigned seed, const Col& tint) {
  const double w = p.w > 0 ? p.w : 40, h = p.h > 0 ? p.h : w * 0.7;
  Shadow(cr, p.x + w * 0.1, p.y, w * 0.6);
  const int n = 9;
  for (int i = 0; i < n; ++i) {
    const double t = M_PI + i * M_PI / (n - 1);
    const double k = 0.8 + 0.25 * Noise(i, 1, seed);
    const double x = p.x + std::cos(t) * w / 2 * k, y = p.y + std::sin(t) * h * k;
    if (i == 0)
      cairo_move_to(cr, x, y);
    else
      cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
  Grad(cr, p.x - w / 2, p.y - h, p.x + w / 2, p.y, C(150, 140, 130).Mix(tint, 0.2), C(50, 44, 46));
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

void Crystal(cairo_t* cr, const Paint& p, const Col& acc) {
  const double s = p.w > 0 ? p.w : 30;
  Shadow(cr, p.x, p.y, s * 0.7);
  Glow(cr, p.x, p.y - s * 0.6, s * 1.2, acc, 0.3);
  for (int i = 0; i < 5; ++i) {
    const double dx = (i - 2) * s * 0.22, hgt = s * (0.6 + 0.5 * ((i * 7) % 5) / 4.0);
    const double lean = (i - 2) * 0.15;
    cairo_move_to(cr, p.x + dx - s * 0.12, p.y);
    cairo_line_to(cr, p.x + dx + lean * hgt - s * 0.1, p.y - hgt * 0.8);
    cairo_line_to(cr, p.x + dx + lean * hgt, p.y - hgt);
    cairo_line_to(cr, p.x + dx + lean * hgt + s * 0.1, p.y - hgt * 0.8);
    cairo_line_to(cr, p.x + dx + s * 0.12, p.y);
    cairo_close_path(cr);
    Grad(cr, p.x + dx - s * 0.1, p.y - hgt, p.x + dx + s * 0.1, p.y, acc.Mix(C(255, 255, 255), 0.6),
         acc.Scale(0.45));
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

void Lamp(cairo_t* cr, const Paint& p, const Col& acc) {
  const double h = p.h > 0 ? p.h : 70;
  Shadow(cr, p.x + 4, p.y, 9);
  cairo_rectangle(cr, p.x - 2.5, p.y - h, 5, h);
  Grad(cr, p.x - 3, 0, p.x + 3, 0, C(200, 205, 215), C(70, 74, 86));
  cairo_fill(cr);
  EllipsePath(cr, p.x, p.y, 7, 3.5);
  cairo_set_source_rgb(cr, 0.35, 0.37, 0.42);
  cairo_fill(cr);
  Glow(cr, p.x, p.y - h - 6, 26, acc.Mix(C(255, 255, 220), 0.6), 0.55);
  cairo_arc(cr, p.x, p.y - h - 6, 7, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 1, 1, 0.92);
  cairo_fill(cr);
}

void Arch(cairo_t* cr, const Paint& p, const Scheme& sc) {
  const double w = p.w > 0 ? p.w : 80, h = p.h > 0 ? p.h : 60;
  for (int side = 0; side < 2; ++side) {
    const double x = side ? p.x + w - 10 : p.x;
    cairo_rectangle(cr, x, p.y - h, 10, h);
    Grad(cr, x, 0, x + 10, 0, sc.railLight.Scale(0.85), sc.rail.Scale(0.45));
    cairo_fill(cr);
  }
  cairo_move_to(cr, p.x, p.y - h + 8);
  cairo_curve_to(cr, p.x + w * 0.2, p.y - h - 26, p.x + w * 0.8, p.y - h - 26, p.x + w,
                 p.y - h + 8);
  cairo_set_line_width(cr, 12);
  cairo_set_source_rgb(cr, sc.rail.r * 0.6, sc.rail.g * 0.6, sc.rail.b * 0.6);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 7);
  SetCol(cr, sc.rail, 1);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetCol(cr, sc.accent, 0.9);
  cairo_stroke(cr);
  if (!p.text.empty()) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 11);
    cairo_text_extents_t e;
    cairo_text_extents(cr, p.text.c_str(), &e);
    cairo_move_to(cr, p.x + w / 2 - e.width / 2, p.y - h - 10);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_show_text(cr, p.text.c_str());
  }
}

// A smoke stack whose mouth is `h` pixels above its base (x, y).
void Vent(cairo_t* cr, const Paint& p) {
  const double h = p.h > 0 ? p.h : 100, r = p.w > 0 ? p.w / 2.0 : 12;
  Shadow(cr, p.x + 8, p.y + 2, r * 1.6);
  cairo_rectangle(cr, p.x - r, p.y - h, 2 * r, h);
  Grad(cr, p.x - r, 0, p.x + r, 0, C(120, 96, 80), C(40, 30, 28));
  cairo_fill(cr);
  for (double y = p.y - h + 14; y < p.y; y += 18) {
    cairo_rectangle(cr, p.x - r - 1.5, y, 2 * r + 3, 3);
  }
  cairo_set_source_rgb(cr, 0.3, 0.24, 0.2);
  cairo_fill(cr);
  EllipsePath(cr, p.x, p.y, r, r / 2);
  cairo_set_source_rgb(cr, 0.25, 0.2, 0.18);
  cairo_fill(cr);
  EllipsePath(cr, p.x, p.y - h, r + 3, (r + 3) / 2);
  cairo_set_source_rgb(cr, 0.55, 0.45, 0.38);
  cairo_fill(cr);
  EllipsePath(cr, p.x, p.y - h, r - 1, (r - 1) / 2);
  cairo_set_source_rgb(cr, 0.06, 0.05, 0.05);
  cairo_fill(cr);
  Glow(cr, p.x, p.y - h, r * 2.5, C(255, 150, 80), 0.25);
}

// A cannon on a mount; its muzzle (x, y) points left and slightly down.
void Cannon(cairo_t* cr, const Paint& p) {
  const double x = p.x, y = p.y;
  Shadow(cr, x + 62, y + 44, 44);
  cairo_rectangle(cr, x + 42, y + 6, 40, 30);  // mount
  Grad(cr, x + 42, y + 6, x + 42, y + 36, C(120, 110, 100), C(40, 36, 34));
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, -0.22);
  cairo_rectangle(cr, 0, -9, 86, 18);  // barrel
  Grad(cr, 0, -9, 0, 9, C(210, 210, 220), C(50, 52, 60));
  cairo_fill(cr);
  cairo_arc(cr, 86, 0, 10, -M_PI / 2, M_PI / 2);  // breech
  cairo_fill(cr);
  cairo_rectangle(cr, -4, -11, 9, 22);  // muzzle ring
  Grad(cr, 0, -11, 0, 11, C(240, 215, 150), C(90, 70, 40));
  cairo_fill(cr);
  EllipsePath(cr, -3, 0, 3, 7);
  cairo_set_source_rgb(cr, 0.04, 0.04, 0.05);
  cairo_fill(cr);
  cairo_restore(cr);
  for (int k = 0; k < 2; ++k) {  // wheels
    cairo_arc(cr, x + 50 + k * 26, y + 36, 11, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.25, 0.2, 0.16);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.75, 0.62, 0.3);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_arc(cr, x + 50 + k * 26, y + 36, 3, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

// A construction worker asleep on the ground, top-left (x, y), about 64 x 48.
void Worker(cairo_t* cr, const Paint& p) {
  const double x = p.x, y = p.y;
  Shadow(cr, x + 34, y + 44, 30);
  cairo_move_to(cr, x + 12, y + 38);  // body lying down
  cairo_curve_to(cr, x + 20, y + 26, x + 44, y + 26, x + 56, y + 36);
  cairo_line_to(cr, x + 56, y + 44);
  cairo_line_to(cr, x + 12, y + 44);
  cairo_close_path(cr);
  Grad(cr, x, y + 26, x, y + 44, C(255, 150, 40), C(170, 80, 20));
  cairo_fill(cr);
  cairo_rectangle(cr, x + 26, y + 30, 3, 13);  // reflective stripes
  cairo_rectangle(cr, x + 38, y + 30, 3, 13);
  cairo_set_source_rgb(cr, 0.95, 0.95, 0.7);
  cairo_fill(cr);
  cairo_arc(cr, x + 12, y + 34, 7, 0, 2 * M_PI);  // head
  cairo_set_source_rgb(cr, 0.85, 0.65, 0.5);
  cairo_fill(cr);
  cairo_arc(cr, x + 11, y + 31, 8, M_PI, 2 * M_PI);  // hard hat
  cairo_set_source_rgb(cr, 1, 0.85, 0.1);
  cairo_fill(cr);
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_BOLD);
  const char* z[] = {"z", "z", "Z"};
  for (int i = 0; i < 3; ++i) {
    cairo_set_font_size(cr, 8 + 3 * i);
    cairo_move_to(cr, x + 18 + i * 7, y + 20 - i * 8);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_show_text(cr, z[i]);
  }
}

// The housing of a cycling obstacle: two emitter posts w apart on the ground.
void Gate(cairo_t* cr, const Paint& p, const Col& acc) {
  const double w = p.w > 0 ? p.w : 56, h = p.h > 0 ? p.h : 34;
  for (int side = 0; side < 2; ++side) {
    const double x = side ? p.x + w : p.x;
    Shadow(cr, x + 3, p.y + 1, 8);
    cairo_rectangle(cr, x - 4, p.y - h, 8, h);
    Grad(cr, x - 4, 0, x + 4, 0, C(200, 204, 214), C(60, 64, 76));
    cairo_fill(cr);
    Glow(cr, x, p.y - h, 8, acc, 0.8);
  }
  cairo_move_to(cr, p.x, p.y);
  cairo_line_to(cr, p.x + w, p.y);
  cairo_set_source_rgba(cr, acc.r, acc.g, acc.b, 0.35);
  cairo_set_line_width(cr, 3);
  static const double dash[2] = {4, 4};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

void Plant(cairo_t* cr, const Paint& p, const Col& acc) {
  const double s = p.w > 0 ? p.w : 30;
  Shadow(cr, p.x + 3, p.y, s * 0.5);
  for (int i = 0; i < 6; ++i) {
    const double t = -M_PI / 2 + (i - 2.5) * 0.35;
    const double ex = p.x + std::cos(t) * s, ey = p.y + std::sin(t) * s;
    cairo_move_to(cr, p.x, p.y);
    cairo_curve_to(cr, p.x + (i - 2.5) * 2, p.y - s * 0.5, ex - 4, ey + 8, ex, ey);
    cairo_set_source_rgb(cr, 0.2, 0.45 + 0.05 * i, 0.3);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Glow(cr, ex, ey, 7, acc, 0.9);
  }
}

void Beacon(cairo_t* cr, const Paint& p, const Col& acc) {
  const double h = p.h > 0 ? p.h : 50;
  Shadow(cr, p.x + 5, p.y, 12);
  cairo_move_to(cr, p.x - 9, p.y);
  cairo_line_to(cr, p.x, p.y - h);
  cairo_line_to(cr, p.x + 9, p.y);
  cairo_set_source_rgb(cr, 0.6, 0.62, 0.7);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  for (double k = 0.25; k < 1; k += 0.25) {
    cairo_move_to(cr, p.x - 9 * (1 - k), p.y - h * k);
    cairo_line_to(cr, p.x + 9 * (1 - k), p.y - h * k);
  }
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Glow(cr, p.x, p.y - h, 14, acc, 0.8);
  cairo_arc(cr, p.x, p.y - h, 3, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

// A flat pad of course-coloured metal (a base for sprites and signs).
void Pad(cairo_t* cr, const Paint& p, const Scheme& sc) {
  const double w = p.w > 0 ? p.w : 60, h = p.h > 0 ? p.h : 30;
  cairo_rectangle(cr, p.x + 3, p.y + 4, w, h);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  cairo_rectangle(cr, p.x, p.y, w, h);
  Grad(cr, p.x, p.y, p.x, p.y + h, sc.rail.Mix(sc.railLight, 0.3), sc.rail.Scale(0.5));
  cairo_fill(cr);
  cairo_rectangle(cr, p.x + 1, p.y + 1, w - 2, h - 2);
  SetCol(cr, sc.accent, 0.6);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  if (!p.text.empty()) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, std::min(14.0, h * 0.6));
    cairo_text_extents_t e;
    cairo_text_extents(cr, p.text.c_str(), &e);
    cairo_move_to(cr, p.x + w / 2 - e.width / 2 - e.x_bearing, p.y + h / 2 + e.height / 2);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_show_text(cr, p.text.c_str());
  }
}

// A tall obelisk standing at (x, y): `w` wide at its foot, `h` high, lit
// from the left, with a glowing cap. Its long shadow is a shade area.
void Obelisk(cairo_t* cr, const Paint& p, const Col& acc) {
  const double w = p.w > 0 ? p.w : 24, h = p.h > 0 ? p.h : 100, x = p.x, y = p.y;
  EllipsePath(cr, x, y, w * 0.85, w * 0.32);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  const double top = w * 0.32, capY = y - h;
  cairo_move_to(cr, x - w / 2, y);  // lit face
  cairo_line_to(cr, x - top / 2, capY + top);
  cairo_line_to(cr, x, capY + top * 1.15);
  cairo_line_to(cr, x, y + w * 0.12);
  cairo_close_path(cr);
  Grad(cr, x - w / 2, capY, x, y, C(200, 198, 210), C(120, 118, 132));
  cairo_fill(cr);
  cairo_move_to(cr, x, y + w * 0.12);  // shaded face
  cairo_line_to(cr, x, capY + top * 1.15);
  cairo_line_to(cr, x + top / 2, capY + top);
  cairo_line_to(cr, x + w / 2, y);
  cairo_close_path(cr);
  Grad(cr, x, capY, x + w / 2, y, C(84, 82, 98), C(40, 38, 50));
  cairo_fill(cr);
  cairo_move_to(cr, x - top / 2, capY + top);  // pyramidion
  cairo_line_to(cr, x, capY);
  cairo_line_to(cr, x + top / 2, capY + top);
  cairo_line_to(cr, x, capY + top * 1.15);
  cairo_close_path(cr);
  SetCol(cr, acc.Mix(C(255, 255, 255), 0.5), 1);
  cairo_fill(cr);
  Glow(cr, x, capY + top * 0.6, w * 1.1, acc, 0.6);
  for (double k = 0.3; k < 0.9; k += 0.2) {  // carved bands
    const double yy = y - h * k, half = w / 2 - (w / 2 - top / 2) * k;
    cairo_move_to(cr, x - half, yy);
    cairo_line_to(cr, x, yy + w * 0.1);
    cairo_line_to(cr, x + half, yy);
  }
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// A power generator block filling (x, y, w, h): housing, cooling fins, two
// coils and a glowing core in the course's accent colour.
void PowerGenerator(cairo_t* cr, const Paint& p, const Col& acc) {
  const double w = p.w > 0 ? p.w : 56, h = p.h > 0 ? p.h : 60, x = p.x, y = p.y;
  cairo_rectangle(cr, x + 4, y + 6, w, h);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  cairo_rectangle(cr, x, y, w, h);
  Grad(cr, x, y, x + w, y + h, C(128, 120, 112), C(46, 42, 44));
  cairo_fill(cr);
  for (double fy = y + 6; fy < y + h - 4; fy += 6) {  // fins
    cairo_rectangle(cr, x + 3, fy, 7, 2);
    cairo_rectangle(cr, x + w - 10, fy, 7, 2);
  }
  cairo_set_source_rgb(cr, 0.2, 0.19, 0.2);
  cairo_fill(cr);
  for (int k = 0; k < 2; ++k) {  // coils
    const double cx = x + w * (0.36 + 0.28 * k), cy = y + h * 0.3;
    cairo_rectangle(cr, cx - 6, cy - 10, 12, 20);
    Grad(cr, cx - 6, 0, cx + 6, 0, C(220, 150, 70), C(110, 60, 20));
    cairo_fill(cr);
    for (double ry = cy - 9; ry < cy + 10; ry += 3) {
      cairo_move_to(cr, cx - 6, ry);
      cairo_line_to(cr, cx + 6, ry + 1);
    }
    cairo_set_source_rgba(cr, 0.3, 0.15, 0.05, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  const double coreY = y + h * 0.7;
  Glow(cr, x + w / 2, coreY, w * 0.45, acc, 0.7);
  cairo_rectangle(cr, x + w / 2 - 9, coreY - 5, 18, 10);
  SetCol(cr, acc.Mix(C(255, 255, 255), 0.6), 1);
  cairo_fill(cr);
  for (double sx = x; sx < x + w; sx += 10) {  // hazard stripes along the foot
    cairo_move_to(cr, sx, y + h);
    cairo_line_to(cr, sx + 5, y + h - 5);
    cairo_line_to(cr, sx + 10, y + h - 5);
    cairo_line_to(cr, sx + 5, y + h);
    cairo_close_path(cr);
  }
  cairo_set_source_rgb(cr, 0.95, 0.75, 0.1);
  cairo_fill(cr);
  cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

}  // namespace

void PaintDecoration(const HoleSource& h, cairo_t* cr, const Paint& p) {
  const Scheme& sc = SchemeOf(h.scheme);
  cairo_save(cr);
  if (p.type == "planet")
    Planet(cr, p, p.text == "ring" ? sc.accent : sc.accent.Mix(C(120, 80, 200), 0.5));
  else if (p.type == "asteroid")
    Rock(cr, p, h.seed + p.x, C(60, 60, 80));
  else if (p.type == "rock")
    Rock(cr, p, h.seed + p.x * 3 + p.y, sc.felt);
  else if (p.type == "crystal")
    Crystal(cr, p, sc.accent);
  else if (p.type == "lamp")
    Lamp(cr, p, sc.accent);
  else if (p.type == "arch")
    Arch(cr, p, sc);
  else if (p.type == "vent")
    Vent(cr, p);
  else if (p.type == "cannon")
    Cannon(cr, p);
  else if (p.type == "worker")
    Worker(cr, p);
  else if (p.type == "gate")
    Gate(cr, p, sc.accent);
  else if (p.type == "plant")
    Plant(cr, p, sc.accent);
  else if (p.type == "beacon")
    Beacon(cr, p, sc.accent);
  else if (p.type == "pad" || p.type == "sign")
    Pad(cr, p, sc);
  else if (p.type == "obelisk")
    Obelisk(cr, p, sc.accent);
  else if (p.type == "generator")
    PowerGenerator(cr, p, sc.accent);
  cairo_restore(cr);
  static const char* const known[] = {
      "planet", "asteroid", "rock",  "crystal", "lamp", "arch", "vent",    "cannon",
      "worker", "gate",     "plant", "beacon",  "pad",  "sign", "obelisk", "generator"};
  for (const char* k : known) {
    if (p.type == k) return;
  }
  throw std::runtime_error(h.name + ": unknown decoration \"" + p.type + "\"");
}

}  // namespace gp::assets
