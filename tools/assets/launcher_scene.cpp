#include "tools/assets/launcher_scene.h"

#include <algorithm>
#include <cmath>

#include "tools/assets/launcher_art.h"
#include "tools/assets/menu_art.h"

namespace gp::assets {

namespace {

constexpr double kTwoPi = 2 * M_PI;
constexpr uint32_t kSeed = 6409;

// Where the green floats and where its flag pole stands (scene pixels).
constexpr int kGreenX = 28, kGreenY = 330, kSceneGreenW = 190, kSceneGreenH = 130;
constexpr double kPoleX = 158.5, kPoleY = 392;
// The warp's vanishing point.
constexpr double kWarpX = 320, kWarpY = 240;

// ---- Small pixel helpers on 0x00BBGGRR pictures -------------------------------

int Ch(uint32_t c, int k) {
  return static_cast<int>((c >> (8 * k)) & 255);
}

// Adds colour c times amount (0..1, or more for over-bright cores) at (x, y).
void AddAt(Picture& p, int x, int y, Col c, double amount) {
  if (x < 0 || y < 0 || x >= p.width || y >= p.height || amount <= 0) return;
  uint32_t& d = p.pixels[static_cast<size_t>(y) * p.width + x];
  const double add[3] = {c.r * amount, c.g * amount, c.b * amount};
  uint32_t out = 0;
  for (int k = 0; k < 3; ++k) {
    const int v = Ch(d, k) + static_cast<int>(std::lround(add[k] * 255));
    out |= static_cast<uint32_t>(std::min(v, 255)) << (8 * k);
  }
  d = out;
}

// A soft round dot of the given radius at a sub-pixel position, added.
void AddDot(Picture& p, double x, double y, double radius, Col c, double amount) {
  const int r = static_cast<int>(std::ceil(radius * 2));
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  for (int j = -r; j <= r; ++j) {
    for (int i = -r; i <= r; ++i) {
      const double dx = cx + i + 0.5 - x, dy = cy + j + 0.5 - y;
      const double d2 = (dx * dx + dy * dy) / (radius * radius);
      if (d2 < 4) AddAt(p, cx + i, cy + j, c, amount * std::exp(-1.6 * d2));
    }
  }
}

// An anti-aliased streak from (x0, y0) (amount a0) to (x1, y1) (amount a1), added.
void AddStreak(Picture& p, double x0, double y0, double x1, double y1, Col c, double a0,
               double a1) {
  const double len = std::hypot(x1 - x0, y1 - y0);
  const int steps = std::max(1, static_cast<int>(std::ceil(len * 1.5)));  // 2 / 3 px apart
  for (int s = 0; s <= steps; ++s) {
    const double t = static_cast<double>(s) / steps;
    const double x = x0 + (x1 - x0) * t - 0.5, y = y0 + (y1 - y0) * t - 0.5;
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = x - ix, fy = y - iy, a = a0 + (a1 - a0) * t;
    AddAt(p, ix, iy, c, a * (1 - fx) * (1 - fy));
    AddAt(p, ix + 1, iy, c, a * fx * (1 - fy));
    AddAt(p, ix, iy + 1, c, a * (1 - fx) * fy);
    AddAt(p, ix + 1, iy + 1, c, a * fx * fy);
  }
}

// Draws a premultiplied sprite over the picture, shifted by (dx, dy).
void Over(Picture& p, const Sprite& s, int dx, int dy) {
  for (int y = 0; y < s.height; ++y) {
    const int py = s.y + dy + y;
    if (py < 0 || py >= p.height) continue;
    for (int x = 0; x < s.width; ++x) {
      const int px = s.x + dx + x;
      const uint32_t src = s.argb[static_cast<size_t>(y) * s.width + x];
      const int a = static_cast<int>(src >> 24);
      if (px < 0 || px >= p.width || a == 0) continue;
      uint32_t& d = p.pixels[static_cast<size_t>(py) * p.width + px];
      uint32_t out = 0;
      for (int k = 0; k < 3; ++k) {
        const int sv = Ch(src, 2 - k);  // ARGB holds red in bits 16..23
        out |= static_cast<uint32_t>(sv + (Ch(d, k) * (255 - a) + 127) / 255) << (8 * k);
      }
      d = out;
    }
  }
}

Sprite Capture(const Surface& s, int x, int y) {
  cairo_surface_flush(s.surface());
  Sprite out{x, y, s.width(), s.height(), {}};
  const unsigned char* data = cairo_image_surface_get_data(s.surface());
  const int stride = cairo_image_surface_get_stride(s.surface());
  for (int j = 0; j < s.height(); ++j) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(j) * stride);
    out.argb.insert(out.argb.end(), row, row + s.width());
  }
  return out;
}

double SceneSmooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// ---- The still backdrop ------------------------------------------------------

// Gradient and nebula per pixel: low-frequency noise only, so that the
// 8-bit frames keep long runs of one colour.
void Nebula(Surface& s) {
  cairo_surface_flush(s.surface());
  unsigned char* data = cairo_image_surface_get_data(s.surface());
  const int stride = cairo_image_surface_get_stride(s.surface());
  const Col top{0.012, 0.02, 0.07}, bottom{0.04, 0.025, 0.1};
  const Col violet{0.42, 0.16, 0.55}, teal{0.08, 0.36, 0.5}, rose{0.5, 0.14, 0.3};
  for (int y = 0; y < s.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < s.width(); ++x) {
      Col c = Mix(top, bottom, static_cast<double>(y) / s.height());
      const double n1 = 0.6 * SmoothNoise(x, y, 230, kSeed) +
                        0.3 * SmoothNoise(x, y, 95, kSeed + 1) +
                        0.1 * SmoothNoise(x, y, 40, kSeed + 2);
      const double n2 =
          0.65 * SmoothNoise(x, y, 260, kSeed + 3) + 0.35 * SmoothNoise(x, y, 70, kSeed + 4);
      const double a = std::pow(std::max(0.0, n1 - 0.45) * 1.7, 1.3);
      const double b = std::pow(std::max(0.0, n2 - 0.5) * 1.6, 1.2);
      const double band = std::exp(-std::pow((x * 0.45 - y + 140) / 120.0, 2));  // a milky band
      c = {c.r + violet.r * a + teal.r * b + rose.r * a * band * 0.5,
           c.g + violet.g * a + teal.g * b + rose.g * a * band * 0.5,
           c.b + violet.b * a + teal.b * b + rose.b * a * band * 0.5};
      auto v = [](double k) { return static_cast<uint32_t>(std::clamp(k, 0.0, 1.0) * 255 + 0.5); };
      row[x] = 0xFF000000u | v(c.r) << 16 | v(c.g) << 8 | v(c.b);
    }
  }
  cairo_surface_mark_dirty(s.surface());
}

// Stars that never move: faint pin-pricks and a few glowing ones.
void StillStars(cairo_t* cr) {
  Stars(cr, kSceneW, kSceneH, 900, kSeed + 10, 0.8);
  for (int i = 0; i < 46; ++i) {
    const double x = Noise(i, 21, kSeed) * kSceneW, y = Noise(i, 22, kSeed) * kSceneH;
    const double r = 1.2 + 2.0 * std::pow(Noise(i, 23, kSeed), 2);
    const double warm = Noise(i, 24, kSeed);
    const Col tint = warm > 0.75 ? Col{1, 0.86, 0.7} : warm < 0.3 ? Col{0.7, 0.8, 1} : Col{1, 1, 1};
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    AddStop(g, 0, tint, 0.95);
    AddStop(g, 0.35, tint, 0.4);
    AddStop(g, 1, tint, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, r, 0, kTwoPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
}

// A ringed planet in the top right.
void RingedPlanet(cairo_t* cr) {
  const double cx = 566, cy = 70, r = 30;
  auto ring = [&](bool front) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.4);
    cairo_scale(cr, 1, 0.26);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 1.8, front ? 0 : M_PI, front ? M_PI : kTwoPi);
    cairo_restore(cr);
    cairo_set_line_width(cr, 5);
    cairo_set_source_rgba(cr, 0.95, 0.8, 0.55, 0.55);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.4);
    cairo_scale(cr, 1, 0.26);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 1.55, front ? 0 : M_PI, front ? M_PI : kTwoPi);
    cairo_restore(cr);
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgba(cr, 1.0, 0.9, 0.7, 0.45);
    cairo_stroke(cr);
  };
  ring(false);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, kTwoPi);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - 11, cy - 11, 3, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.8, 0.5);
  cairo_pattern_add_color_stop_rgb(g, 0.65, 0.72, 0.4, 0.2);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.22, 0.1, 0.09);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  ring(true);
}

// A pale moon in the top left.
void Moon(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_arc(cr, 74, 58, 13, 0, kTwoPi);
  cairo_pattern_t* g = cairo_pattern_create_radial(69, 53, 1, 74, 58, 13);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.85, 0.9, 1.0);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.25, 0.3, 0.45);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// A big cold planet rising over the lower right edge, with its thin atmosphere.
