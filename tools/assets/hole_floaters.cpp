// Floater pictures (items 5, 6 and 7 of holes whose name gives them a floater
// effect) and the soft halo that serves as both glow and shade.
#include <algorithm>
#include <cmath>

#include "tools/assets/hole_draw.h"
#include "tools/assets/hole_sprites.h"

namespace gp::assets {

namespace {


// Item 5 is the largest floater, 7 the smallest (0 = 5, 1 = 6, 2 = 7).
int Rank(int index) {
  return std::clamp(index - 5, 0, 2);
}

void SoftDot(cairo_t* cr, double x, double y, double r, const Col& c, double a) {
  draw::Radial(cr, x, y, r, c, a, 0);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

}  // namespace

// Dust motes drawn additively at full strength: a soft haze around a few
// bright grains that twinkle as the game steps their pattern now and then.
ImageItem MakeDustMote(int index) {
  const int size = 22 - 5 * Rank(index);
  const unsigned seed = 900u + index;
  return Strip("dust", size, size, 4, KeyMode::Additive, [=](cairo_t* cr, int k, double) {
    const double c = size / 2.0, twinkle = 0.6 + 0.4 * std::cos(k * M_PI / 2);
    SoftDot(cr, c, c, size * 0.5, C(200, 190, 160), 0.45 * twinkle);
    for (int i = 0; i < 4; ++i) {
      const double x = c + (Noise(i, 1, seed) - 0.5) * size * 0.45;
      const double y = c + (Noise(i, 2, seed) - 0.5) * size * 0.45;
      SoftDot(cr, x, y, 1.5 + size * 0.08, C(255, 246, 220), 0.9 * twinkle);
    }
  });
}

// Falling crystal shards, drawn colour-keyed: a faceted star-shard that
// tumbles through 16 patterns under a trail of fading sparks.
ImageItem MakeShard(int index, const Col& accent) {
  const int w = 20 - 4 * Rank(index), h = 32 - 7 * Rank(index);
  return Strip("shard", w, h, 16, KeyMode::Keyed, [=](cairo_t* cr, int k, double t) {
    const double cx = w / 2.0, len = w * 0.4, cy = h - len - 1;
    const Col spark = accent.Mix(C(255, 255, 255), 0.5);
    for (int i = 0; i < 4; ++i) {  // sparks above, smaller the further up
      const double s = 2.6 - 0.5 * i, y = cy - len - 3 - i * (cy - len) / 4.5;
      cairo_rectangle(cr, cx - s / 2 + ((i + k) % 2 ? 0.5 : -0.5), y - s / 2, s, s);
      SetCol(cr, i == 0 ? C(255, 255, 255) : spark, 1);
      cairo_fill(cr);
    }
    const double a = t * 2 * M_PI, squash = 0.5 + 0.5 * std::abs(std::cos(a));
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, std::sin(a) * 0.5);
    cairo_move_to(cr, 0, -len);
    cairo_line_to(cr, len * 0.7 * squash, 0);
    cairo_line_to(cr, 0, len);
    cairo_line_to(cr, -len * 0.7 * squash, 0);
    cairo_close_path(cr);
    const Col lit = accent.Mix(C(255, 255, 255), 0.7), dark = accent.Scale(0.6);
    draw::Linear(cr, -len, -len, len, len, k % 4 == 0 ? C(255, 255, 255) : lit, 1, dark, 1);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, -len);  // the lit facet
    cairo_line_to(cr, len * 0.7 * squash, 0);
    cairo_line_to(cr, 0, 0);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    cairo_fill(cr);
    cairo_restore(cr);
  });
}

// Rising bubbles, drawn additively at half strength: a thin rim, a bright
// highlight and a faint fill, wobbling through 8 patterns.
ImageItem MakeBubble(int index) {
  const int size = 40 - 11 * Rank(index);
  return Strip("bubble", size, size, 8, KeyMode::Additive, [=](cairo_t* cr, int, double t) {
    const double c = size / 2.0, r = size * 0.42, wob = 0.07 * std::sin(t * 2 * M_PI);
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_scale(cr, 1 + wob, 1 - wob);
    SoftDot(cr, 0, 0, r, C(90, 200, 255), 0.18);
    cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.6, 0.95, 1, 0.85);
    cairo_set_line_width(cr, std::max(1.0, size / 16.0));
    cairo_stroke(cr);
    cairo_arc(cr, 0, 0, r * 0.7, M_PI * 1.1, M_PI * 1.45);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, std::max(1.2, size / 12.0));
    cairo_stroke(cr);
    cairo_restore(cr);
  });
}

// A soft blob in the course's light colour, faint enough to serve both ways:
// added it is a lamp's halo, subtracted a gentle shade on the felt that never
// turns what lies under it black.
ImageItem MakeHalo(int w, int h, const Col& accent) {
  const Col c = accent.Mix(C(255, 250, 230), 0.45);
  return Strip("halo", w, h, 4, KeyMode::Additive, [=](cairo_t* cr, int k, double) {
    const double pulse = 0.92 + 0.08 * std::cos(k * M_PI / 2);
    cairo_save(cr);
    cairo_translate(cr, w / 2.0, h / 2.0);
    cairo_scale(cr, w / 2.0, h / 2.0);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, pulse);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, 0.24);
    cairo_pattern_add_color_stop_rgba(g, 0.55, c.r, c.g, c.b, 0.2);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, 0, 0, pulse, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
  });
}

}  // namespace gp::assets
