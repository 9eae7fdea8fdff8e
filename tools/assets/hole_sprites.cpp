#include "tools/assets/hole_sprites.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "tools/assets/canvas.h"
#include "tools/assets/hole_paint.h"

namespace gp::assets {

namespace {


ImageItem Blank() {
  Surface s(8, 8);
  return MakeItem("blank", ToPicture(s, KeyMode::Keyed));
}

// Rain streaks for storm floaters: image 5 is the fastest and longest.
ImageItem Rain(int index) {
  const double len = 10 + (16 - index) * 1.4;
  return Strip("rain", 24, 24, 1, KeyMode::Additive, [&](cairo_t* cr, int, double) {
    cairo_move_to(cr, 12 + len / 2.8, 12 - len / 2.8);
    cairo_line_to(cr, 12 - len / 2.8, 12 + len / 2.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgb(cr, 0.55, 0.65, 0.8);
    cairo_set_line_width(cr, index == 5 ? 1.6 : 1.1);
    cairo_stroke(cr);
  });
}

// The bonus pick-up: a spinning golden star over a glowing orb, 28 x 28.
ImageItem Bonus() {
  return Strip("bonus", 28, 28, 8, KeyMode::Keyed, [](cairo_t* cr, int, double t) {
    const double cx = 14, cy = 13, spin = t * 2 * M_PI / 5;
    cairo_arc(cr, cx, cy, 10, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 3, cy - 3, 1, cx, cy, 10);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 1, 0.8);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.8, 0.5, 0.05);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    const double squash = 0.35 + 0.65 * std::abs(std::cos(t * 2 * M_PI));
    for (int i = 0; i < 10; ++i) {
      const double a = spin + i * M_PI / 5 - M_PI / 2, r = i % 2 ? 3.2 : 7.5;
      const double x = cx + std::cos(a) * r * squash, y = cy + std::sin(a) * r;
      if (i == 0)
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 1, 0.97, 0.75);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 10, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.55, 0.32, 0.02);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
  });
}

// A soft light blob: subtracted it is a shadow, added it is a glow.
ImageItem SoftBlob(const std::string& name, int w, int h, int n, const Col& c) {
  return Strip(name, w, h, n, KeyMode::Additive, [&](cairo_t* cr, int k, double) {
    const double pulse = 0.9 + 0.1 * std::cos(k * 2 * M_PI / n);
    cairo_save(cr);
    cairo_translate(cr, w / 2.0, h / 2.0);
    cairo_scale(cr, w / 2.0, h / 2.0);
    Glow(cr, 0, 0, pulse, c, 0.95);
    cairo_restore(cr);
  });
}

// Bonus sparkle, 160 x 124, centred on the ball at (80, 62): a ring and stars.
ImageItem Sparkle() {
  return Strip("sparkle", 160, 124, 10, KeyMode::Additive, [](cairo_t* cr, int, double t) {
    const double cx = 80, cy = 62, fade = 1 - t;
    Glow(cr, cx, cy, 20 + 40 * t, C(255, 220, 120), fade);
    Glow(cr, cx, cy, 10 + 10 * t, C(255, 255, 230), fade);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, 0.6);
    cairo_arc(cr, 0, 0, 20 + 55 * t, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 0.9, 0.5, fade);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (int i = 0; i < 8; ++i) {
      const double a = i * M_PI / 4 + 0.3, r = 10 + 60 * t;
      const double x = cx + std::cos(a) * r, y = cy + std::sin(a) * r * 0.8 - 20 * t;
      const double s = 9 * fade + 2;
      cairo_move_to(cr, x - s, y);
      cairo_line_to(cr, x + s, y);
      cairo_move_to(cr, x, y - s);
      cairo_line_to(cr, x, y + s);
      cairo_set_source_rgba(cr, 1, 1, 0.85, fade);
      cairo_set_line_width(cr, 2.2);
      cairo_stroke(cr);
    }
  });
}