void Horizon(cairo_t* cr) {
  const double cx = 640, cy = 700, r = 290;
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r + 10, 0, kTwoPi);
  cairo_pattern_t* halo = cairo_pattern_create_radial(cx, cy, r - 4, cx, cy, r + 12);
  cairo_pattern_add_color_stop_rgba(halo, 0, 0.4, 0.75, 1.0, 0.7);
  cairo_pattern_add_color_stop_rgba(halo, 1, 0.4, 0.75, 1.0, 0);
  cairo_set_source(cr, halo);
  cairo_fill(cr);
  cairo_pattern_destroy(halo);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, kTwoPi);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - 120, cy - 260, 10, cx, cy, r);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.3, 0.45, 0.75);
  cairo_pattern_add_color_stop_rgb(g, 0.6, 0.1, 0.16, 0.35);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.03, 0.04, 0.12);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void TitleText(cairo_t* cr, double alpha_glow) {
  BoldFace().Use(cr, 58);
  cairo_text_extents_t e;
  cairo_text_extents(cr, "GALAPUTT", &e);
  cairo_new_path(cr);
  cairo_move_to(cr, std::round(320 - e.x_advance / 2), 128);
  cairo_text_path(cr, "GALAPUTT");
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (alpha_glow > 0) {
    for (double w : {16.0, 9.0, 4.0}) {
      cairo_set_line_width(cr, w);
      cairo_set_source_rgba(cr, 0.2, 0.55, 1.0, alpha_glow);
      cairo_stroke_preserve(cr);
    }
    cairo_set_line_width(cr, 2.5);
    cairo_set_source_rgba(cr, 0.02, 0.06, 0.18, 0.9);
    cairo_stroke_preserve(cr);
  }
  VGradient(cr, 82, 128, Col{0.95, 0.98, 1}, Col{0.3, 0.62, 0.95});
  cairo_fill(cr);
}

void Subtitle(cairo_t* cr) {
  Text(cr, BoldFace(), 14, 320, 156, "MINI GOLF AMONG THE STARS", Col{0.6, 0.8, 0.95},
       Align::Centre);
  cairo_new_path(cr);
}

// The green's felt with fine noise and mowing stripes, lit from the upper
// left; the surface covers the green's sprite.
void SceneFelt(const Surface& s) {
  const double cx = 120, cy = 392, rx = 82, ry = 28;
  cairo_surface_flush(s.surface());
  unsigned char* data = cairo_image_surface_get_data(s.surface());
  const int stride = cairo_image_surface_get_stride(s.surface());
  for (int y = 0; y < kSceneGreenH; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < kSceneGreenW; ++x) {
      const double gx = x + kGreenX, gy = y + kGreenY;
      const double light = 1.05 - 0.25 * std::hypot((gx - cx + 30) / rx, (gy - cy + 12) / ry);
      const double stripe = ((static_cast<int>(gx - gy * 1.8) / 14) % 2) ? 0.06 : 0;
      const double k = light * (0.9 + stripe + 0.08 * SmoothNoise(gx, gy, 5, kSeed + 30));
      auto v = [](double q) { return static_cast<uint32_t>(std::clamp(q, 0.0, 1.0) * 255); };
      row[x] = 0xFF000000u | v(0.14 * k) << 16 | v(0.66 * k) << 8 | v(0.4 * k);
    }
  }
  cairo_surface_mark_dirty(s.surface());
}

