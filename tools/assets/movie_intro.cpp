// "intro.avi": a ball streaks through deep space while the view sinks onto a
// green floating among the stars; the ball lands, hops twice, rolls into the
// cup with a flash, and the title "Galaputt" rises above the green.
#include <cmath>
#include <vector>

#include "tools/assets/canvas.h"
#include "tools/assets/menu_art.h"
#include "tools/assets/movie_art.h"
#include "tools/assets/movie_scenes.h"
#include "tools/assets/movie_writer.h"

namespace gp::assets {

namespace {

// The world the view moves over: planets, rocks and the green near its
// bottom, in front of deep space that moves slower (further away).
constexpr int kWorldH = 960;
constexpr double kIslandX = 95, kIslandY = 580;  // the island's top-left in the world
constexpr double kCameraDrop = 420;            // how far the view sinks, pixels
constexpr double kSpaceDepth = 0.4;            // deep space moves this much of the view's way
constexpr double kBallR = 8;                   // the ball's radius on the green, pixels
constexpr int kNearStars = 16;
constexpr double kNearDepth = 1.5;  // near stars move this much faster than the view

struct Pt {
  double x = 0, y = 0;
};

double CameraY(double t) {
  return std::round(kCameraDrop * Smooth(Phase(t, 0, 3.6)));
}

Pt Lerp(Pt a, Pt b, double u) {
  return {a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u};
}

Pt Bezier(Pt a, Pt b, Pt c, Pt d, double u) {
  const double v = 1 - u;
  return {v * v * v * a.x + 3 * v * v * u * b.x + 3 * v * u * u * c.x + u * u * u * d.x,
          v * v * v * a.y + 3 * v * v * u * b.y + 3 * v * u * u * c.y + u * u * u * d.y};
}

const Pt kLanding{kIslandX + kTeeX + 26, kIslandY + kTeeY - 4};
const Pt kHopEnd{kLanding.x + 46, kLanding.y - 3};
const Pt kRollStart{kHopEnd.x + 20, kHopEnd.y - 1};
const Pt kCup{kIslandX + kCupX, kIslandY + kCupY};

// The ball at time t, in world pixels: its point on the ground, its height
// above it, its radius and how far it has rolled (turns).
struct BallState {
  Pt ground;
  double z = 0, r = kBallR, roll = 0, alpha = 1;
  bool flying = false;  // still in open space: no shadow below it
};

BallState BallAt(double t) {
  BallState b;
  if (t < intro::kLand) {
    // A long swoop in from the far top right, falling onto the green and
    // growing as it nears: its ground point curves in under it.
    const double u = Phase(t, intro::kFlight, intro::kLand);
    b.ground = Bezier({560, 330}, {150, 390}, {40, 680}, kLanding, u);
    b.z = 300 * std::pow(1 - u, 1.2);
    b.r = 2.5 + (kBallR - 2.5) * EaseOut(u);
    b.flying = u < 0.7;
    b.roll = u * 3;
  } else if (t < intro::kHop2) {
    const double u = Phase(t, intro::kLand, intro::kHop2);
    b.ground = Lerp(kLanding, kHopEnd, u);
    b.z = 26 * 4 * u * (1 - u);
    b.roll = 3 + u;
  } else if (t < intro::kRoll) {
    const double u = Phase(t, intro::kHop2, intro::kRoll);
    b.ground = Lerp(kHopEnd, kRollStart, u);
    b.z = 8 * 4 * u * (1 - u);
    b.roll = 4 + u * 0.4;
  } else if (t < intro::kSink) {
    const double u = Phase(t, intro::kRoll, intro::kSink);
    const double s = 1 - std::pow(1 - u, 1.6);
    b.ground = Lerp(kRollStart, kCup, s);
    b.roll =
        4.4 + s * std::hypot(kCup.x - kRollStart.x, kCup.y - kRollStart.y) / (2 * M_PI * kBallR);
  } else {
    // Dropping into the cup.
    const double u = Phase(t, intro::kSink, intro::kSink + 0.2);
    b.ground = {kCup.x, kCup.y + 9 * u};
    b.r = kBallR * (1 - 0.2 * u);
    b.alpha = 1 - 0.6 * u;
  }
  return b;
}

// Deep space behind everything, tall enough for its share of the view's drop.
int SpaceHeight() {
  return kMovieH + static_cast<int>(std::ceil(kCameraDrop * kSpaceDepth));
}

// The world picture (transparent between its things): a distant ringed planet,
// a small one, a few rocks and the green.
void DrawWorld(Surface& w) {
  cairo_t* cr = w.cr();
  DrawPlanet(cr, 520, 150, 34, Col{0.95, 0.7, 0.45}, Col{0.35, 0.12, 0.1}, -0.3);
  DrawPlanet(cr, 70, 470, 12, Col{0.6, 0.75, 1.0}, Col{0.1, 0.15, 0.35}, 0.4, 0.8);
  const Pt rocks[] = {{590, 520}, {40, 690}, {600, 860}, {300, 905}};
  for (int i = 0; i < 4; ++i) {
    const double r = 6 + 4 * Noise(i, 5, 99);
    cairo_save(cr);
    cairo_translate(cr, rocks[i].x, rocks[i].y);
    cairo_rotate(cr, Noise(i, 6, 99) * 6);
    cairo_move_to(cr, -r, 0);
    cairo_line_to(cr, -r * 0.4, -r * 0.8);
    cairo_line_to(cr, r * 0.7, -r * 0.6);
    cairo_line_to(cr, r, r * 0.3);
    cairo_line_to(cr, 0, r * 0.8);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(-r, -r, r, r);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.52, 0.55);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.15, 0.13, 0.18);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
  cairo_save(cr);
  cairo_translate(cr, kIslandX, kIslandY);
  DrawFloatingGreen(cr, 31);
  cairo_restore(cr);
}

// A few bright stars close to the eye: they show only while the view moves,
// sliding faster than it and drawn out into short streaks.
void NearStars(cairo_t* cr, double cam, double speed) {
  const double span = kMovieH + 40;
  const double seen = std::min(1.0, speed / 4);
  if (seen <= 0) return;
  for (int i = 0; i < kNearStars; ++i) {
    const double x = std::floor(Noise(i, 41, 7) * kMovieW) + 0.5;
    double y = Noise(i, 42, 7) * span - cam * kNearDepth;
    y = std::fmod(std::fmod(y, span) + span, span) - 20;
    const double b = (0.5 + 0.5 * Noise(i, 44, 7)) * seen;
    const double len = speed * kNearDepth * 0.6;
    cairo_pattern_t* p = cairo_pattern_create_linear(x, y - len, x, y + 1);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.7, 0.85, 1.0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.9, 0.95, 1.0, b);
    cairo_move_to(cr, x, y - len);
    cairo_line_to(cr, x, y + 0.5);
    cairo_set_line_width(cr, 1.6);
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    DrawSparkle(cr, x, y, 7 * b, b * 0.9);
  }
}