// Cannon muzzle flash, 64 x 48; the muzzle sits at the right-hand middle.
ImageItem Muzzle() {
  return Strip("muzzle", 64, 48, 6, KeyMode::Additive, [](cairo_t* cr, int, double t) {
    const double fade = 1 - t;
    Glow(cr, 44, 24, 22 + 10 * t, C(255, 200, 90), fade);
    Glow(cr, 30 - 10 * t, 26, 16 + 12 * t, C(255, 240, 200), fade);
    for (int i = 0; i < 5; ++i) {
      const double a = M_PI + (i - 2) * 0.35;
      cairo_move_to(cr, 46, 24);
      cairo_line_to(cr, 46 + std::cos(a) * (30 + 12 * t), 24 + std::sin(a) * (18 + 6 * t));
    }
    cairo_set_source_rgba(cr, 1, 0.85, 0.4, fade);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  });
}

// A cycling obstacle: an energy barrier between two posts, w x h, base along
// the bottom edge.
ImageItem Barrier(const std::string& name, int w, int h, const Col& c) {
  return Strip(name, w, h, 4, KeyMode::Keyed, [&](cairo_t* cr, int k, double) {
    const double base = h - 4;
    cairo_rectangle(cr, 6, base - h * 0.8 + 4, w - 12, h * 0.8 - 6);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, 0.75);
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {  // crackling bands
      const double y = base - 4 - ((i * 9 + k * 5) % int(h * 0.8 - 8));
      cairo_move_to(cr, 6, y);
      for (double x = 6; x < w - 6; x += 6)
        cairo_line_to(cr, x + 6, y + ((int(x) / 6 + k + i) % 2 ? 2 : -2));
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int side = 0; side < 2; ++side) {  // posts
      const double x = side ? w - 8 : 0;
      cairo_rectangle(cr, x, base - h * 0.85, 8, h * 0.85 + 4);
      cairo_pattern_t* g = cairo_pattern_create_linear(x, 0, x + 8, 0);
      cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 0.86, 0.9);
      cairo_pattern_add_color_stop_rgb(g, 1, 0.3, 0.32, 0.38);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      cairo_arc(cr, x + 4, base - h * 0.85 + 2, 4, 0, 2 * M_PI);
      cairo_set_source_rgb(cr, c.r * 0.5 + 0.5, c.g * 0.5 + 0.5, c.b * 0.5 + 0.5);
      cairo_fill(cr);
    }
  });
}

// The woken worker, 64 x 64: he jumps up out of a billowing dust cloud that
// hides the sleeping figure painted on the course beneath the sprite.
ImageItem WokenWorker() {
  return Strip("worker", 64, 64, 6, KeyMode::Keyed, [](cairo_t* cr, int k, double t) {
    static const double puffs[][3] = {{12, 50, 12}, {26, 54, 12}, {40, 52, 13}, {53, 48, 11},
                                      {18, 36, 12}, {46, 34, 12}, {14, 20, 10}, {48, 16, 10},
                                      {32, 44, 14}, {8, 36, 8},   {58, 32, 7}};
    for (const auto& p : puffs) {
      const double r = p[2] * (0.9 + 0.15 * std::sin(k * 1.3 + p[0]));
      cairo_arc(cr, p[0], p[1], r, 0, 2 * M_PI);
      cairo_pattern_t* g =
          cairo_pattern_create_radial(p[0] - r / 3, p[1] - r / 3, 1, p[0], p[1], r);
      cairo_pattern_add_color_stop_rgb(g, 0, 0.93, 0.9, 0.84);
      cairo_pattern_add_color_stop_rgb(g, 1, 0.68, 0.63, 0.56);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
    }
    const double y = 24 - std::sin(t * M_PI) * 10;
    cairo_rectangle(cr, 24, y, 16, 18);  // body in a high-visibility vest
    cairo_set_source_rgb(cr, 1, 0.55, 0.1);
    cairo_fill(cr);
    cairo_rectangle(cr, 24, y + 8, 16, 3);
    cairo_set_source_rgb(cr, 1, 1, 0.75);
    cairo_fill(cr);
    cairo_arc(cr, 32, y - 6, 7, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.88, 0.68, 0.52);
    cairo_fill(cr);
    cairo_arc(cr, 32, y - 8, 8, M_PI, 2 * M_PI);  // hard hat
    cairo_set_source_rgb(cr, 1, 0.85, 0.1);
    cairo_fill(cr);
    cairo_move_to(cr, 24, y + 4);  // waving arms
    cairo_line_to(cr, 14, y - 6 - 4 * (k % 2));
    cairo_move_to(cr, 40, y + 4);
    cairo_line_to(cr, 50, y - 6 - 4 * ((k + 1) % 2));
    cairo_set_source_rgb(cr, 1, 0.55, 0.1);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
  });
}

