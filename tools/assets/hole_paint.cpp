#include "tools/assets/hole_paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assets/hole_devices.h"

namespace gp::assets {

namespace {

constexpr double kSlabDepth = 26;  // pixels of floor edge seen below each floor

}  // namespace

const Scheme& SchemeOf(int scheme) {
  static const Scheme schemes[kSchemes] = {
      // course 1: teal green
      {C(46, 150, 112), C(24, 104, 84), C(40, 56, 70), C(112, 128, 140), C(220, 236, 240),
       C(90, 230, 200)},
      // course 2: amber
      {C(204, 148, 56), C(150, 98, 32), C(70, 48, 36), C(130, 118, 104), C(250, 236, 210),
       C(255, 190, 80)},
      // course 3: violet
      {C(128, 88, 178), C(84, 54, 130), C(50, 40, 72), C(124, 116, 148), C(236, 226, 255),
       C(220, 140, 255)},
      // course 4: cold blue
      {C(82, 136, 196), C(48, 92, 150), C(36, 48, 76), C(120, 132, 150), C(226, 240, 255),
       C(140, 210, 255)},
      // course 5: alien lime
      {C(126, 176, 48), C(80, 128, 30), C(48, 62, 40), C(120, 132, 110), C(240, 255, 220),
       C(200, 255, 90)},
      // the Comet Reef: coral rose felt, sea-green rails' glow
      {C(196, 102, 110), C(142, 64, 80), C(66, 40, 60), C(128, 122, 136), C(250, 232, 238),
       C(110, 236, 220)},
  };
  return schemes[std::clamp(scheme, 1, kSchemes) - 1];
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void AreaPath(cairo_t* cr, const Area& a) {
  switch (a.shape()) {
    case Shape::Ellipse:
      EllipsePath(cr, a.x1, a.y1, a.r, a.r / 2.0);
      break;
    case Shape::Quad:
      cairo_move_to(cr, a.x1, a.y1);
      cairo_line_to(cr, a.x2, a.y2);
      cairo_line_to(cr, a.x3, a.y3);
      cairo_line_to(cr, a.x4, a.y4);
      cairo_close_path(cr);
      break;
    case Shape::Segment: {
      const double dx = a.x2 - a.x1, dy = a.y2 - a.y1, len = std::max(1.0, std::hypot(dx, dy));
      const double nx = -dy / len * 4, ny = dx / len * 4;
      cairo_move_to(cr, a.x1 + nx, a.y1 + ny);
      cairo_line_to(cr, a.x2 + nx, a.y2 + ny);
      cairo_line_to(cr, a.x2 - nx, a.y2 - ny);
      cairo_line_to(cr, a.x1 - nx, a.y1 - ny);
      cairo_close_path(cr);
      break;
    }
    case Shape::None:
      break;
  }
}

void Dither(Surface& s, unsigned seed, int amount) {
  cairo_surface_flush(s.surface());
  unsigned char* data = cairo_image_surface_get_data(s.surface());
  const int stride = cairo_image_surface_get_stride(s.surface());
  for (int y = 0; y < s.height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < s.width(); ++x) {
      const uint32_t p = row[x];
      const int a = static_cast<int>(p >> 24);
      if (a == 0) continue;
      const int d = static_cast<int>(std::lround((Noise(x, y, seed) - 0.5) * 2 * amount));
      auto ch = [&](int shift) {
        const int v = static_cast<int>((p >> shift) & 255) + d;
        return static_cast<uint32_t>(std::clamp(v, 0, a)) << shift;
      };
      row[x] = (p & 0xFF000000u) | ch(16) | ch(8) | ch(0);
    }
  }
  cairo_surface_mark_dirty(s.surface());
}

namespace {

// Writes opaque pixels computed by `f(x, y)` into the whole surface.
template <typename F>
void FillPixels(Surface& s, F f) {
  cairo_surface_flush(s.surface());
  unsigned char* data = cairo_image_surface_get_data(s.surface());
  const int stride = cairo_image_surface_get_stride(s.surface());
  for (int y = 0; y < s.height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < s.width(); ++x) {
      const Col c = f(x, y);
      auto v = [](double k) { return static_cast<uint32_t>(std::clamp(k, 0.0, 1.0) * 255 + 0.5); };
      row[x] = 0xFF000000u | (v(c.r) << 16) | (v(c.g) << 8) | v(c.b);
    }
  }
  cairo_surface_mark_dirty(s.surface());
}

// Deep space: a dark gradient, soft nebula clouds and faint small stars.
void PaintSpace(const HoleSource& h, Surface& s) {
  const unsigned seed = h.seed * 7919u + 11u;
  const Col top = C(4, 6, 18), bottom = C(12, 8, 30);
  const bool storm = h.mood == "storm";  // grey thunderheads instead of coloured nebulae
  const Col neb1 = storm ? C(90, 96, 110) : h.scheme == 2 ? C(120, 50, 40) : C(80, 36, 120);
  const Col neb2 = storm           ? C(60, 70, 96)
                   : h.scheme == 5 ? C(40, 110, 60)
                   : h.scheme == 6 ? C(24, 112, 118)
                                   : C(30, 80, 130);
  FillPixels(s, [&](int x, int y) {
    Col c = top.Mix(bottom, double(y) / s.height());
    const double n1 = 0.55 * SmoothNoise(x, y, 220, seed) + 0.3 * SmoothNoise(x, y, 90, seed + 1) +
                      0.15 * SmoothNoise(x, y, 35, seed + 2);
    const double n2 =
        0.6 * SmoothNoise(x, y, 260, seed + 3) + 0.4 * SmoothNoise(x, y, 60, seed + 4);
    const double a = std::max(0.0, n1 - 0.48) * 1.6, b = std::max(0.0, n2 - 0.52) * 1.4;
    c = {c.r + neb1.r * a + neb2.r * b, c.g + neb1.g * a + neb2.g * b,
         c.b + neb1.b * a + neb2.b * b};
    const double star = Noise(x, y, seed + 5);
    if (star > 0.9975) {
      const double k = (star - 0.9975) / 0.0025;
      c = c.Mix(C(200, 210, 255), 0.35 + 0.5 * k);
    }
    return c;
  });
  // Brighter stars with a soft glow, a few with cross spikes.
  cairo_t* cr = s.cr();
  const int count = s.width() * s.height() / (h.mood == "storm" ? 30000 : 9000);
  for (int i = 0; i < count; ++i) {
    const double x = Noise(i, 1, seed + 9) * s.width(), y = Noise(i, 2, seed + 9) * s.height();
    const double size = 0.8 + 2.2 * std::pow(Noise(i, 3, seed + 9), 3);
    const double warm = Noise(i, 4, seed + 9);
    const Col tint = warm > 0.7    ? C(255, 220, 180)
                     : warm < 0.25 ? C(170, 200, 255)
                                   : C(240, 240, 255);
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, size * 3);
    cairo_pattern_add_color_stop_rgba(g, 0, tint.r, tint.g, tint.b, 0.95);
    cairo_pattern_add_color_stop_rgba(g, 0.3, tint.r, tint.g, tint.b, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 1, tint.r, tint.g, tint.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, size * 3, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    if (size > 2.2) {
      SetCol(cr, tint, 0.35);
      cairo_set_line_width(cr, 0.8);
      cairo_move_to(cr, x - size * 5, y);
      cairo_line_to(cr, x + size * 5, y);
      cairo_move_to(cr, x, y - size * 5);
      cairo_line_to(cr, x, y + size * 5);
      cairo_stroke(cr);
    }
  }
}

void FloorPath(cairo_t* cr, const Floor& f, double dx = 0, double dy = 0) {
  for (size_t i = 0; i < f.points.size(); ++i) {
    if (i == 0) {
      cairo_move_to(cr, f.points[i].x + dx, f.points[i].y + dy);
    } else {
      cairo_line_to(cr, f.points[i].x + dx, f.points[i].y + dy);
    }
  }
  cairo_close_path(cr);
}

// The felt: two scales of smooth noise, fine grain and faint mowing stripes.
void PaintFeltTexture(const HoleSource& h, Surface& felt) {
  const Scheme& sc = SchemeOf(h.scheme);
  const unsigned seed = h.seed * 31u + 5u;
  FillPixels(felt, [&](int x, int y) {
    const double n = 0.6 * SmoothNoise(x, y, 70, seed) + 0.4 * SmoothNoise(x, y, 14, seed + 1);
    const double stripe = ((x + 2 * y) / 72) % 2 == 0 ? 1.03 : 0.97;
    const double grain = 0.95 + 0.1 * Noise(x, y, seed + 2);
    return sc.felt.Mix(sc.feltDark, n * 0.75).Scale(stripe * grain);
  });
}

// Each floor floats: a slab edge below it, a rim glow, then the felt top.
void PaintFloors(const HoleSource& h, Surface& s) {
  cairo_t* cr = s.cr();
  const Scheme& sc = SchemeOf(h.scheme);
  Surface felt(h.width, h.height);
  PaintFeltTexture(h, felt);
  for (int level = 1; level >= 0; --level) {
    for (const Floor& f : h.floors) {
      if (f.level != level) continue;
      for (double d = kSlabDepth; d >= 1; d -= 1) {
        FloorPath(cr, f, 0, d);
        SetCol(cr, sc.side.Scale(0.55 + 0.6 * (1 - d / kSlabDepth)));
        cairo_fill(cr);
      }
      FloorPath(cr, f, 0, kSlabDepth);
      SetCol(cr, sc.accent, 0.45);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      FloorPath(cr, f);
      cairo_set_source_surface(cr, felt.surface(), 0, 0);
      cairo_fill_preserve(cr);
      if (level == 1) {
        cairo_set_source_rgba(cr, 0, 0, 0.05, 0.22);
        cairo_fill_preserve(cr);
      }
      cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
    }
  }
}

bool IsWall(int kind) {
  return kind == kRisingShallowWall || kind == kVerticalWall || kind == kFallingShallowWall ||
         kind == kHorizontalWall || kind == kRisingDiagonalWall || kind == kFallingDiagonalWall;
}

// A wall drawn as a rail; "invisible" walls (the foot of a ledge's face) and
// "gate" walls (switched on and off with a cycling obstacle's sprite) are not.
bool IsRail(const Area& a) {
  return IsWall(a.kind) && a.shape() == Shape::Segment && a.comment != "invisible" &&
         a.comment != "gate";
}

// A raised metal rail along a wall segment: floor shadow, side, top, lit edge.
void PaintRail(cairo_t* cr, const Area& a, const Scheme& sc, bool shadow) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto line = [&](double dx, double dy, double width, const Col& c, double alpha) {
    cairo_move_to(cr, a.x1 + dx, a.y1 + dy);
    cairo_line_to(cr, a.x2 + dx, a.y2 + dy);
    SetCol(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  };
  if (shadow) {
    line(4, 5, 11, C(0, 0, 0), 0.18);
    line(3, 4, 8, C(0, 0, 0), 0.25);
  }
  line(0, 1.5, 8, sc.rail.Scale(0.45), 1);
  line(0, -1.5, 7, sc.rail, 1);
  line(0, -3, 3, sc.rail.Mix(sc.railLight, 0.5), 1);
  line(0, -3.8, 1.2, sc.railLight, 0.9);
  // Rivets every 40 pixels.
  const double len = std::hypot(a.x2 - a.x1, a.y2 - a.y1);
  for (double t = 20; t < len - 10; t += 40) {
    const double x = a.x1 + (a.x2 - a.x1) * t / len, y = a.y1 + (a.y2 - a.y1) * t / len;
    cairo_arc(cr, x, y - 1.5, 1.3, 0, 2 * M_PI);
    SetCol(cr, sc.rail.Scale(0.6), 1);
    cairo_fill(cr);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// The closed loops of rails: followed from rail to rail through end points
// that exactly two rails share. Each loop is its corner points in order.
std::vector<std::vector<Pt>> RailLoops(const HoleSource& h) {
  std::vector<const Area*> rails;
  for (const Area& a : h.areas) {
    if (IsRail(a)) rails.push_back(&a);
  }
  auto end = [&](size_t i, int e) {
    return e == 0 ? Pt{double(rails[i]->x1), double(rails[i]->y1)}
                  : Pt{double(rails[i]->x2), double(rails[i]->y2)};
  };
  // The one other rail ending at p (and which of its ends), or -1.
  auto other = [&](size_t self, Pt p, int& which) {
    int found = -1, count = 0;
    for (size_t i = 0; i < rails.size(); ++i) {
      for (int e = 0; e < 2 && i != self; ++e) {
        if (end(i, e).x == p.x && end(i, e).y == p.y)
          found = static_cast<int>(i), which = e, ++count;
      }
    }
    return count == 1 ? found : -1;
  };
  std::vector<bool> used(rails.size(), false);
  std::vector<std::vector<Pt>> loops;
  for (size_t first = 0; first < rails.size(); ++first) {
    std::vector<Pt> loop{end(first, 0)};
    std::vector<size_t> members{first};
    Pt tip = end(first, 1);
    int next = 0, which = 0;
    while (members.size() < 16 && (next = other(members.back(), tip, which)) >= 0 &&
           static_cast<size_t>(next) != first && !used[next] &&
           std::find(members.begin(), members.end(), next) == members.end()) {
      loop.push_back(tip);
      members.push_back(next);
      tip = end(next, 1 - which);
    }
    if (used[first] || next < 0 || static_cast<size_t>(next) != first || loop.size() < 3) continue;
    for (size_t m : members) used[m] = true;
    loops.push_back(loop);
  }
  return loops;
}

// Small closed loops of rails (bumpers, plinths) are solid blocks: each gets a
// raised metal cap with a stud inside its rails. Larger rooms stay floor.
void PaintBumperCaps(const HoleSource& h, cairo_t* cr) {
  constexpr double kMaxCapArea = 4000;  // square pixels
  const Scheme& sc = SchemeOf(h.scheme);
  for (const std::vector<Pt>& loop : RailLoops(h)) {
    double area = 0, cx = 0, cy = 0;
    for (size_t i = 0; i < loop.size(); ++i) {
      const Pt& p = loop[i];
      const Pt& q = loop[(i + 1) % loop.size()];
      area += (p.x * q.y - q.x * p.y) / 2;
      cx += p.x / loop.size(), cy += p.y / loop.size();
    }
    if (std::abs(area) > kMaxCapArea) continue;
    for (size_t i = 0; i < loop.size(); ++i) {
      i == 0 ? cairo_move_to(cr, loop[i].x, loop[i].y - 3)
             : cairo_line_to(cr, loop[i].x, loop[i].y - 3);
    }
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - 20, cy - 20, cx + 20, cy + 14);
    const Col hi = sc.rail.Mix(sc.railLight, 0.45), lo = sc.rail.Scale(0.5);
    cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, cx, cy - 3, 3, 0, 2 * M_PI);
    SetCol(cr, sc.accent, 0.9);
    cairo_fill(cr);
  }
}

}  // namespace