// The floating green: an island of felt on a rock, a cup and a ball; the flag
// is drawn per frame.
Sprite GreenSprite() {
  Surface s(kSceneGreenW, kSceneGreenH);
  cairo_t* cr = s.cr();
  cairo_translate(cr, -kGreenX, -kGreenY);
  const double cx = 120, cy = 392, rx = 82, ry = 28;
  // Rock underneath, tapering down.
  cairo_move_to(cr, cx - rx, cy);
  cairo_curve_to(cr, cx - rx + 10, cy + 40, cx - 25, cy + 55, cx - 5, cy + 62);
  cairo_curve_to(cr, cx + 20, cy + 50, cx + rx - 8, cy + 35, cx + rx, cy);
  cairo_close_path(cr);
  VGradient(cr, cy, cy + 62, Col{0.45, 0.37, 0.5}, Col{0.08, 0.06, 0.14});
  cairo_fill(cr);
  const Surface felt(kSceneGreenW, kSceneGreenH);
  SceneFelt(felt);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, kTwoPi);
  cairo_restore(cr);
  cairo_set_source_surface(cr, felt.surface(), kGreenX, kGreenY);
  cairo_fill_preserve(cr);
  cairo_set_source_rgba(cr, 0.6, 1.0, 0.8, 0.5);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // The cup under the flag, and a ball.
  cairo_save(cr);
  cairo_translate(cr, kPoleX, kPoleY + 1);
  cairo_scale(cr, 5, 2.2);
  cairo_arc(cr, 0, 0, 1, 0, kTwoPi);
  cairo_restore(cr);
  cairo_set_source_rgb(cr, 0.02, 0.05, 0.04);
  cairo_fill(cr);
  cairo_arc(cr, 88, 398, 3.2, 0, kTwoPi);
  cairo_pattern_t* ball = cairo_pattern_create_radial(87, 397, 0.5, 88, 398, 3.2);
  cairo_pattern_add_color_stop_rgb(ball, 0, 1, 1, 1);
  cairo_pattern_add_color_stop_rgb(ball, 1, 0.6, 0.65, 0.75);
  cairo_set_source(cr, ball);
  cairo_fill(cr);
  cairo_pattern_destroy(ball);
  return Capture(s, kGreenX, kGreenY);
}

}  // namespace

LauncherScene::LauncherScene(int loopframes) : loopframes_(loopframes) {
  Surface s(kSceneW, kSceneH);
  cairo_t* cr = s.cr();
  Nebula(s);
  StillStars(cr);
  RingedPlanet(cr);
  Moon(cr);
  Horizon(cr);
  TitleText(cr, 0.12);
  Subtitle(cr);
  backdrop_ = ToPicture(s, KeyMode::Opaque);
  green_ = GreenSprite();
  // The title's letters alone, for the glint.
  Surface mask(kSceneW, kSceneH);
  TitleText(mask.cr(), 0);
  const Picture m = ToPicture(mask, KeyMode::Opaque);
  titlex_ = 140, titley_ = 70, titlew_ = 360, titleh_ = 70;
  titlemask_.resize(static_cast<size_t>(titlew_) * titleh_);
  for (int y = 0; y < titleh_; ++y) {
    for (int x = 0; x < titlew_; ++x)
      titlemask_[static_cast<size_t>(y) * titlew_ + x] =
          static_cast<uint8_t>(Ch(m.at(titlex_ + x, titley_ + y), 0));
  }
}

void LauncherScene::AddStars(Picture& p, double phase) const {
  // Dust stars drift slowly left, each fading in and out over its own part of
  // the loop, so that the loop closes without a jump.
  for (int i = 0; i < 64; ++i) {
    const double u = std::fmod(phase + Noise(i, 41, kSeed), 1.0);
    const double x = Noise(i, 42, kSeed) * (kSceneW + 20) - 14 * u;
    const double y = Noise(i, 43, kSeed) * kSceneH;
    const double amount = std::pow(std::sin(M_PI * u), 2) * (0.45 + 0.45 * Noise(i, 44, kSeed));
    AddDot(p, x, y, 0.55 + 0.35 * Noise(i, 45, kSeed), Col{0.85, 0.92, 1.0}, amount);
  }
  // Bright stars that twinkle, with cross spikes.
  static const double kTwinkle[][2] = {{38, 190},  {606, 212}, {468, 30},  {250, 40}, {96, 290},
                                       {590, 330}, {24, 470},  {356, 452}, {540, 150}};
  for (size_t i = 0; i < std::size(kTwinkle); ++i) {
    const double x = kTwinkle[i][0], y = kTwinkle[i][1];
    const double k = 0.5 + 0.5 * std::sin(kTwoPi * ((1 + i % 2) * phase + Noise(i, 46, kSeed)));
    const Col tint = i % 3 == 0 ? Col{1, 0.9, 0.75} : Col{0.8, 0.9, 1};
    AddDot(p, x, y, 1.0, tint, 0.5 + 0.5 * k);
    const double len = 3 + 7 * k;
    AddStreak(p, x, y, x - len, y, tint, 0.35 * k, 0);
    AddStreak(p, x, y, x + len, y, tint, 0.35 * k, 0);
    AddStreak(p, x, y, x, y - len, tint, 0.35 * k, 0);
    AddStreak(p, x, y, x, y + len, tint, 0.35 * k, 0);
  }
}