void IntroBall(cairo_t* cr, double t, double cam) {
  const BallState b = BallAt(t);
  const double sx = b.ground.x, sy = b.ground.y - cam;
  if (!b.flying && OnGreen(b.ground.x - kIslandX, b.ground.y - kIslandY) && t < intro::kSink) {
    DrawBallShadow(cr, sx, sy, b.r, b.z);
  }
  if (t < intro::kLand + 0.5) {  // the comet trail, fading after the landing
    constexpr int kTrail = 12;
    double xs[kTrail], ys[kTrail];
    for (int k = 0; k < kTrail; ++k) {
      const double tk = std::min(t, intro::kLand) - 0.04 * (kTrail - 1 - k);
      const BallState p = BallAt(std::max(tk, intro::kFlight));
      xs[k] = p.ground.x;
      ys[k] = p.ground.y - p.z - CameraY(t);
    }
    cairo_push_group(cr);
    DrawTrail(cr, xs, ys, kTrail, b.r * 1.4);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 1 - Phase(t, intro::kLand, intro::kLand + 0.5));
  }
  if (b.flying) {  // a halo while it is out in space
    DrawSparkle(cr, sx, sy - b.z, b.r * 5, 0.35);
  }
  if (t >= intro::kSink) {  // dropping: only what is inside the cup shows
    cairo_save(cr);
    cairo_translate(cr, kCup.x, kCup.y - cam);
    cairo_scale(cr, 1, 0.62);
    cairo_arc(cr, 0, 0.8, 9.5, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_clip(cr);
    DrawBall(cr, sx, sy - b.z, b.r, b.roll, b.alpha);
    cairo_restore(cr);
    return;
  }
  DrawBall(cr, sx, sy - b.z, b.r, b.roll, b.alpha);
}

