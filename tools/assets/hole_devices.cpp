// The cup, the tee and every device drawn from their areas.
#include "tools/assets/hole_devices.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/assets/canvas.h"
#include "tools/assets/hole_draw.h"
#include "tools/assets/hole_paint.h"

namespace gp::assets {

namespace {

using namespace draw;

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

// Where a pipe crosses open space between floors, its tube shows: a metal
// pipe from the mouth to the outlet, hidden wherever a floor or its slab lies.
void PaintPipeTube(const HoleSource& h, cairo_t* cr, const Area& a) {
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, h.width, h.height);
  for (const Floor& f : h.floors) {
    for (double d = 0; d <= 26; d += 13) {
      for (size_t i = 0; i < f.points.size(); ++i) {
        i == 0 ? cairo_move_to(cr, f.points[i].x, f.points[i].y + d)
               : cairo_line_to(cr, f.points[i].x, f.points[i].y + d);
      }
      cairo_close_path(cr);
    }
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_clip(cr);
  const double x0 = a.x1, y0 = a.y1 + 30, x1 = a.x2, y1 = a.y2 + 30;
  auto stroke = [&](double width, const Col& c, double dy) {
    cairo_move_to(cr, x0, y0 + dy);
    cairo_line_to(cr, x1, y1 + dy);
    SetCol(cr, c, 1);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  };
  stroke(16, C(40, 42, 52), 1);
  stroke(12, C(120, 124, 138), 0);
  stroke(4, C(200, 204, 216), -3);
  const double len = std::hypot(x1 - x0, y1 - y0);
  for (double t = 30; t < len - 10; t += 48) {  // collars
    const double x = x0 + (x1 - x0) * t / len, y = y0 + (y1 - y0) * t / len;
    const Pt n{-(y1 - y0) / len, (x1 - x0) / len};
    cairo_move_to(cr, x - n.x * 9, y - n.y * 9);
    cairo_line_to(cr, x + n.x * 9, y + n.y * 9);
    cairo_set_source_rgb(cr, 0.3, 0.31, 0.36);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
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
      case kCup:
        PaintCup(h, cr, a);
        break;
      case kGeyser:
        PaintGeyser(cr, a);
        break;
      case kSpring:
        if (a.comment != "tank") PaintSpring(cr, a);
        break;
      case kTeleporter:
        PaintTeleporter(cr, a);
        break;
      case kPipe:
        PaintPipeTube(h, cr, a);
        PaintPipe(cr, a);
        break;
      case kMine:
        PaintMine(cr, a);
        break;
      case kCannonOrHidden:
        if (a.comment == "cannon") RingPad(cr, a.Centre().x, a.Centre().y, 14, C(255, 140, 60));
        break;
      case kJumpPad:
        PaintJumpPad(cr, a);
        break;
      case kBonus:
        PaintBonusPad(cr, a);
        break;
      case kWorker:
        PaintPlate(cr, a, C(120, 100, 70), 0.25);
        break;
      case kCatapult:
        PaintCatapult(cr, a);
        break;
      case kAreaSwitch:
        PaintSwitch(cr, a);
        break;
      case kBreakable:
        PaintBreakable(cr, a);
        break;
      case kFan:
        PaintFan(cr, a);
        break;
      default:
        break;
    }
  }
}

}  // namespace gp::assets
