// Looping machine decorations placed at fixed spots by hole set-up: a turning
// cog, a nodding pump jack, a sweeping radar dish and a bobbing buoy. All are
// colour-keyed; each cycle is slow enough to read at 60 frames a second.
#include <cmath>

#include "tools/assets/hole_draw.h"
#include "tools/assets/hole_sprites.h"

namespace gp::assets {

namespace {


void GroundShadow(cairo_t* cr, double x, double y, double rx) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1, 0.42);
  draw::Radial(cr, 0, 0, rx, C(0, 0, 0), 0.75, 0.5);
  cairo_arc(cr, 0, 0, rx, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
}

// A gear outline: `teeth` teeth between radii r0 and r1, turned by `a`.
void GearPath(cairo_t* cr, double r0, double r1, int teeth, double a) {
  const double step = 2 * M_PI / teeth;
  for (int i = 0; i < teeth; ++i) {
    const double t = a + i * step;
    const double pts[4][2] = {
        {r0, t}, {r1, t + step * 0.15}, {r1, t + step * 0.45}, {r0, t + step * 0.6}};
    for (int k = 0; k < 4; ++k) {
      const double x = pts[k][0] * std::cos(pts[k][1]), y = pts[k][0] * std::sin(pts[k][1]);
      if (i == 0 && k == 0) {
        cairo_move_to(cr, x, y);
      } else {
        cairo_line_to(cr, x, y);
      }
    }
  }
  cairo_close_path(cr);
}

}  // namespace

// A cog on a stand, 48 x 48, turning one tooth per 48 frames.
ImageItem MakeCog(const Col& accent) {
  constexpr int kTeeth = 10, kPatterns = 12;
  return Strip("cog", 48, 48, kPatterns, KeyMode::Keyed, [=](cairo_t* cr, int, double t) {
    GroundShadow(cr, 26, 42, 16);
    cairo_rectangle(cr, 18, 26, 12, 17);  // stand
    draw::Linear(cr, 18, 0, 30, 0, C(150, 140, 128), 1, C(60, 54, 50), 1);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 24, 22);
    GearPath(cr, 15, 20, kTeeth, t * 2 * M_PI / kTeeth);
    draw::Linear(cr, -20, -20, 20, 20, C(236, 226, 200), 1, C(96, 84, 70), 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.2, 0.17, 0.14);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {  // spokes between lightening holes
      const double a = t * 2 * M_PI / kTeeth + i * M_PI / 2 + M_PI / 4;
      cairo_arc(cr, std::cos(a) * 9, std::sin(a) * 9, 3.2, 0, 2 * M_PI);
      cairo_set_source_rgb(cr, 0.22, 0.18, 0.15);
      cairo_fill(cr);
    }
    cairo_arc(cr, 0, 0, 4.5, 0, 2 * M_PI);
    SetCol(cr, accent, 1);
    cairo_fill(cr);
    cairo_restore(cr);
  });
}

// A pump jack, 64 x 48: the walking beam nods once per 64 frames.
ImageItem MakePumpJack(const Col& accent) {
  return Strip("pump", 64, 48, 16, KeyMode::Keyed, [=](cairo_t* cr, int, double t) {
    GroundShadow(cr, 32, 44, 26);
    cairo_rectangle(cr, 6, 40, 52, 5);  // skid
    cairo_set_source_rgb(cr, 0.3, 0.27, 0.24);
    cairo_fill(cr);
    cairo_move_to(cr, 24, 40);  // A-frame
    cairo_line_to(cr, 32, 16);
    cairo_line_to(cr, 40, 40);
    cairo_set_source_rgb(cr, 0.55, 0.52, 0.5);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    const double tilt = 0.28 * std::sin(t * 2 * M_PI);
    const double hx = 32 - 24 * std::cos(tilt), hy = 16 + 24 * std::sin(tilt);  // horse head
    cairo_move_to(cr, hx, hy);
    cairo_line_to(cr, 32 + 22 * std::cos(tilt), 16 - 22 * std::sin(tilt));
    SetCol(cr, accent.Mix(C(60, 40, 20), 0.25), 1);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_rectangle(cr, hx - 4, hy - 5, 6, 12);
    SetCol(cr, accent, 1);
    cairo_fill(cr);
    cairo_move_to(cr, hx - 1, hy + 7);  // polished rod down to the well head
    cairo_line_to(cr, hx - 1, 40);
    cairo_set_source_rgb(cr, 0.85, 0.85, 0.88);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, 32, 16, 3, 0, 2 * M_PI);  // pivot
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.22);
    cairo_fill(cr);
    cairo_arc(cr, 50, 34, 6, 0, 2 * M_PI);  // crank and counterweight
    cairo_set_source_rgb(cr, 0.35, 0.33, 0.32);
    cairo_fill(cr);
    cairo_move_to(cr, 50, 34);
    cairo_line_to(cr, 50 + 6 * std::cos(t * 2 * M_PI), 34 + 6 * std::sin(t * 2 * M_PI));
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  });
}

