#include "tools/assets/movie_art.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/font.h"

namespace gp::assets {

double Phase(double t, double t0, double t1) {
  return std::clamp((t - t0) / (t1 - t0), 0.0, 1.0);
}
double Smooth(double u) {
  return u * u * (3 - 2 * u);
}
double EaseOut(double u) {
  return 1 - (1 - u) * (1 - u);
}

namespace {

// The island's outline: an octagon with a step on its top edge, like a course
// floor with chamfered rails.
constexpr double kOutline[][2] = {{34, 0},    {250, 0},   {278, 28}, {416, 28}, {450, 62},
                                  {450, 172}, {412, 210}, {58, 210}, {0, 152},  {0, 34}};
constexpr int kCorners = sizeof kOutline / sizeof kOutline[0];

void OutlinePath(cairo_t* cr, double dx, double dy) {
  cairo_move_to(cr, kOutline[0][0] + dx, kOutline[0][1] + dy);
  for (int i = 1; i < kCorners; ++i) cairo_line_to(cr, kOutline[i][0] + dx, kOutline[i][1] + dy);
  cairo_close_path(cr);
}

// Felt: a diagonal gradient, mowing stripes and fine per-pixel grain.
void MovieFelt(cairo_t* cr, uint32_t seed) {
  cairo_save(cr);
  OutlinePath(cr, 0, 0);
  cairo_clip(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, kGreenW, kGreenH);
  AddStop(g, 0, Col{0.16, 0.58, 0.48});
  AddStop(g, 1, Col{0.07, 0.36, 0.32});
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  for (int i = -10; i < 20; i += 2) {  // broad diagonal stripes
    cairo_move_to(cr, i * 40.0, 0);
    cairo_line_to(cr, i * 40.0 + 40, 0);
    cairo_line_to(cr, i * 40.0 + 40 - kGreenH, kGreenH);
    cairo_line_to(cr, i * 40.0 - kGreenH, kGreenH);
    cairo_close_path(cr);
  }
  cairo_set_source_rgba(cr, 1, 1, 1, 0.035);
  cairo_fill(cr);
  // Grain: light and dark specks, premultiplied ARGB written directly.
  const int w = static_cast<int>(kGreenW), h = static_cast<int>(kGreenH);
  cairo_surface_t* grain = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  unsigned char* data = cairo_image_surface_get_data(grain);
  const int stride = cairo_image_surface_get_stride(grain);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      const double n = Noise(x, y, seed) - 0.5;
      const int a = static_cast<int>(std::fabs(n) * (n > 0 ? 0.12 : 0.16) * 255);
      const int r = n > 0 ? a * 7 / 10 : 0, g = n > 0 ? a : a / 20, b = n > 0 ? a * 9 / 10 : 0;
      row[x] = static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 |
               static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
    }
  }
  cairo_surface_mark_dirty(grain);
  cairo_set_source_surface(cr, grain, 0, 0);
  cairo_paint(cr);
  cairo_surface_destroy(grain);
  cairo_restore(cr);
}

// The side band under the island and a faint glow that keeps it afloat.
void Side(cairo_t* cr) {
  cairo_pattern_t* glow =
      cairo_pattern_create_radial(kGreenW / 2, kGreenH + 10, 20, kGreenW / 2, kGreenH + 10, 260);
  cairo_pattern_add_color_stop_rgba(glow, 0, 0.2, 0.9, 0.8, 0.18);
  cairo_pattern_add_color_stop_rgba(glow, 1, 0.2, 0.9, 0.8, 0);
  cairo_rectangle(cr, -80, kGreenH - 60, kGreenW + 160, 160);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  for (int k = static_cast<int>(kGreenSide); k >= 1; --k) {
    OutlinePath(cr, 0, k);
    const double t = k / kGreenSide;
    SetCol(cr, Mix(Col{0.16, 0.24, 0.3}, Col{0.05, 0.07, 0.1}, t));
    cairo_fill(cr);
  }
  // A lit seam along the bottom of the band.
  OutlinePath(cr, 0, kGreenSide);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0.3, 0.85, 0.8, 0.35);
  cairo_stroke(cr);
}

// The metal rail: dark body, lit top edge.
void Rail(cairo_t* cr) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  OutlinePath(cr, 0, 2);
  cairo_set_line_width(cr, 7);
  cairo_set_source_rgba(cr, 0, 0.04, 0.04, 0.5);  // shadow on the felt
  cairo_stroke(cr);
  OutlinePath(cr, 0, 0);
  cairo_set_line_width(cr, 6);
  SetCol(cr, Col{0.42, 0.47, 0.52});
  cairo_stroke(cr);
  OutlinePath(cr, 0, -1);
  cairo_set_line_width(cr, 2);
  SetCol(cr, Col{0.85, 0.9, 0.95});
  cairo_stroke(cr);
}