// A rubble puff (drawn additively): a grey-brown dust cloud, 40 x 40.
ImageItem Puff() {
  return Strip("puff", 40, 40, 6, KeyMode::Additive, [](cairo_t* cr, int, double t) {
    for (int i = 0; i < 5; ++i) {
      const double a = i * 1.3;
      Glow(cr, 20 + std::cos(a) * 10 * (0.4 + t), 24 + std::sin(a) * 6 * (0.4 + t) - 6 * t,
           8 + 10 * t, C(200, 180, 150), 0.8 * (1 - t));
    }
  });
}

// A looping decoration that rotates: a wind turbine of the space station.
ImageItem Turbine() {
  return Strip("turbine", 48, 64, 6, KeyMode::Keyed, [](cairo_t* cr, int k, double) {
    cairo_rectangle(cr, 22, 22, 4, 40);
    cairo_set_source_rgb(cr, 0.8, 0.82, 0.88);
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i) {
      const double a = k * M_PI / 9 + i * 2 * M_PI / 3;
      cairo_move_to(cr, 24, 20);
      cairo_line_to(cr, 24 + std::cos(a - 0.12) * 20, 20 + std::sin(a - 0.12) * 20);
      cairo_line_to(cr, 24 + std::cos(a + 0.12) * 20, 20 + std::sin(a + 0.12) * 20);
      cairo_close_path(cr);
    }
    cairo_set_source_rgb(cr, 0.92, 0.94, 0.98);
    cairo_fill(cr);
    cairo_arc(cr, 24, 20, 3.5, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.9, 0.3, 0.2);
    cairo_fill(cr);
  });
}

// A blinking antenna beacon, 32 x 56, base at the bottom middle.
ImageItem BeaconSprite(const Col& c) {
  return Strip("beacon", 32, 56, 8, KeyMode::Keyed, [&](cairo_t* cr, int k, double) {
    cairo_move_to(cr, 8, 54);
    cairo_line_to(cr, 16, 14);
    cairo_line_to(cr, 24, 54);
    cairo_set_source_rgb(cr, 0.7, 0.72, 0.8);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int y = 22; y < 54; y += 8) {
      cairo_move_to(cr, 16 - (y - 14) / 5.0, y);
      cairo_line_to(cr, 16 + (y - 14) / 5.0, y);
    }
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double on = k < 2 ? 1 : 0.25;
    Glow(cr, 16, 12, 12, c, 0.9 * on);
    cairo_arc(cr, 16, 12, 3, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.5 + 0.5 * on, 0.5 + 0.5 * on, 0.5 + 0.5 * on);
    cairo_fill(cr);
  });
}

// A hovering drone with a rotor, 44 x 44.
ImageItem Drone(const Col& c) {
  return Strip("drone", 44, 44, 6, KeyMode::Keyed, [&](cairo_t* cr, int k, double t) {
    const double y = 20 + 3 * std::sin(t * 2 * M_PI);
    cairo_save(cr);
    cairo_translate(cr, 22, 40);
    cairo_scale(cr, 1, 0.4);
    Glow(cr, 0, 0, 12, C(0, 0, 0), 0.6);
    cairo_restore(cr);
    cairo_arc(cr, 22, y, 9, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(19, y - 3, 1, 22, y, 9);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.95, 0.95, 1);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.35, 0.38, 0.48);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, 22, y, 3.5, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    cairo_fill(cr);
    const double s = std::cos(k * M_PI / 3) * 16;
    cairo_move_to(cr, 22 - s, y - 11);
    cairo_line_to(cr, 22 + s, y - 11);
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.95);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  });
}

