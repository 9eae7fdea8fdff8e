// The launcher's main-menu picture and its highlighted copy: a dark space
// window set into the light panel, a green planet to play on, three wings for
// training, setup and quit, and a ringed planet for the records, each drawn
// exactly on its hot spot.
#include <algorithm>
#include <cmath>

#include "tools/assets/launcher_art.h"
#include "tools/assets/menu_art.h"

namespace gp::assets {

const std::vector<MenuSpot>& MenuSpots() {
  static const std::vector<MenuSpot> spots = {
      {"PLAY", true, {115, 69, 182, 136}},
      {"TRAINING", false, {173, 71, 187, 88, 288, 88, 292, 79, 284, 72, 191, 69}},
      {"SETUP", false, {187, 91, 189, 109, 259, 109, 278, 99, 286, 91}},
      {"QUIT", false, {176, 131, 183, 122, 187, 113, 259, 111, 236, 121, 205, 128, 187, 131}},
      {"RECORDS", true, {312, 84, 377, 128}},
  };
  return spots;
}

bool InSpot(const MenuSpot& spot, double x, double y) {
  const std::vector<double>& p = spot.points;
  if (spot.ellipse) {
    const double rx = (p[2] - p[0]) / 2, ry = (p[3] - p[1]) / 2;
    const double dx = (x - p[0] - rx) / rx, dy = (y - p[1] - ry) / ry;
    return dx * dx + dy * dy < 1;
  }
  bool inside = false;  // even-odd: count edge crossings of a ray to the right
  const size_t n = p.size() / 2;
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const double xi = p[2 * i], yi = p[2 * i + 1], xj = p[2 * j], yj = p[2 * j + 1];
    if ((yi > y) != (yj > y) && x < xi + (xj - xi) * (y - yi) / (yj - yi)) inside = !inside;
  }
  return inside;
}

