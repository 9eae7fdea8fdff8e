#include "tools/assets/hole_devices.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/assets/canvas.h"
#include "tools/assets/hole_paint.h"

namespace gp::assets {

namespace {

Col C(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}

// Screen direction of a byte angle (256 steps per turn, 64 = down).
Pt Dir(double byteangle) {
  const double t = byteangle * 2 * M_PI / 256;
  return {std::cos(t), std::sin(t)};
}

void Clip(cairo_t* cr, const Area& a) {
  cairo_new_path(cr);
  AreaPath(cr, a);
  cairo_clip(cr);
}

// A chevron ">" pointing along d, centred on (x, y).
void Chevron(cairo_t* cr, double x, double y, Pt d, double size) {
  const Pt n{-d.y, d.x};
  cairo_move_to(cr, x - d.x * size + n.x * size, y - d.y * size + n.y * size);
  cairo_line_to(cr, x + d.x * size * 0.3, y + d.y * size * 0.3);
  cairo_line_to(cr, x - d.x * size - n.x * size, y - d.y * size - n.y * size);
}

void Radial(cairo_t* cr, double x, double y, double r, const Col& c, double a0, double a1) {
  cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
  cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, a0);
  cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, a1);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

void Linear(cairo_t* cr, double x0, double y0, double x1, double y1, const Col& c0, double a0,
            const Col& c1, double a1) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
  cairo_pattern_add_color_stop_rgba(g, 0, c0.r, c0.g, c0.b, a0);
  cairo_pattern_add_color_stop_rgba(g, 1, c1.r, c1.g, c1.b, a1);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

int SlopePush(int kind) {
  static const int push[4] = {96, 1, 32, 128};
  return push[kind - 8];
}

int ConveyorPush(int kind) {
  static const int push[8] = {1, 19, 64, 109, 128, 147, 192, 237};
  return push[kind - 15];
}

// Slopes: light uphill, dark downhill, faint chevrons pointing down the slope.
void PaintSlope(cairo_t* cr, const Area& a) {
  const Pt d = Dir(SlopePush(a.kind));
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  const Pt c = a.Centre();
  const double half = 0.5 * (std::abs(d.x) * (r - l) + std::abs(d.y) * (b - t)) + 1;
  cairo_save(cr);
  Clip(cr, a);
  Linear(cr, c.x - d.x * half, c.y - d.y * half, c.x + d.x * half, c.y + d.y * half,
         C(255, 255, 240), 0.16, C(0, 0, 20), 0.26);
  cairo_paint(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (double y = t + 14; y < b; y += 30) {
    for (double x = l + 14 + (int((y - t) / 30) % 2) * 18; x < r; x += 36) Chevron(cr, x, y, d, 6);
  }
  cairo_set_source_rgba(cr, 1, 1, 1, 0.14);
  cairo_stroke(cr);
  cairo_restore(cr);
  AreaPath(cr, a);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

// Conveyors: a dark ribbed belt with bright arrows in the push direction.
void PaintConveyor(cairo_t* cr, const Area& a) {
  const Pt d = Dir(ConveyorPush(a.kind)), n{-d.y, d.x};
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  const Pt c = a.Centre();
  const double reach = std::hypot(r - l, b - t);
  cairo_save(cr);
  Clip(cr, a);
  cairo_set_source_rgb(cr, 0.16, 0.17, 0.2);
  cairo_paint(cr);
  cairo_set_line_width(cr, 2.5);
  for (double k = -reach; k < reach; k += 8) {
    cairo_move_to(cr, c.x + d.x * k - n.x * reach, c.y + d.y * k - n.y * reach);
    cairo_line_to(cr, c.x + d.x * k + n.x * reach, c.y + d.y * k + n.y * reach);
  }
  cairo_set_source_rgb(cr, 0.27, 0.28, 0.32);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 3);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (double y = t + 12; y < b; y += 26) {
    for (double x = l + 12; x < r; x += 26) Chevron(cr, x, y, d, 6);
  }
  cairo_set_source_rgba(cr, 1.0, 0.82, 0.2, 0.75);
  cairo_stroke(cr);
  cairo_restore(cr);
  AreaPath(cr, a);
  cairo_set_source_rgb(cr, 0.45, 0.46, 0.5);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

// Water (blue) or acid (green): a rim, a deep gradient and glossy highlights.
void PaintWater(cairo_t* cr, const Area& a) {
  const bool acid = a.p3 == 1;
  const Col deep = acid ? C(20, 90, 30) : C(10, 40, 110),
            shallow = acid ? C(110, 220, 60) : C(70, 150, 240);
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  AreaPath(cr, a);
  SetCol(cr, C(20, 24, 30), 0.7);
  cairo_set_line_width(cr, 7);
  cairo_stroke(cr);
  cairo_save(cr);
  Clip(cr, a);
  Linear(cr, 0, t, 0, b, deep, 1, shallow, 1);
  cairo_paint(cr);
  for (int i = 0; i < 14; ++i) {  // ripples
    const double x = l + (r - l) * Noise(i, 1, a.index), y = t + (b - t) * Noise(i, 2, a.index);
    const double w = 12 + 30 * Noise(i, 3, a.index);
    cairo_move_to(cr, x - w, y);
    cairo_curve_to(cr, x - w / 2, y - 3, x + w / 2, y - 3, x + w, y);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  Linear(cr, 0, t, 0, t + (b - t) * 0.4, C(255, 255, 255), 0.3, C(255, 255, 255), 0);
  cairo_paint(cr);
  cairo_restore(cr);
  AreaPath(cr, a);
  SetCol(cr, shallow.Mix(C(255, 255, 255), 0.5), 0.8);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

// Moon dust: pale grey powder with small craters and speckles.
void PaintDust(cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  AreaPath(cr, a);
  cairo_set_source_rgba(cr, 0.78, 0.76, 0.72, 0.35);
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
  cairo_save(cr);
  Clip(cr, a);
  Linear(cr, l, t, r, b, C(206, 202, 194), 0.95, C(168, 164, 158), 0.95);
  cairo_paint(cr);
  const int n = static_cast<int>((r - l) * (b - t) / 500) + 4;
  for (int i = 0; i < n; ++i) {
    const double x = l + (r - l) * Noise(i, 5, a.index), y = t + (b - t) * Noise(i, 6, a.index);
    const double s = 3 + 9 * std::pow(Noise(i, 7, a.index), 2);
    EllipsePath(cr, x, y, s, s / 2);
    cairo_set_source_rgba(cr, 0.3, 0.3, 0.32, 0.35);
    cairo_fill(cr);
    EllipsePath(cr, x, y + s * 0.12, s * 0.8, s * 0.36);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  for (int i = 0; i < n * 12; ++i) {
    const double x = l + (r - l) * Noise(i, 8, a.index), y = t + (b - t) * Noise(i, 9, a.index);
    cairo_rectangle(cr, x, y, 1.2, 1.2);
  }
  cairo_set_source_rgba(cr, 0.35, 0.33, 0.3, 0.5);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Shade: a soft-edged dark patch.
void PaintShade(cairo_t* cr, const Area& a) {
  const double k = std::clamp(a.p1 / 255.0, 0.2, 1.0);
  for (int w = 18; w >= 2; w -= 4) {
    AreaPath(cr, a);
    cairo_set_source_rgba(cr, 0, 0, 0.05, 0.05 * k);
    cairo_set_line_width(cr, w);
    cairo_stroke(cr);
  }
  AreaPath(cr, a);
  cairo_set_source_rgba(cr, 0, 0, 0.05, 0.35 * k);
  cairo_fill(cr);
}

// Ledge: the upper floor's lit lip and a rock face `p1` pixels tall down to the
// lower tier (the ball's ground point drops by that much).
void PaintLedge(cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  const double drop = std::max(6, a.p1);
  Linear(cr, 0, t, 0, t + drop, C(92, 84, 78), 1, C(26, 24, 30), 1);
  cairo_rectangle(cr, l, t, r - l, drop);
  cairo_fill(cr);
  for (double x = l + 5; x < r; x += 11) {  // strata
    cairo_move_to(cr, x, t + 3);
    cairo_line_to(cr, x + 3, t + drop - 2);
  }
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Linear(cr, 0, t + drop, 0, t + drop + 16, C(0, 0, 0), 0.4, C(0, 0, 0), 0);
  cairo_rectangle(cr, l, t + drop, r - l, 16);
  cairo_fill(cr);
  cairo_move_to(cr, l, t + 1);
  cairo_line_to(cr, r, t + 1);
  cairo_set_source_rgba(cr, 1, 1, 0.9, 0.55);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

// Drop-off: the floor's edge into space, marked with faint hazard stripes.
void PaintDropOff(const HoleSource& h, cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  cairo_save(cr);
  Clip(cr, a);
  for (double x = l - (b - t); x < r + 20; x += 16) {
    cairo_move_to(cr, x, b);
    cairo_line_to(cr, x + (b - t), t);
    cairo_line_to(cr, x + (b - t) + 8, t);
    cairo_line_to(cr, x + 8, b);
    cairo_close_path(cr);
  }
  cairo_set_source_rgba(cr, 1, 0.78, 0.1, 0.45);
  cairo_fill(cr);
  cairo_restore(cr);
  // A warning glow along the far edge, where the floor ends.
  const Col acc = SchemeOf(h.scheme).accent.Mix(C(255, 80, 40), 0.6);
  cairo_move_to(cr, l, b);
  cairo_line_to(cr, r, b);
  SetCol(cr, acc, 0.8);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

// Attractor: a swirl of rings drawn towards its point.
void PaintAttractor(cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  const double reach = std::max(r - l, b - t);
  cairo_save(cr);
  Clip(cr, a);
  Radial(cr, a.x1, a.y1, reach, C(120, 60, 220), 0.45, 0);
  cairo_paint(cr);
  cairo_set_line_width(cr, 1.5);
  for (double k = 8; k < reach; k += 12) {
    EllipsePath(cr, a.x1, a.y1, k, k / 2);
    cairo_set_source_rgba(cr, 0.8, 0.7, 1, 0.35 * (1 - k / reach) + 0.05);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  Radial(cr, a.x1, a.y1, 9, C(240, 220, 255), 1, 0.1);
  EllipsePath(cr, a.x1, a.y1, 9, 5);
  cairo_fill(cr);
}

void Metal(cairo_t* cr, double x0, double y0, double x1, double y1) {
  Linear(cr, x0, y0, x1, y1, C(210, 214, 222), 1, C(80, 84, 96), 1);
}

// The cup: dark hole with a lit front rim and a small flag behind it.
void PaintCup(const HoleSource& h, cairo_t* cr, const Area& a) {
  const double rx = std::max(6, a.r), ry = rx / 2;
  EllipsePath(cr, a.x1, a.y1 + 1, rx + 3, ry + 2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_fill(cr);
  EllipsePath(cr, a.x1, a.y1, rx, ry);
  Linear(cr, 0, a.y1 - ry, 0, a.y1 + ry, C(0, 0, 0), 1, C(40, 44, 40), 1);
  cairo_fill(cr);
  // Flag: pole from the back rim, pennant in the course accent.
  const double px = a.x1 + rx * 0.3, py = a.y1 - ry * 0.5;
  cairo_move_to(cr, px + 6, py + 1);
  cairo_line_to(cr, px + 26, py - 2);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, px, py);
  cairo_line_to(cr, px, py - 44);
  cairo_set_source_rgb(cr, 0.92, 0.92, 0.95);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_move_to(cr, px + 1, py - 44);
  cairo_line_to(cr, px + 20, py - 38);
  cairo_line_to(cr, px + 1, py - 31);
  cairo_close_path(cr);
  const Col acc = SchemeOf(h.scheme).accent;
  SetCol(cr, acc.Mix(C(255, 60, 60), 0.6), 1);
  cairo_fill(cr);
}

void PaintSpring(cairo_t* cr, const Area& a) {
  const Pt c = a.Centre();
  EllipsePath(cr, c.x + 2, c.y + 3, 15, 7);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  EllipsePath(cr, c.x, c.y, 14, 7);
  Metal(cr, c.x - 14, c.y - 7, c.x + 14, c.y + 7);
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {
    EllipsePath(cr, c.x, c.y - 3 - i * 3, 10 - i, 4.5);
    cairo_set_source_rgb(cr, 0.85, 0.2 + i * 0.1, 0.15);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  EllipsePath(cr, c.x, c.y - 12, 9, 4.5);
  cairo_set_source_rgb(cr, 0.95, 0.75, 0.2);
  cairo_fill(cr);
}

void PaintFan(cairo_t* cr, const Area& a) {
  const Pt c = a.Centre();
  EllipsePath(cr, c.x, c.y, 18, 9);
  Metal(cr, c.x - 18, c.y - 9, c.x + 18, c.y + 9);
  cairo_fill(cr);
  EllipsePath(cr, c.x, c.y, 15, 7.5);
  cairo_set_source_rgb(cr, 0.08, 0.09, 0.12);
  cairo_fill(cr);
  for (int i = 0; i < 5; ++i) {
    const double t = i * 2 * M_PI / 5;
    cairo_move_to(cr, c.x, c.y);
    cairo_curve_to(cr, c.x + 12 * std::cos(t), c.y + 6 * std::sin(t), c.x + 14 * std::cos(t + 0.6),
                   c.y + 7 * std::sin(t + 0.6), c.x + 6 * std::cos(t + 0.9),
                   c.y + 3 * std::sin(t + 0.9));
    cairo_close_path(cr);
  }
  cairo_set_source_rgb(cr, 0.6, 0.64, 0.7);
  cairo_fill(cr);
  for (int k = 0; k < 3; ++k) {
    EllipsePath(cr, c.x, c.y, 6 + k * 4.5, 3 + k * 2.25);
  }
  cairo_set_source_rgba(cr, 0.8, 0.82, 0.86, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

void PaintGeyser(cairo_t* cr, const Area& a) {
  const double x = a.x1, y = a.y1;
  for (int i = 0; i < 9; ++i) {  // rocky crater rim
    const double t = i * 2 * M_PI / 9;
    EllipsePath(cr, x + 17 * std::cos(t), y + 8 * std::sin(t), 7, 4.5);
    cairo_set_source_rgb(cr, 0.42 + 0.1 * Noise(i, 1, 3), 0.36, 0.32);
    cairo_fill(cr);
  }
  EllipsePath(cr, x, y, 12, 6);
  Radial(cr, x, y, 12, C(10, 8, 8), 1, 0.9);
  cairo_fill(cr);
  EllipsePath(cr, x, y, 6, 3);
  cairo_set_source_rgba(cr, 0.5, 0.8, 1, 0.35);
  cairo_fill(cr);
  Radial(cr, x, y - 12, 20, C(220, 235, 255), 0.3, 0);
  cairo_arc(cr, x, y - 12, 20, 0, 2 * M_PI);
  cairo_fill(cr);
}

void PaintMine(cairo_t* cr, const Area& a) {
  const Pt c = a.Centre();
  EllipsePath(cr, c.x + 3, c.y + 3, 14, 6);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  cairo_set_line_width(cr, 2.5);
  for (int i = 0; i < 8; ++i) {
    const double t = i * M_PI / 4;
    cairo_move_to(cr, c.x, c.y - 6);
    cairo_line_to(cr, c.x + 15 * std::cos(t), c.y - 6 + 15 * std::sin(t));
  }
  cairo_set_source_rgb(cr, 0.3, 0.32, 0.3);
  cairo_stroke(cr);
  cairo_arc(cr, c.x, c.y - 6, 10, 0, 2 * M_PI);
  Radial(cr, c.x - 3, c.y - 9, 12, C(130, 140, 130), 1, 0.9);
  cairo_fill(cr);
  cairo_arc(cr, c.x, c.y - 6, 10, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.18, 0.2, 0.18);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  Radial(cr, c.x, c.y - 14, 7, C(255, 60, 40), 1, 0);
  cairo_arc(cr, c.x, c.y - 14, 7, 0, 2 * M_PI);
  cairo_fill(cr);
}

void RingPad(cairo_t* cr, double x, double y, double rx, const Col& c) {
  Radial(cr, x, y, rx * 1.6, c, 0.4, 0);
  EllipsePath(cr, x, y, rx * 1.6, rx * 0.8);
  cairo_fill(cr);
  EllipsePath(cr, x, y, rx, rx / 2);
  cairo_set_source_rgb(cr, 0.12, 0.14, 0.2);
  cairo_fill(cr);
  for (int k = 0; k < 3; ++k) {
    EllipsePath(cr, x, y, rx * (1 - k * 0.28), rx * (1 - k * 0.28) / 2);
    SetCol(cr, c.Mix(C(255, 255, 255), k * 0.3), 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
}

void PaintTeleporter(cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  const Pt c = a.Centre();
  RingPad(cr, c.x, c.y, std::max(14.0, (r - l) / 2), C(80, 230, 255));
  RingPad(cr, a.x2, a.y2, 12, C(255, 120, 240));
}

// Pipe mouth (the entrance) and the raised outlet at the exit.
void PaintPipe(cairo_t* cr, const Area& a) {
  const double rx = std::max(8, a.r) + 2, ry = rx / 2;
  EllipsePath(cr, a.x1, a.y1, rx + 5, ry + 4);
  Metal(cr, a.x1 - rx, a.y1 - ry - 4, a.x1 + rx, a.y1 + ry + 4);
  cairo_fill(cr);
  EllipsePath(cr, a.x1, a.y1, rx, ry);
  Linear(cr, 0, a.y1 - ry, 0, a.y1 + ry, C(0, 0, 0), 1, C(30, 34, 40), 1);
  cairo_fill(cr);
  const double lift = std::abs(a.y3 - a.y2);
  const Pt d = Dir(std::atan2(a.y4 - a.y3, a.x4 - a.x3) * 256 / (2 * M_PI));
  const double ox = a.x2, oy = a.y2 - lift;
  cairo_rectangle(cr, ox - 6, oy, 12, lift);
  Metal(cr, ox - 6, 0, ox + 6, 0);
  cairo_fill(cr);
  cairo_move_to(cr, ox - d.x * 14, oy - d.y * 7);
  cairo_line_to(cr, ox + d.x * 4, oy + d.y * 2);
  cairo_set_line_width(cr, 14);
  cairo_set_source_rgb(cr, 0.55, 0.58, 0.64);
  cairo_stroke(cr);
  EllipsePath(cr, ox + d.x * 4, oy + d.y * 2, 7, 7);
  cairo_set_source_rgb(cr, 0.05, 0.05, 0.07);
  cairo_fill(cr);
}

void PaintRubble(cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  cairo_save(cr);
  Clip(cr, a);
  cairo_set_source_rgba(cr, 0.35, 0.3, 0.25, 0.45);
  cairo_paint(cr);
  const int n = static_cast<int>((r - l) * (b - t) / 120) + 6;
  for (int i = 0; i < n; ++i) {
    const double x = l + (r - l) * Noise(i, 11, a.index), y = t + (b - t) * Noise(i, 12, a.index);
    const double s = 2.5 + 5 * Noise(i, 13, a.index);
    cairo_move_to(cr, x - s, y);
    cairo_line_to(cr, x - s * 0.4, y - s * 0.8);
    cairo_line_to(cr, x + s * 0.7, y - s * 0.6);
    cairo_line_to(cr, x + s, y + s * 0.2);
    cairo_line_to(cr, x + s * 0.2, y + s * 0.6);
    cairo_close_path(cr);
    const double g = 0.35 + 0.3 * Noise(i, 14, a.index);
    cairo_set_source_rgb(cr, g * 1.1, g, g * 0.85);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void PaintJumpPad(cairo_t* cr, const Area& a) {
  const Pt from{(a.x4 + a.x1) / 2.0, (a.y4 + a.y1) / 2.0},
      to{(a.x2 + a.x3) / 2.0, (a.y2 + a.y3) / 2.0};
  const double len = std::max(1.0, std::hypot(to.x - from.x, to.y - from.y));
  const Pt d{(to.x - from.x) / len, (to.y - from.y) / len};
  AreaPath(cr, a);
  Linear(cr, from.x, from.y, to.x, to.y, C(60, 60, 70), 1, C(200, 120, 40), 1);
  cairo_fill(cr);
  cairo_save(cr);
  Clip(cr, a);
  cairo_set_line_width(cr, 3);
  const Pt c = a.Centre();
  for (double k = -len / 2 + 6; k < len / 2; k += 12)
    Chevron(cr, c.x + d.x * k, c.y + d.y * k, d, 8);
  cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.85);
  cairo_stroke(cr);
  cairo_restore(cr);
  AreaPath(cr, a);
  cairo_set_source_rgb(cr, 0.9, 0.9, 0.95);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void PaintBonusPad(cairo_t* cr, const Area& a) {
  const Pt c = a.Centre();
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  const double rx = std::max(12.0, (r - l) / 2);
  Radial(cr, c.x, c.y, rx * 1.5, C(255, 220, 90), 0.45, 0);
  EllipsePath(cr, c.x, c.y, rx * 1.5, rx * 0.75);
  cairo_fill(cr);
  EllipsePath(cr, c.x, c.y, rx, rx / 2);
  cairo_set_source_rgba(cr, 1, 0.9, 0.5, 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void PaintSwitch(cairo_t* cr, const Area& a) {
  const Pt c = a.Centre();
  EllipsePath(cr, c.x, c.y, 13, 6.5);
  Metal(cr, c.x - 13, c.y - 6, c.x + 13, c.y + 6);
  cairo_fill(cr);
  EllipsePath(cr, c.x, c.y - 2, 8, 4);
  cairo_set_source_rgb(cr, 0.9, 0.2, 0.2);
  cairo_fill(cr);
  EllipsePath(cr, c.x - 2, c.y - 3.5, 3, 1.5);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
  cairo_fill(cr);
}

void PaintBreakable(cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  const int n = std::max(3, static_cast<int>((r - l + b - t) / 10));
  for (int i = 0; i < n; ++i) {
    const double k = (i + 0.5) / n;
    const double x = a.shape() == Shape::Segment ? a.x1 + (a.x2 - a.x1) * k
                                                 : l + (r - l) * Noise(i, 21, a.index);
    const double y = a.shape() == Shape::Segment ? a.y1 + (a.y2 - a.y1) * k
                                                 : t + (b - t) * Noise(i, 22, a.index);
    const double hgt = 14 + 12 * Noise(i, 23, a.index), w = 4 + 3 * Noise(i, 24, a.index);
    cairo_move_to(cr, x - w, y);
    cairo_line_to(cr, x - w * 0.4, y - hgt);
    cairo_line_to(cr, x + w * 0.6, y - hgt * 0.8);
    cairo_line_to(cr, x + w, y);
    cairo_close_path(cr);
    Linear(cr, x - w, y - hgt, x + w, y, C(200, 250, 255), 0.85, C(60, 140, 200), 0.8);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

void PaintCatapult(cairo_t* cr, const Area& a) {
  const Pt c = a.Centre();
  EllipsePath(cr, c.x, c.y, 20, 10);
  cairo_set_source_rgb(cr, 0.3, 0.26, 0.22);
  cairo_fill(cr);
  EllipsePath(cr, c.x, c.y, 14, 7);
  cairo_set_source_rgb(cr, 0.55, 0.4, 0.25);
  cairo_fill(cr);
  cairo_move_to(cr, c.x - 18, c.y + 2);
  cairo_line_to(cr, c.x + 14, c.y - 12);
  cairo_set_line_width(cr, 4);
  cairo_set_source_rgb(cr, 0.7, 0.5, 0.3);
  cairo_stroke(cr);
  cairo_move_to(cr, c.x - 20, c.y + 6);
  cairo_line_to(cr, c.x + 20, c.y + 6);
  cairo_set_line_width(cr, 3);
  cairo_set_source_rgb(cr, 0.85, 0.75, 0.2);
  cairo_stroke(cr);
}

void PaintPlate(cairo_t* cr, const Area& a, const Col& c, double alpha) {
  AreaPath(cr, a);
  SetCol(cr, c, alpha);
  cairo_fill(cr);
}

}  // namespace

void PaintSurfaces(const HoleSource& h, cairo_t* cr) {
  const int order[] = {45, 23, 24, 8, 9, 10, 11, 15, 16, 17, 18, 19, 20, 21, 22, 14, 30, 33, 32};
  for (int kind : order) {
    for (const Area& a : h.areas) {
      if (a.kind != kind || a.shape() == Shape::None) continue;
      if (kind == 45) PaintDropOff(h, cr, a);
      if (kind == 23) PaintDust(cr, a);
      if (kind == 24) PaintWater(cr, a);
      if (kind >= 8 && kind <= 11) PaintSlope(cr, a);
      if (kind >= 15 && kind <= 22) PaintConveyor(cr, a);
      if (kind == 14) PaintAttractor(cr, a);
      if (kind == 30) PaintRubble(cr, a);
      if (kind == 33) PaintLedge(cr, a);
      if (kind == 32) PaintShade(cr, a);
    }
  }
}

// The tee: a lighter pad where the balls are placed, with two markers.
void PaintTee(const HoleSource& h, cairo_t* cr) {
  const double x = h.ballx, y = h.bally;
  EllipsePath(cr, x, y, 40, 20);
  cairo_set_source_rgba(cr, 1, 1, 0.9, 0.12);
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  const Col acc = SchemeOf(h.scheme).accent;
  for (int side = -1; side <= 1; side += 2) {
    EllipsePath(cr, x + side * 46, y + 1, 4, 2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, x + side * 46, y - 2, 3.5, 0, 2 * M_PI);
    SetCol(cr, acc.Mix(C(255, 255, 255), 0.4), 1);
    cairo_fill(cr);
  }
}

void PaintDevices(const HoleSource& h, cairo_t* cr) {
  PaintTee(h, cr);
  for (const Area& a : h.areas) {
    if (a.shape() == Shape::None) continue;
    switch (a.kind) {
      case 5:
        PaintCup(h, cr, a);
        break;
      case 12:
        PaintGeyser(cr, a);
        break;
      case 13:
        if (a.comment != "tank") PaintSpring(cr, a);
        break;
      case 25:
        PaintTeleporter(cr, a);
        break;
      case 26:
        PaintPipe(cr, a);
        break;
      case 27:
        PaintMine(cr, a);
        break;
      case 29:
        if (a.comment == "cannon") RingPad(cr, a.Centre().x, a.Centre().y, 14, C(255, 140, 60));
        break;
      case 34:
        PaintJumpPad(cr, a);
        break;
      case 35:
        PaintBonusPad(cr, a);
        break;
      case 36:
        PaintPlate(cr, a, C(120, 100, 70), 0.25);
        break;
      case 37:
        PaintCatapult(cr, a);
        break;
      case 38:
        PaintSwitch(cr, a);
        break;
      case 40:
        PaintBreakable(cr, a);
        break;
      case 43:
        PaintFan(cr, a);
        break;
      default:
        break;
    }
  }
}

}  // namespace gp::assets