void Cup(cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, kCupX, kCupY);
  cairo_scale(cr, 1, 0.62);
  cairo_arc(cr, 0, 0, 11, 0, 2 * M_PI);
  SetCol(cr, Col{0.78, 0.85, 0.85});
  cairo_fill(cr);
  cairo_arc(cr, 0, 0.8, 9.5, 0, 2 * M_PI);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, -10, 0, 10);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.0, 0.0, 0.01);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.08, 0.12, 0.12);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

// Faint chevrons of a gentle slope running down towards the cup.
void Chevrons(cairo_t* cr) {
  for (int i = 0; i < 4; ++i) {
    const double x = 190 + 26 * i, y = 112;
    cairo_move_to(cr, x, y - 14);
    cairo_line_to(cr, x + 10, y);
    cairo_line_to(cr, x, y + 14);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.75, 1, 0.9, 0.07 + 0.03 * i);
    cairo_stroke(cr);
  }
}

// The tee: a small pad of lighter felt with two markers.
void Tee(cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, kTeeX, kTeeY);
  cairo_scale(cr, 1, 0.55);
  cairo_arc(cr, 0, 0, 26, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0.7, 1, 0.9, 0.12);
  cairo_fill(cr);
  cairo_restore(cr);
  for (int side = -1; side <= 1; side += 2) {
    cairo_arc(cr, kTeeX + side * 30, kTeeY, 2.5, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.4, 1, 0.85);
    cairo_fill(cr);
  }
}

}  // namespace