namespace {

void SpotPath(cairo_t* cr, const MenuSpot& spot) {
  const std::vector<double>& p = spot.points;
  cairo_new_path(cr);
  if (spot.ellipse) {
    cairo_save(cr);
    cairo_translate(cr, (p[0] + p[2]) / 2, (p[1] + p[3]) / 2);
    cairo_scale(cr, (p[2] - p[0]) / 2, (p[3] - p[1]) / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    return;
  }
  for (size_t i = 0; i < p.size(); i += 2) cairo_line_to(cr, p[i], p[i + 1]);
  cairo_close_path(cr);
}

// The space window: a recess in the panel with a shaded upper-left lip and a
// lit lower-right one, filled with deep space.
constexpr double kWinX = 28, kWinY = 22, kWinW = 365, kWinH = 120, kWinR = 10;

void SpaceWindow(cairo_t* cr) {
  cairo_set_source_rgb(cr, 224 / 255.0, 216 / 255.0, 207 / 255.0);
  cairo_paint(cr);
  RoundRect(cr, kWinX, kWinY, kWinW, kWinH, kWinR);
  cairo_pattern_t* lip = cairo_pattern_create_linear(kWinX, kWinY, kWinX + 30, kWinY + kWinH);
  cairo_pattern_add_color_stop_rgb(lip, 0, 0.45, 0.42, 0.40);
  cairo_pattern_add_color_stop_rgb(lip, 1, 1.0, 0.98, 0.95);
  cairo_set_source(cr, lip);
  cairo_fill(cr);
  cairo_pattern_destroy(lip);
  RoundRect(cr, kWinX + 1.5, kWinY + 1.5, kWinW - 3, kWinH - 3, kWinR - 1.5);
  cairo_save(cr);
  cairo_clip(cr);
  SpaceBackdrop(cr, kMenuW, kMenuH, 5301);
  // A soft inner shadow along the top and left edges.
  cairo_pattern_t* sh = cairo_pattern_create_linear(0, kWinY, 0, kWinY + 10);
  cairo_pattern_add_color_stop_rgba(sh, 0, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(sh, 1, 0, 0, 0, 0);
  cairo_set_source(cr, sh);
  cairo_paint(cr);
  cairo_pattern_destroy(sh);
  cairo_restore(cr);
}

// A bold caption; (x, y) is the middle of its baseline.
void Caption(cairo_t* cr, const char* text, double px, double x, double y, Col fill, Col edge,
             Col glow, double glowalpha) {
  BoldFace().Use(cr, px);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  cairo_new_path(cr);
  cairo_move_to(cr, std::round(x - e.x_advance / 2), y);
  cairo_text_path(cr, text);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (glowalpha > 0) {
    for (double w : {px * 0.4, px * 0.22}) {
      cairo_set_line_width(cr, w);
      SetCol(cr, glow, glowalpha);
      cairo_stroke_preserve(cr);
    }
  }
  cairo_set_line_width(cr, 2.2);
  SetCol(cr, edge, 0.85);
  cairo_stroke_preserve(cr);
  SetCol(cr, fill);
  cairo_fill(cr);
}

void MenuTitle(cairo_t* cr) {
  Caption(cr, "READY TO TEE OFF?", 15, 224, 46, Col{0.95, 1.0, 1.0}, Col{0.02, 0.08, 0.2},
          Col{0.25, 0.65, 1.0}, 0.16);
}

// A small green floating on the left, with a flag, its ball and the dotted
// path of a putt that curves over to the big planet.
void LeftGreen(cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, 66, 116);
  cairo_scale(cr, 1, 0.4);
  cairo_arc(cr, 0, 8, 25, 0, M_PI);
  VGradient(cr, 0, 40, Col{0.42, 0.36, 0.48}, Col{0.1, 0.08, 0.16});
  cairo_fill(cr);
  cairo_arc(cr, 0, 0, 26, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_radial(-8, -10, 3, 0, 0, 27);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.4, 0.9, 0.6);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.05, 0.42, 0.3);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_restore(cr);
  cairo_move_to(cr, 74.5, 116);
  cairo_line_to(cr, 74.5, 96);
  cairo_set_source_rgb(cr, 0.9, 0.92, 0.96);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_move_to(cr, 75, 96);
  cairo_line_to(cr, 84, 99);
  cairo_line_to(cr, 75, 102);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 1.0, 0.38, 0.28);
  cairo_fill(cr);
  // The putt: a dashed arc from the ball over to the planet.
  const double dash[] = {3.0, 2.5};
  cairo_move_to(cr, 57, 110);
  cairo_curve_to(cr, 70, 50, 105, 40, 122, 78);
  cairo_set_dash(cr, dash, 2, 0);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_pattern_t* trail = cairo_pattern_create_linear(57, 0, 122, 0);
  cairo_pattern_add_color_stop_rgba(trail, 0, 0.8, 0.95, 1.0, 0.25);
  cairo_pattern_add_color_stop_rgba(trail, 1, 0.8, 0.95, 1.0, 0.9);
  cairo_set_source(cr, trail);
  cairo_stroke(cr);
  cairo_pattern_destroy(trail);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_arc(cr, 55, 114, 2, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

// The records: a ringed amber planet on the right, brighter with a glowing
// ring and its caption lit.
void RecordsPlanet(cairo_t* cr, bool lit) {
  const MenuSpot& spot = MenuSpots()[4];
  const double cx = 344, cy = 106, r = 19;
  if (lit) {
    // A halo filling the spot, behind the planet.
    SpotPath(cr, spot);
    cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, r * 0.8, cx, cy, 34);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1.0, 0.85, 0.5, 0.55);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1.0, 0.7, 0.3, 0.05);
    cairo_set_source(cr, halo);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
  }
  auto ring = [&](bool front) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.35);
    cairo_scale(cr, 1, 0.28);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 1.75, front ? 0 : M_PI, front ? M_PI : 2 * M_PI);
    cairo_restore(cr);
    cairo_set_line_width(cr, lit ? 3.5 : 3);
    cairo_set_source_rgba(cr, lit ? 1.0 : 0.95, lit ? 0.92 : 0.8, lit ? 0.7 : 0.55,
                          lit ? 0.95 : 0.75);
    cairo_stroke(cr);
  };
  ring(false);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - 7, cy - 7, 2, cx, cy, r);
  const double gain = lit ? 1.25 : 1.0;
  cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.78 * gain, 0.45 * gain);
  cairo_pattern_add_color_stop_rgb(g, 0.7, 0.75 * gain, 0.42 * gain, 0.2 * gain);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.3 * gain, 0.14 * gain, 0.1 * gain);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  ring(true);
  if (lit) {
    Caption(cr, spot.label, 11, cx, cy + 4, Col{1.0, 1.0, 0.88}, Col{0.15, 0.07, 0.02},
            Col{1.0, 0.85, 0.35}, 0.55);
  } else {
    Caption(cr, spot.label, 11, cx, cy + 4, Col{1.0, 0.95, 0.85}, Col{0.12, 0.05, 0.02}, Col{}, 0);
  }
}

