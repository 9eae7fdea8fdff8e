// Ground surfaces drawn from their areas.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/assets/canvas.h"
#include "tools/assets/hole_devices.h"
#include "tools/assets/hole_draw.h"
#include "tools/assets/hole_paint.h"

namespace gp::assets {

namespace {

using namespace draw;

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

// Water (blue) or acid (green), drawn per pool: overlapping water areas of
// the same liquid form one pool (so octagons and bends can be built from
// quads) with one rim, one deep gradient, ripples, and for acid a few bubbles.
void PaintPool(cairo_t* cr, const std::vector<const Area*>& pool) {
  const bool acid = pool.front()->p3 == 1;
  const Col deep = acid ? C(14, 64, 26) : C(10, 40, 110),
            shallow = acid ? C(72, 176, 50) : C(70, 150, 240);
  double l = 1e9, t = 1e9, r = -1e9, b = -1e9;
  for (const Area* a : pool) {
    double al, at, ar, ab;
    a->Bounds(al, at, ar, ab);
    l = std::min(l, al), t = std::min(t, at), r = std::max(r, ar), b = std::max(b, ab);
  }
  for (const Area* a : pool) {  // a dark bank, then a lit lip that the liquid covers inside
    AreaPath(cr, *a);
    SetCol(cr, C(20, 24, 30), 0.7);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
  }
  for (const Area* a : pool) {
    AreaPath(cr, *a);
    SetCol(cr, shallow.Mix(C(255, 255, 255), 0.5), 0.8);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
  }
  const unsigned seed = pool.front()->index;
  cairo_save(cr);
  cairo_new_path(cr);
  for (const Area* a : pool) AreaPath(cr, *a);
  cairo_clip(cr);
  Linear(cr, 0, t, 0, b, deep, 1, shallow, 1);
  cairo_paint(cr);
  const int ripples = 8 + static_cast<int>((r - l) * (b - t) / 6000);
  for (int i = 0; i < ripples; ++i) {
    const double x = l + (r - l) * Noise(i, 1, seed), y = t + (b - t) * Noise(i, 2, seed);
    const double w = 12 + 30 * Noise(i, 3, seed);
    cairo_move_to(cr, x - w, y);
    cairo_curve_to(cr, x - w / 2, y - 3, x + w / 2, y - 3, x + w, y);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  }
  for (int i = 0; acid && i < ripples; ++i) {  // bubbles on the acid
    const double x = l + (r - l) * Noise(i, 4, seed), y = t + (b - t) * Noise(i, 5, seed);
    const double s = 2 + 4 * Noise(i, 6, seed);
    EllipsePath(cr, x, y, s, s * 0.8);
    cairo_set_source_rgba(cr, 0.75, 1, 0.6, 0.55);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    EllipsePath(cr, x - s * 0.3, y - s * 0.3, s * 0.3, s * 0.2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
    cairo_fill(cr);
  }
  Linear(cr, 0, t, 0, t + (b - t) * 0.4, C(255, 255, 255), 0.3, C(255, 255, 255), 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

// Gathers the water areas into pools: areas of one liquid whose bounds overlap.
void PaintWaters(const HoleSource& h, cairo_t* cr) {
  std::vector<const Area*> waters;
  for (const Area& a : h.areas) {
    if (a.kind == kWater && a.shape() != Shape::None) waters.push_back(&a);
  }
  std::vector<int> pool(waters.size());
  for (size_t i = 0; i < waters.size(); ++i) pool[i] = static_cast<int>(i);
  auto overlap = [](const Area* a, const Area* b) {
    double l1, t1, r1, b1, l2, t2, r2, b2;
    a->Bounds(l1, t1, r1, b1);
    b->Bounds(l2, t2, r2, b2);
    return (a->p3 == 1) == (b->p3 == 1) && l1 <= r2 && l2 <= r1 && t1 <= b2 && t2 <= b1;
  };
  for (bool changed = true; changed;) {  // join pools until nothing changes
    changed = false;
    for (size_t i = 0; i < waters.size(); ++i) {
      for (size_t j = 0; j < waters.size(); ++j) {
        if (pool[j] < pool[i] && overlap(waters[i], waters[j])) pool[i] = pool[j], changed = true;
      }
    }
  }
  for (size_t i = 0; i < waters.size(); ++i) {
    if (pool[i] != static_cast<int>(i)) continue;
    std::vector<const Area*> members;
    for (size_t j = 0; j < waters.size(); ++j) {
      if (pool[j] == static_cast<int>(i)) members.push_back(waters[j]);
    }
    PaintPool(cr, members);
  }
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

// A bog (a slow zone whose comment is "bog"): dark wet peat with glossy
// puddles that catch the light and tufts of dry reeds; dark and brown so that
// the green spray of a ball ploughing in shows up.
void PaintBog(cairo_t* cr, const Area& a) {
  double l, t, r, b;
  a.Bounds(l, t, r, b);
  AreaPath(cr, a);
  cairo_set_source_rgba(cr, 0.12, 0.1, 0.08, 0.45);
  cairo_set_line_width(cr, 8);
  cairo_stroke(cr);
  cairo_save(cr);
  Clip(cr, a);
  Linear(cr, l, t, r, b, C(74, 62, 48), 1, C(42, 36, 32), 1);
  cairo_paint(cr);
  const int n = static_cast<int>((r - l) * (b - t) / 900) + 3;
  for (int i = 0; i < n; ++i) {  // puddles
    const double x = l + (r - l) * Noise(i, 31, a.index), y = t + (b - t) * Noise(i, 32, a.index);
    const double s = 8 + 16 * Noise(i, 33, a.index);
    EllipsePath(cr, x, y, s, s * 0.45);
    Linear(cr, 0, y - s * 0.45, 0, y + s * 0.45, C(84, 100, 126), 0.9, C(24, 28, 40), 0.9);
    cairo_fill(cr);
    EllipsePath(cr, x - s * 0.2, y - s * 0.15, s * 0.45, s * 0.12);
    cairo_set_source_rgba(cr, 0.9, 0.95, 1, 0.35);
    cairo_fill(cr);
  }
  for (int i = 0; i < n * 3; ++i) {  // reeds
    const double x = l + (r - l) * Noise(i, 34, a.index), y = t + (b - t) * Noise(i, 35, a.index);
    for (int k = -1; k <= 1; ++k) {
      cairo_move_to(cr, x + k * 2, y);
      cairo_line_to(cr, x + k * 4, y - 7 - 2 * (k == 0));
    }
    cairo_set_source_rgba(cr, 0.72, 0.64, 0.4, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
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
  cairo_set_source_rgba(cr, 0, 0, 0.05, 0.5 * k);
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

}  // namespace

void PaintSurfaces(const HoleSource& h, cairo_t* cr) {
  const int order[] = {45, 23, 24, 8, 9, 10, 11, 15, 16, 17, 18, 19, 20, 21, 22, 14, 30, 33, 32};
  for (int kind : order) {
    if (kind == kWater) PaintWaters(h, cr);
    for (const Area& a : h.areas) {
      if (a.kind != kind || a.shape() == Shape::None) continue;
      if (kind == kDropOff) PaintDropOff(h, cr, a);
      if (kind == kSlowZone) a.comment == "bog" ? PaintBog(cr, a) : PaintDust(cr, a);
      if (kind >= kSlopeDownLeft && kind <= kSlopeLeft) PaintSlope(cr, a);
      if (kind >= kConveyorRight && kind <= kConveyorShallowUpRight) PaintConveyor(cr, a);
      if (kind == kAttractor) PaintAttractor(cr, a);
      if (kind == kRubble) PaintRubble(cr, a);
      if (kind == kLedge) PaintLedge(cr, a);
      if (kind == kShade) PaintShade(cr, a);
    }
  }
}

}  // namespace gp::assets