// Spring animation: the plate bouncing up and down, 40 x 48; the spring's
// foot is at (20, 40).
ImageItem SpringAnim() {
  return Strip("spring", 40, 48, 6, KeyMode::Keyed, [](cairo_t* cr, int, double t) {
    const double ext = std::sin(t * M_PI) * 22 + 4;
    for (int i = 0; i < 5; ++i) {
      const double y = 40 - i * ext / 5;
      cairo_save(cr);
      cairo_translate(cr, 20, y);
      cairo_scale(cr, 1, 0.45);
      cairo_arc(cr, 0, 0, 9, 0, 2 * M_PI);
      cairo_restore(cr);
      cairo_set_source_rgb(cr, 0.85, 0.2 + i * 0.06, 0.15);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, 20, 40 - ext);
    cairo_scale(cr, 1, 0.5);
    cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 0.98, 0.8, 0.25);
    cairo_fill(cr);
  });
}

// Fan animation: spinning blades with gusts, 48 x 40; hub at (24, 24).
ImageItem FanAnim() {
  return Strip("fan", 48, 40, 6, KeyMode::Keyed, [](cairo_t* cr, int k, double) {
    cairo_save(cr);
    cairo_translate(cr, 24, 24);
    cairo_scale(cr, 1, 0.5);
    for (int i = 0; i < 5; ++i) {
      const double a = k * 0.42 + i * 2 * M_PI / 5;
      cairo_move_to(cr, 0, 0);
      cairo_line_to(cr, std::cos(a) * 14, std::sin(a) * 14);
      cairo_line_to(cr, std::cos(a + 0.5) * 13, std::sin(a + 0.5) * 13);
      cairo_close_path(cr);
    }
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 0.82, 0.85, 0.9);
    cairo_fill(cr);
    for (int i = 0; i < 3; ++i) {  // gusts
      const double x = 12 + i * 12, y = 12 - (k % 3) * 3 - i;
      cairo_move_to(cr, x, y + 6);
      cairo_curve_to(cr, x - 3, y + 3, x + 3, y, x, y - 4);
    }
    cairo_set_source_rgb(cr, 0.85, 0.95, 1);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
  });
}

// A small heap of tumbling stones (rubble picture), 32 x 24.
ImageItem Stones() {
  return Strip("stones", 32, 24, 4, KeyMode::Keyed, [](cairo_t* cr, int k, double) {
    for (int i = 0; i < 5; ++i) {
      const double x = 6 + i * 5 + (k + i) % 3, y = 20 - ((i * 7 + k * 3) % 9);
      cairo_arc(cr, x, y, 3 + (i % 2), 0, 2 * M_PI);
      cairo_set_source_rgb(cr, 0.5 + 0.06 * i, 0.45, 0.38);
      cairo_fill(cr);
    }
  });
}

std::vector<std::string> Words(const std::string& spec) {
  std::istringstream in(spec);
  std::vector<std::string> w;
  std::string s;
  while (in >> s) w.push_back(s);
  return w;
}

// Argument i of a picture spec: a size in pixels (1..1024) or an area number.
int Arg(const std::vector<std::string>& w, size_t i, int fallback) {
  if (i >= w.size()) return fallback;
  int v;
  if (!ParseHoleNumber(w[i], v) || v < 1 || v > 1024) {
    throw std::runtime_error("\"" + w[0] + "\": argument \"" + w[i] +
                             "\" is not a number from 1 to 1024");
  }
  return v;
}

}  // namespace

ImageItem Strip(const std::string& name, int w, int h, int n, KeyMode mode,
                const std::function<void(cairo_t*, int, double)>& draw) {
  Surface s(w * n, h);
  for (int k = 0; k < n; ++k) {
    cairo_save(s.cr());
    cairo_rectangle(s.cr(), k * w, 0, w, h);
    cairo_clip(s.cr());
    cairo_translate(s.cr(), k * w, 0);
    draw(s.cr(), k, double(k) / n);
    cairo_restore(s.cr());
  }
  return MakeItem(name, ToPicture(s, mode), w, h);
}