// Pixels computed by `f(x, y)` (premultiplied ARGB) over a whole surface.
template <typename F>
void FillPixels(Surface& s, F f) {
  cairo_surface_flush(s.surface());
  unsigned char* data = cairo_image_surface_get_data(s.surface());
  const int stride = cairo_image_surface_get_stride(s.surface());
  for (int y = 0; y < s.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < s.width(); ++x) row[x] = f(x, y);
  }
  cairo_surface_mark_dirty(s.surface());
}

uint32_t Argb(Col c) {
  auto v = [](double k) { return static_cast<uint32_t>(std::clamp(k, 0.0, 1.0) * 255 + 0.5); };
  return 0xFF000000u | v(c.r) << 16 | v(c.g) << 8 | v(c.b);
}

// The play planet: a ball of green felt lit from the upper left, a cup and a
// flag, and a thin atmosphere; brighter with a stronger rim when lit.
void PlayPlanet(cairo_t* cr, bool lit) {
  const MenuSpot& spot = MenuSpots()[0];
  const double cx = 148.5, cy = 102.5, r = 33.5;
  Surface felt(kMenuW, kMenuH);
  const double gain = lit ? 1.3 : 1.0;
  FillPixels(felt, [&](int x, int y) {
    const double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
    const double z = std::sqrt(std::max(0.0, 1 - dx * dx - dy * dy));
    const double light = std::clamp(0.25 + 0.85 * (-0.5 * dx - 0.55 * dy + 0.67 * z), 0.08, 1.15);
    const double n = 0.8 * SmoothNoise(x, y, 6, 77) + 0.2 * Noise(x, y, 78);
    const double band = 0.06 * std::sin((x + 0.5 - cx) * 0.55 + dy * 3);  // mowing stripes
    const double k = light * gain * (0.88 + 0.2 * n + band);
    return Argb(Col{0.12 * k, 0.62 * k, 0.32 * k});
  });
  SpotPath(cr, spot);
  cairo_set_source_surface(cr, felt.surface(), 0, 0);
  cairo_fill(cr);
  // The cup and the flag near the lit top.
  cairo_save(cr);
  cairo_translate(cr, 160, 82);
  cairo_scale(cr, 1, 0.55);
  cairo_arc(cr, 0, 0, 3.2, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.02, 0.06, 0.04);
  cairo_fill(cr);
  cairo_move_to(cr, 160.5, 82);
  cairo_line_to(cr, 162.5, 60);
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgb(cr, 0.92, 0.93, 0.97);
  cairo_stroke(cr);
  cairo_move_to(cr, 162.5, 60);
  cairo_line_to(cr, 173, 63.5);
  cairo_line_to(cr, 162, 67);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, lit ? 1.0 : 0.95, lit ? 0.5 : 0.35, 0.25);
  cairo_fill(cr);
  // Atmosphere: a rim glow inside the planet's edge.
  SpotPath(cr, spot);
  cairo_pattern_t* rim = cairo_pattern_create_radial(cx, cy, r * 0.7, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(rim, 0, 0.4, 1.0, 0.8, 0);
  cairo_pattern_add_color_stop_rgba(rim, 1, 0.55, 1.0, 0.9, lit ? 0.85 : 0.4);
  cairo_set_source(cr, rim);
  cairo_fill(cr);
  cairo_pattern_destroy(rim);
  if (lit) {
    Caption(cr, "PLAY", 16, cx, cy + 11, Col{1.0, 1.0, 0.85}, Col{0.05, 0.15, 0.05},
            Col{1.0, 0.9, 0.4}, 0.55);
  } else {
    Caption(cr, "PLAY", 16, cx, cy + 11, Col{0.92, 0.98, 0.92}, Col{0.02, 0.12, 0.05}, Col{0, 0, 0},
            0);
  }
}