bool OnGreen(double x, double y) {
  // Point in polygon, even-odd.
  bool in = false;
  for (int i = 0, j = kCorners - 1; i < kCorners; j = i++) {
    const double xi = kOutline[i][0], yi = kOutline[i][1];
    const double xj = kOutline[j][0], yj = kOutline[j][1];
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

void DrawFloatingGreen(cairo_t* cr, uint32_t seed) {
  Side(cr);
  MovieFelt(cr, seed);
  Chevrons(cr);
  Tee(cr);
  Cup(cr);
  Rail(cr);
}

void DrawFlag(cairo_t* cr, double x, double y, double wave, double alpha) {
  const double top = y - 62;
  cairo_move_to(cr, x + 0.5, y);
  cairo_line_to(cr, x + 0.5, top);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 0.92, 0.94, 0.97, alpha);
  cairo_stroke(cr);
  // The cloth: a triangle whose edges ripple with the wave.
  const double a = 2 * M_PI * wave;
  cairo_move_to(cr, x + 1.5, top);
  for (int i = 1; i <= 8; ++i) {
    const double u = i / 8.0;
    cairo_line_to(cr, x + 1.5 + 26 * u, top + 7 * u + 2.2 * u * std::sin(a + u * 5));
  }
  for (int i = 8; i >= 0; --i) {
    const double u = i / 8.0;
    cairo_line_to(cr, x + 1.5 + 26 * u, top + 16 - 7 * u + 2.2 * u * std::sin(a + u * 5));
  }
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + 28, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1.0, 0.42, 0.3, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.85, 0.2, 0.15, alpha);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void DrawBall(cairo_t* cr, double x, double y, double r, double roll, double alpha) {
  cairo_save(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_pattern_t* body = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.4, r * 0.1, x, y, r);
  cairo_pattern_add_color_stop_rgba(body, 0, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(body, 0.6, 0.82, 0.88, 0.95, alpha);
  cairo_pattern_add_color_stop_rgba(body, 1, 0.38, 0.46, 0.62, alpha);
  cairo_set_source(cr, body);
  cairo_paint(cr);
  cairo_pattern_destroy(body);
  // A blue stripe round the ball, seen at the angle the roll has turned it to.
  const double c = std::cos(2 * M_PI * roll);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, -0.5);
  cairo_scale(cr, 1, std::max(0.05, std::fabs(c)));
  cairo_arc(cr, 0, 0, r * 1.05, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_line_width(cr, r * 0.28);
  cairo_set_source_rgba(cr, 0.15, 0.45, 0.95, alpha * (c > 0 ? 0.75 : 0.35));
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawBallShadow(cairo_t* cr, double x, double y, double r, double lift, double alpha) {
  const double spread = 1 + lift / 60;
  cairo_save(cr);
  cairo_translate(cr, x + 2 + lift * 0.15, y + r * 0.6);
  cairo_scale(cr, spread, 0.45 * spread);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, r * 1.2);
  cairo_pattern_add_color_stop_rgba(p, 0, 0, 0.02, 0.02, 0.55 * alpha / spread);
  cairo_pattern_add_color_stop_rgba(p, 1, 0, 0.02, 0.02, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, r * 1.2, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void DrawTrail(cairo_t* cr, const double* xs, const double* ys, int count, double width) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 1; i < count; ++i) {
    const double u = static_cast<double>(i) / (count - 1);  // 0 oldest .. 1 newest
    cairo_move_to(cr, xs[i - 1], ys[i - 1]);
    cairo_line_to(cr, xs[i], ys[i]);
    cairo_set_line_width(cr, width * (0.25 + 0.75 * u) * 2.2);
    cairo_set_source_rgba(cr, 0.3, 0.7, 1.0, 0.10 * u);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width * (0.15 + 0.85 * u));
    cairo_set_source_rgba(cr, 0.75, 0.92, 1.0, 0.45 * u * u);
    cairo_stroke(cr);
  }
}

void DrawSparkle(cairo_t* cr, double x, double y, double size, double alpha) {
  if (alpha <= 0 || size <= 0) return;
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, size * 0.5);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.5, 0.85, 1, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, size * 0.5, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  for (int k = 0; k < 2; ++k) {  // a horizontal and a vertical ray
    const double w = k ? 1.2 : size, h = k ? size : 1.2;
    cairo_pattern_t* ray = k ? cairo_pattern_create_linear(x, y - size, x, y + size)
                             : cairo_pattern_create_linear(x - size, y, x + size, y);
    cairo_pattern_add_color_stop_rgba(ray, 0, 0.7, 0.9, 1, 0);
    cairo_pattern_add_color_stop_rgba(ray, 0.5, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(ray, 1, 0.7, 0.9, 1, 0);
    cairo_set_source(cr, ray);
    cairo_rectangle(cr, x - w, y - h, 2 * w, 2 * h);
    cairo_fill(cr);
    cairo_pattern_destroy(ray);
  }
}

void DrawGlowTitle(cairo_t* cr, const std::string& text, double px, double x, double y,
                   double alpha, double glow) {
  if (alpha <= 0) return;
  BoldFace().Use(cr, px);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  const double left = x - e.x_advance / 2;
  cairo_move_to(cr, left, y);
  cairo_text_path(cr, text.c_str());
  // The halo: wide soft strokes, then a dark outline, then the gradient fill.
  for (int k = 4; k >= 1; --k) {
    cairo_set_line_width(cr, px * 0.09 * k);
    cairo_set_source_rgba(cr, 0.2, 0.6, 1.0, alpha * glow * 0.09);
    cairo_stroke_preserve(cr);
  }
  cairo_set_line_width(cr, px * 0.06);
  cairo_set_source_rgba(cr, 0.02, 0.08, 0.2, alpha);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y - px * 0.75, 0, y);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(g, 0.55, 0.72, 0.93, 1, alpha);
  cairo_pattern_add_color_stop_rgba(g, 1, 0.3, 0.75, 1, alpha);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void DrawCentredText(cairo_t* cr, const std::string& text, double px, double x, double y, Col c,
                     double alpha) {
  if (alpha <= 0) return;
  BoldFace().Use(cr, px);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_move_to(cr, x - e.x_advance / 2, y);
  SetCol(cr, c, alpha);
  cairo_show_text(cr, text.c_str());
}

void DrawPlanet(cairo_t* cr, double x, double y, double r, Col light, Col dark, double ringtilt,
                double alpha) {
  auto ring = [&](bool back) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, ringtilt);
    cairo_scale(cr, 1, 0.28);
    if (back) {
      cairo_arc(cr, 0, 0, r * 1.7, M_PI, 2 * M_PI);
    } else {
      cairo_arc(cr, 0, 0, r * 1.7, 0, M_PI);
    }
    cairo_restore(cr);
    cairo_set_line_width(cr, r * 0.16);
    cairo_set_source_rgba(cr, 0.65, 0.85, 0.95, alpha * (back ? 0.45 : 0.8));
    cairo_stroke(cr);
  };
  ring(true);
  cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, r * 0.1, x, y, r);
  AddStop(p, 0, light, alpha);
  AddStop(p, 1, dark, alpha);
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  ring(false);
}

}  // namespace gp::assets