ImageItem MakeEruption() {
  // 56 x 160: a water column whose foot is at (27, 147) (the geyser's point).
  return Strip("eruption", 56, 160, 8, KeyMode::Additive, [](cairo_t* cr, int, double t) {
    const double height = 140 * std::sin(std::min(1.0, t * 1.6) * M_PI / 2) * (1 - 0.3 * t);
    const double fade = t < 0.7 ? 1 : (1 - t) / 0.3;
    for (int i = 0; i < 14; ++i) {
      const double k = i / 13.0, y = 147 - height * k, w = 6 + 10 * k;
      Glow(cr, 27 + std::sin(i * 1.7) * 3, y, w, C(170, 210, 255), 0.55 * fade);
    }
    Glow(cr, 27, 147, 20, C(220, 240, 255), 0.6 * fade);
  });
}

ImageItem MakeBlast() {
  // 110 x 130, centred on the mine at (55, 65): a green-white explosion.
  return Strip("blast", 110, 130, 8, KeyMode::Additive, [](cairo_t* cr, int, double t) {
    const double fade = 1 - t;
    Glow(cr, 55, 65 - 20 * t, 20 + 34 * t, C(255, 255, 210), fade);
    Glow(cr, 55, 60 - 25 * t, 30 + 22 * t, C(110, 230, 80), 0.8 * fade);
    for (int i = 0; i < 10; ++i) {
      const double a = i * M_PI / 5;
      cairo_move_to(cr, 55 + std::cos(a) * 10, 65 + std::sin(a) * 6);
      cairo_line_to(cr, 55 + std::cos(a) * (16 + 36 * t),
                    65 + std::sin(a) * (10 + 30 * t) - 12 * t);
    }
    cairo_set_source_rgba(cr, 1, 0.95, 0.6, fade);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  });
}

ImageItem MakeSplash(bool acid) {
  // 16 x 32; the water surface at row 25.
  const Col c = acid ? C(120, 240, 70) : C(120, 180, 255);
  return Strip("splash", 16, 32, 6, KeyMode::Additive, [&](cairo_t* cr, int, double t) {
    const double fade = 1 - t, h = 22 * std::sin((t + 0.15) * M_PI);
    for (int i = -1; i <= 1; ++i) {
      cairo_move_to(cr, 8 + i * 2, 26);
      cairo_curve_to(cr, 8 + i * 3, 26 - h * 0.6, 8 + i * 6, 26 - h, 8 + i * 7, 26 - h * 0.7);
    }
    cairo_set_source_rgba(cr, c.r, c.g, c.b, fade);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 8, 26);
    cairo_scale(cr, 1, 0.4);
    cairo_arc(cr, 0, 0, 3 + 4 * t, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8 * fade);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
  });
}

ImageItem MakeTeleportFlash() {
  // 34 x 40; the ball's centre at (17, 28): a beam and rings.
  return Strip("teleport", 34, 40, 6, KeyMode::Additive, [](cairo_t* cr, int, double t) {
    const double fade = 1 - t;
    cairo_rectangle(cr, 17 - 6 * fade - 1, 0, 12 * fade + 2, 36);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 36);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.3, 0.9, 1, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.6, 1, 1, 0.9 * fade);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    Glow(cr, 17, 28, 10 + 6 * t, C(200, 255, 255), fade);
    cairo_save(cr);
    cairo_translate(cr, 17, 33);
    cairo_scale(cr, 1, 0.4);
    cairo_arc(cr, 0, 0, 6 + 10 * t, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.7, 1, 1, fade);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  });
}