// A wing: a glass plate in the spot's shape with a lit rim and its caption
// centred at (x, y).
void Wing(cairo_t* cr, const MenuSpot& spot, double x, double y, double px, bool lit) {
  SpotPath(cr, spot);
  cairo_pattern_t* g = cairo_pattern_create_linear(170, 0, 295, 0);
  if (lit) {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.3, 0.85, 0.95);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.12, 0.5, 0.78);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.06, 0.25, 0.55);
  } else {
    cairo_pattern_add_color_stop_rgba(g, 0, 0.12, 0.45, 0.62, 0.95);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 0.07, 0.2, 0.38, 0.92);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.04, 0.1, 0.22, 0.9);
  }
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  // A sheen over the upper half.
  double x0, y0, x1, y1;
  cairo_path_extents(cr, &x0, &y0, &x1, &y1);
  cairo_pattern_t* sheen = cairo_pattern_create_linear(0, y0, 0, (y0 + y1) / 2);
  cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, lit ? 0.3 : 0.14);
  cairo_pattern_add_color_stop_rgba(sheen, 1, 1, 1, 1, 0);
  cairo_set_source(cr, sheen);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(sheen);
  cairo_set_line_width(cr, 1.2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 0.55, 0.9, 1.0, 0.9);
  cairo_stroke(cr);
  if (lit) {
    Caption(cr, spot.label, px, x, y, Col{1.0, 1.0, 0.88}, Col{0.02, 0.1, 0.2},
            Col{1.0, 0.85, 0.35}, 0.5);
  } else {
    Caption(cr, spot.label, px, x, y, Col{0.78, 0.9, 1.0}, Col{0.01, 0.05, 0.12}, Col{}, 0);
  }
}

void DrawMenu(cairo_t* cr, bool lit) {
  SpaceWindow(cr);
  MenuTitle(cr);
  LeftGreen(cr);
  RecordsPlanet(cr, lit);
  const std::vector<MenuSpot>& spots = MenuSpots();
  Wing(cr, spots[1], 236, 84, 12, lit);
  Wing(cr, spots[2], 227, 105, 12, lit);
  Wing(cr, spots[3], 208, 124, 11, lit);
  PlayPlanet(cr, lit);
}

// 1 where the highlight may change a pixel: the pixel and its eight
// neighbours lie in one spot, so a highlight clipped by any pixel rule of the
// region shows the same picture.
std::vector<uint8_t> DeepInside() {
  std::vector<uint8_t> mask(static_cast<size_t>(kMenuW) * kMenuH, 0);
  for (const MenuSpot& spot : MenuSpots()) {
    for (int y = 1; y + 1 < kMenuH; ++y) {
      for (int x = 1; x + 1 < kMenuW; ++x) {
        bool all = true;
        for (int k = 0; k < 9 && all; ++k)
          all = InSpot(spot, x + 0.5 + k % 3 - 1, y + 0.5 + k / 3 - 1);
        if (all) mask[static_cast<size_t>(y) * kMenuW + x] = 1;
      }
    }
  }
  return mask;
}

}  // namespace

MenuPictures MakeMenuPictures() {
  Surface normal(kMenuW, kMenuH), lit(kMenuW, kMenuH);
  DrawMenu(normal.cr(), false);
  DrawMenu(lit.cr(), true);
  const Picture base = ToPicture(normal, KeyMode::Opaque);
  Picture hot = ToPicture(lit, KeyMode::Opaque);
  const std::vector<uint8_t> mask = DeepInside();
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == 0) hot.pixels[i] = base.pixels[i];
  }
  MenuPictures out;
  out.palette = MakePalette({&base.pixels, &hot.pixels}, {kPanelColour});
  PaletteMap map(out.palette);
  out.normal = map.Map(base.pixels);
  out.hot = map.Map(hot.pixels);
  return out;
}

}  // namespace gp::assets