bool InsideFloors(const HoleSource& h, double x, double y) {
  bool inside = false;
  for (const Floor& f : h.floors) {
    bool in = false;
    const auto& p = f.points;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
      if ((p[i].y > y) != (p[j].y > y) &&
          x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x) {
        in = !in;
      }
    }
    inside = inside || in;
  }
  return inside;
}

void PaintCourse(const HoleSource& h, Surface& course, Surface& fg) {
  const Scheme& sc = SchemeOf(h.scheme);
  PaintSpace(h, course);
  cairo_t* cr = course.cr();
  for (const Paint& p : h.paints) {
    if (p.type == "planet" || p.type == "asteroid") PaintDecoration(h, cr, p);
  }
  PaintFloors(h, course);
  PaintSurfaces(h, cr);
  for (const Paint& p : h.paints) {
    if (!p.fg && p.type != "planet" && p.type != "asteroid") PaintDecoration(h, cr, p);
  }
  PaintDevices(h, cr);
  PaintBumperCaps(h, cr);
  for (const Area& a : h.areas) {
    if (IsRail(a)) PaintRail(cr, a, sc, true);
  }
  Dither(course, h.seed + 77u, 3);
  // Things that stand above a ball: rails that bound a floor on its near
  // (lower) side, arches and tall decorations.
  for (const Area& a : h.areas) {
    if (!IsRail(a) || a.kind == kVerticalWall) continue;
    const Pt m = a.Centre();
    if (InsideFloors(h, m.x, m.y - 8) && !InsideFloors(h, m.x, m.y + 8)) {
      PaintRail(course.cr(), a, sc, false);
      PaintRail(fg.cr(), a, sc, false);
    }
  }
  for (const Paint& p : h.paints) {
    if (!p.fg) continue;
    PaintDecoration(h, course.cr(), p);
    PaintDecoration(h, fg.cr(), p);
  }
}

}  // namespace gp::assets