ImageItem MakeScuff(int orientation) {
  // 60 x 60 centred on the hit (30, 30): sparks along the wall's line.
  const double a = -orientation * 2 * M_PI / 256;
  return Strip("scuff", 60, 60, 4, KeyMode::Additive, [&](cairo_t* cr, int, double t) {
    const double fade = 1 - t, dx = std::cos(a), dy = std::sin(a);
    Glow(cr, 30, 30, 8 + 6 * t, C(255, 220, 160), 0.8 * fade);
    for (int i = 0; i < 6; ++i) {
      const double s = (i % 2 ? 1 : -1) * (6 + i * 3 + 10 * t);
      cairo_move_to(cr, 30 + dx * s * 0.4, 30 + dy * s * 0.4 - i % 3);
      cairo_line_to(cr, 30 + dx * s, 30 + dy * s - (i % 3) * (1 + 4 * t));
    }
    cairo_set_source_rgba(cr, 1, 0.9, 0.6, fade);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
  });
}

ImageItem MakeCover(const std::string& name, const Picture& course, int left, int top, int cx,
                    int cy, int r) {
  const int w = std::max(8, 2 * (cx - left)), h = std::max(8, cy - top + 30);
  Picture p;
  p.width = w;
  p.height = h;
  p.pixels.assign(static_cast<size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int gx = left + x, gy = top + y;
      if (gx < 0 || gy < 0 || gx >= course.width || gy >= course.height) continue;
      const double dx = gx - cx, dy = 2.0 * (gy - cy);
      // Keyed inside the opening and above its middle line; the front rim
      // and the ground in front of it cover a ball that drops in.
      if (dx * dx + dy * dy <= double(r) * r || gy < cy) continue;
      uint32_t c = course.at(gx, gy);
      if ((c & 0xF8) == 0 && (c & 0xFC00) == 0 && (c & 0xF80000) == 0) c = Rgb(8, 8, 8);
      p.pixels[static_cast<size_t>(y) * w + x] = c;
    }
  }
  return MakeItem(name, std::move(p));
}

ImageItem MakeHoleSprite(const HoleSource& h, const Picture& course, int index,
                         const std::string& spec) {
  const std::vector<std::string> w = Words(spec);
  const std::string g = w.empty() ? "blank" : w[0];
  const Col acc = SchemeOf(h.scheme).accent;
  if (g == "blank") return Blank();
  if (g == "rain") return Rain(index);
  if (g == "bonus") return Bonus();
  if (g == "bonusshadow") return SoftBlob("bonusshadow", 28, 16, 1, C(200, 200, 200));
  if (g == "sparkle") return Sparkle();
  if (g == "muzzle") return Muzzle();
  if (g == "glow") return SoftBlob("glow", Arg(w, 1, 96), Arg(w, 2, 64), 4, C(255, 236, 190));
  if (g == "warmglow")
    return SoftBlob("warmglow", Arg(w, 1, 56), Arg(w, 2, 64), 4, C(255, 150, 70));
  if (g == "barrier") return Barrier("barrier", Arg(w, 1, 64), Arg(w, 2, 48), acc);
  if (g == "worker") return WokenWorker();
  if (g == "puff") return Puff();
  if (g == "turbine") return Turbine();
  if (g == "beacon") return BeaconSprite(acc);
  if (g == "drone") return Drone(acc);
  if (g == "spring") return SpringAnim();
  if (g == "fan") return FanAnim();
  if (g == "stones") return Stones();
  if (g == "dust") return MakeDustMote(index);
  if (g == "shard") return MakeShard(index, acc);
  if (g == "bubble") return MakeBubble(index);
  if (g == "halo") return MakeHalo(Arg(w, 1, 96), Arg(w, 2, 64), acc);
  if (g == "cog") return MakeCog(acc);
  if (g == "pump") return MakePumpJack(acc);
  if (g == "dish") return MakeDish(acc);
  if (g == "buoy") return MakeBuoy(acc);
  if (g == "pipecover") {
    const Area* a = h.FindArea(Arg(w, 1, 0));
    if (!a || a->kind != kPipe) throw std::runtime_error(h.name + ": pipecover names no pipe area");
    return MakeCover("pipecover", course, a->p1, a->p2, a->x1, a->y1, std::max(8, a->r) + 2);
  }
  throw std::runtime_error(h.name + ": unknown picture \"" + g + "\" for item " +
                           std::to_string(index));
}

}  // namespace gp::assets