void LauncherScene::AddGreen(Picture& p, double phase) const {
  const int dy = static_cast<int>(std::lround(2.0 * std::sin(kTwoPi * phase)));
  Over(p, green_, 0, dy);
  // The flag: a pole and a cloth that ripples twice per loop.
  Surface s(40, 40);
  cairo_t* cr = s.cr();
  const double ox = kPoleX - 10, oy = kPoleY + dy - 34;  // surface origin in the scene
  cairo_translate(cr, -ox, -oy);
  cairo_move_to(cr, kPoleX, kPoleY + dy);
  cairo_line_to(cr, kPoleX, kPoleY + dy - 30);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgb(cr, 0.9, 0.92, 0.96);
  cairo_stroke(cr);
  const double top = kPoleY + dy - 30;
  auto wave = [&](double t) { return 1.4 * std::sin(kTwoPi * (2 * phase - t * 0.8)) * t; };
  cairo_move_to(cr, kPoleX + 0.5, top);
  for (int k = 1; k <= 8; ++k)
    cairo_line_to(cr, kPoleX + 0.5 + k * 2, top + wave(k / 8.0) + k * 0.2);
  for (int k = 8; k >= 0; --k)
    cairo_line_to(cr, kPoleX + 0.5 + k * 2, top + 10 + wave(k / 8.0) - k * 0.2);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 1.0, 0.36, 0.26);
  cairo_fill(cr);
  Over(p, Capture(s, static_cast<int>(ox), static_cast<int>(oy)), 0, 0);
}

void LauncherScene::AddShootingStar(Picture& p, double phase) const {
  const double t = (phase - 0.2) / 0.16;  // crosses in a sixth of the loop
  if (t <= 0 || t >= 1) return;
  const double x = 230 - 200 * t, y = 22 + 90 * t;
  const double fade = std::sin(M_PI * t);
  AddStreak(p, x + 40, y - 18, x, y, Col{0.8, 0.9, 1.0}, 0, 0.9 * fade);
  AddDot(p, x, y, 1.0, Col{1, 1, 1}, fade);
}

void LauncherScene::AddGlint(Picture& p, double phase) const {
  const double t = (phase - 0.55) / 0.3;
  if (t <= 0 || t >= 1) return;
  const double centre = -40 + (titlew_ + 80) * t;  // the band's middle at the title's top
  for (int y = 0; y < titleh_; ++y) {
    for (int x = 0; x < titlew_; ++x) {
      const int m = titlemask_[static_cast<size_t>(y) * titlew_ + x];
      if (m == 0) continue;
      const double d = std::fabs(x - centre + 0.5 * y) / 12;
      if (d < 1) AddAt(p, titlex_ + x, titley_ + y, Col{1, 0.95, 0.8}, 0.8 * (1 - d) * m / 255.0);
    }
  }
}

Picture LauncherScene::LoopFrame(int f) const {
  const double phase = static_cast<double>(f % loopframes_) / loopframes_;
  Picture p = backdrop_;
  AddStars(p, phase);
  AddShootingStar(p, phase);
  AddGlint(p, phase);
  AddGreen(p, phase);
  return p;
}

Picture LauncherScene::WarpFrame(int f, int frames) const {
  Picture p = LoopFrame(0);
  const double t = static_cast<double>(f) / (frames - 1);
  if (f <= 0 || f >= frames - 1) return p;
  const double speed = std::pow(std::sin(M_PI * t), 2);  // 0 at both ends
  // How far the stars have travelled so far: the integral of the speed.
  const double travel = t - std::sin(2 * M_PI * t) / (2 * M_PI);
  for (int i = 0; i < 60; ++i) {
    const double angle = kTwoPi * Noise(i, 51, kSeed);
    const double u = std::fmod(Noise(i, 52, kSeed) + 1.6 * travel, 1.0);
    const double r = 24 * std::exp(u * std::log(520.0 / 24));
    const double tail = r * (1 - std::exp(-0.32 * speed));
    const double a = std::min(1.0, 1.5 * speed) * SceneSmooth(u * 4) * (0.6 + 0.4 * Noise(i, 53, kSeed));
    const double c = std::cos(angle), s = std::sin(angle);
    const Col tint = i % 4 == 0 ? Col{0.7, 0.85, 1.0} : Col{0.95, 0.97, 1.0};
    AddStreak(p, kWarpX + c * (r - tail), kWarpY + s * (r - tail), kWarpX + c * r, kWarpY + s * r,
              tint, 0, a);
  }
  AddDot(p, kWarpX, kWarpY, 2 + 4 * speed, Col{0.75, 0.9, 1.0}, 1.2 * speed);
  return p;
}

}  // namespace gp::assets