// A radar dish on a mast, 48 x 56, sweeping round once per 96 frames.
ImageItem MakeDish(const Col& accent) {
  return Strip("dish", 48, 56, 24, KeyMode::Keyed, [=](cairo_t* cr, int k, double t) {
    GroundShadow(cr, 25, 52, 14);
    cairo_rectangle(cr, 21, 26, 6, 27);
    draw::Linear(cr, 21, 0, 27, 0, C(210, 214, 222), 1, C(80, 84, 96), 1);
    cairo_fill(cr);
    const double a = t * 2 * M_PI, facing = std::cos(a);
    cairo_save(cr);
    cairo_translate(cr, 24, 20);
    cairo_scale(cr, std::max(0.12, std::abs(facing)), 1);
    cairo_arc(cr, 0, 0, 17, 0, 2 * M_PI);
    const Col front = C(235, 238, 245), back = C(120, 126, 140);
    SetCol(cr, facing > 0 ? front : back, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.3, 0.32, 0.38);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    if (facing > 0) {
      cairo_arc(cr, 0, 0, 11, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0.55, 0.58, 0.66, 0.6);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
    cairo_restore(cr);
    const double fx = 24 + std::sin(a) * 10;  // the feed horn in front of the dish
    cairo_move_to(cr, 24, 20);
    cairo_line_to(cr, fx, 20);
    cairo_set_source_rgb(cr, 0.4, 0.42, 0.48);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_arc(cr, fx, 20, 2.5, 0, 2 * M_PI);
    SetCol(cr, k % 6 < 2 ? C(255, 255, 255) : accent, 1);
    cairo_fill(cr);
  });
}

// A buoy with a blinking lamp, 32 x 40, bobbing on a liquid once per 64 frames.
ImageItem MakeBuoy(const Col& accent) {
  return Strip("buoy", 32, 40, 16, KeyMode::Keyed, [=](cairo_t* cr, int k, double t) {
    const double bob = 2.5 * std::sin(t * 2 * M_PI), y = 30 + bob;
    cairo_save(cr);  // ripple ring on the surface
    cairo_translate(cr, 16, 33);
    cairo_scale(cr, 1, 0.35);
    cairo_arc(cr, 0, 0, 13 + bob, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 0.75, 0.95, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, 7, y);  // float body
    cairo_curve_to(cr, 7, y - 12, 25, y - 12, 25, y);
    cairo_curve_to(cr, 25, y + 4, 7, y + 4, 7, y);
    draw::Linear(cr, 7, 0, 25, 0, C(255, 120, 80), 1, C(150, 40, 30), 1);
    cairo_fill(cr);
    cairo_rectangle(cr, 8, y - 8, 16, 3);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.9);
    cairo_fill(cr);
    cairo_rectangle(cr, 15, y - 22, 2, 13);  // mast
    cairo_set_source_rgb(cr, 0.7, 0.72, 0.78);
    cairo_fill(cr);
    const bool on = k < 4;
    if (on) {
      draw::Radial(cr, 16, y - 24, 7, accent.Mix(C(255, 255, 255), 0.4), 1, 0.55);
      cairo_arc(cr, 16, y - 24, 6, 0, 2 * M_PI);
      cairo_fill(cr);
    }
    cairo_arc(cr, 16, y - 24, 2.5, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, on ? 1 : 0.45, on ? 1 : 0.45, on ? 0.9 : 0.5);
    cairo_fill(cr);
  });
}

}  // namespace gp::assets