// The flash of the ball dropping: a ring spreading over the felt and sparks.
void CupFlash(cairo_t* cr, double t, double cam) {
  const double u = Phase(t, intro::kSink + 0.1, intro::kSink + 0.9);
  if (u <= 0 || u >= 1) return;
  const double x = kCup.x, y = kCup.y - cam;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1, 0.55);
  cairo_arc(cr, 0, 0, 10 + 70 * EaseOut(u), 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_line_width(cr, 3 * (1 - u) + 0.5);
  cairo_set_source_rgba(cr, 0.6, 1.0, 0.9, 0.8 * (1 - u));
  cairo_stroke(cr);
  for (int i = 0; i < 9; ++i) {
    const double a = 2 * M_PI * (i + Noise(i, 3, 5) * 0.5) / 9;
    const double d = (20 + 50 * Noise(i, 4, 5)) * EaseOut(u);
    DrawSparkle(cr, x + d * std::cos(a), y - 20 * EaseOut(u) + d * 0.55 * std::sin(a),
                10 + 8 * Noise(i, 5, 5), 1 - u);
  }
}

void IntroTitle(cairo_t* cr, double t) {
  const double u = Smooth(Phase(t, intro::kTitle, intro::kTitle + 0.8));
  if (u > 0) {
    const double scale = 0.82 + 0.18 * EaseOut(u);
    const double glow = 0.75 + 0.25 * std::sin(2 * M_PI * (t - intro::kTitle) / 2.2);
    cairo_save(cr);
    cairo_translate(cr, kMovieW / 2.0, 98);
    cairo_scale(cr, scale, scale);
    DrawGlowTitle(cr, "Galaputt", 82, 0, 0, u, glow);
    cairo_restore(cr);
  }
  const double g = Phase(t, intro::kSubtitle + 0.5, intro::kSubtitle + 1.1);
  if (g > 0 && g < 1) {  // a star glint crossing the title
    DrawSparkle(cr, 160 + 330 * Smooth(g), 42 + 10 * std::sin(M_PI * g), 36, std::sin(M_PI * g));
  }
  DrawCentredText(cr, "MINI GOLF AMONG THE STARS", 19, kMovieW / 2.0, 452, Col{0.6, 0.82, 0.97},
                  Smooth(Phase(t, intro::kSubtitle, intro::kSubtitle + 0.6)));
}

void DrawIntroFrame(Surface& s, cairo_surface_t* space, cairo_surface_t* world, double t) {
  cairo_t* cr = s.cr();
  const double cam = CameraY(t);
  const double speed = cam - CameraY(t - 1.0 / kMovieFps);  // pixels this frame
  cairo_set_source_surface(cr, space, 0, -std::round(cam * kSpaceDepth));
  cairo_paint(cr);
  cairo_set_source_surface(cr, world, 0, -cam);
  cairo_paint(cr);
  NearStars(cr, cam, speed);
  const double flagx = kCup.x, flagy = kCup.y - cam;
  const bool sunk = t >= intro::kSink;
  if (sunk) IntroBall(cr, t, cam);  // in the cup: behind the flag
  DrawFlag(cr, flagx, flagy, t * 0.9);
  if (!sunk) IntroBall(cr, t, cam);
  CupFlash(cr, t, cam);
  IntroTitle(cr, t);
  const double black =
      std::max(1 - Phase(t, 0, 0.6), Smooth(Phase(t, intro::kFadeOut, intro::kEnd - 0.08)));
  cairo_set_source_rgba(cr, 0, 0, 0, black);
  cairo_paint(cr);
}

}  // namespace

void WriteIntroMovie(const std::string& path) {
  Surface space(kMovieW, SpaceHeight());
  SpaceBackdrop(space.cr(), kMovieW, SpaceHeight(), 4242);
  cairo_surface_flush(space.surface());
  Surface world(kMovieW, kWorldH);
  DrawWorld(world);
  cairo_surface_flush(world.surface());
  Surface s(kMovieW, kMovieH);
  MovieFormat format;
  format.width = kMovieW;
  format.height = kMovieH;
  format.fps = kMovieFps;
  format.quantiser = 5;
  format.keyinterval = 50;
  MovieWriter w(path, format, IntroSound());
  const int frames = static_cast<int>(std::lround(intro::kEnd * kMovieFps));
  for (int f = 0; f < frames; ++f) {
    DrawIntroFrame(s, space.surface(), world.surface(), static_cast<double>(f) / kMovieFps);
    cairo_surface_flush(s.surface());
    w.AddFrame(cairo_image_surface_get_data(s.surface()),
               cairo_image_surface_get_stride(s.surface()));
  }
  w.Finish();
}

}  // namespace gp::assets
