// "zorbel.avi": the maker's logo sting. A planet lights up in the dark, its
// ring sweeps round with a small moon at its head, "zorbel" writes itself
// letter by letter beside it with "games" underneath, a glint runs over the
// letters and the whole logo fades to black.
#include <cmath>
#include <string>

#include "tools/assets/canvas.h"
#include "tools/assets/font.h"
#include "tools/assets/movie_art.h"
#include "tools/assets/movie_scenes.h"
#include "tools/assets/movie_writer.h"

namespace gp::assets {

namespace {

constexpr double kPlanetR = 44;             // pixels
constexpr double kRingA = kPlanetR * 1.75;  // ring half-width, pixels
constexpr double kRingTilt = -0.35;         // radians
constexpr double kWordPx = 84, kGamesPx = 24;
const char* const kWord = "zorbel";
const char* const kGames = "games";
constexpr double kGamesSpacing = 9;  // extra pixels between the letters of "games"

struct Layout {
  double planetx, y;      // planet centre
  double wordx, wordy;    // left and baseline of "zorbel"
  double wordw;           // its width
  double gamesx, gamesy;  // left and baseline of "games"
};

double Advance(cairo_t* cr, double px, const std::string& text) {
  BoldFace().Use(cr, px);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.x_advance;
}

Layout Arrange(cairo_t* cr) {
  Layout l;
  l.wordw = Advance(cr, kWordPx, kWord);
  const double gap = 34;
  const double total = 2 * kRingA + gap + l.wordw;
  l.planetx = std::round(kMovieW / 2.0 - total / 2 + kRingA);
  l.y = kMovieH / 2.0 - 6;
  l.wordx = std::round(l.planetx + kRingA + gap);
  l.wordy = std::round(l.y + kWordPx * 0.2);
  l.gamesx = l.wordx + 4;
  l.gamesy = l.wordy + 38;
  return l;
}

// Draws the part of the tilted ring's ellipse whose angles lie in [a0, a1],
// limited to the back (far) or front (near) half.
void RingArc(cairo_t* cr, const Layout& l, double a0, double a1, bool back, double alpha) {
  const double lo = back ? M_PI : 0, hi = back ? 2 * M_PI : M_PI;
  for (double shift = 0; shift <= 2 * M_PI; shift += 2 * M_PI) {
    const double s = std::max(a0, lo + shift), e = std::min(a1, hi + shift);
    if (e <= s) continue;
    cairo_save(cr);
    cairo_translate(cr, l.planetx, l.y);
    cairo_rotate(cr, kRingTilt);
    cairo_scale(cr, 1, 0.3);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, kRingA, s, e);
    cairo_restore(cr);
    cairo_set_line_width(cr, 5);
    cairo_set_source_rgba(cr, 0.3, 0.85, 1.0, alpha * (back ? 0.25 : 0.35));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgba(cr, 0.75, 0.95, 1.0, alpha * (back ? 0.55 : 0.95));
    cairo_stroke(cr);
  }
}

void RingPoint(const Layout& l, double a, double& x, double& y) {
  const double ex = kRingA * std::cos(a), ey = 0.3 * kRingA * std::sin(a);
  x = l.planetx + ex * std::cos(kRingTilt) - ey * std::sin(kRingTilt);
  y = l.y + ex * std::sin(kRingTilt) + ey * std::cos(kRingTilt);
}

void Planet(cairo_t* cr, const Layout& l, double t) {
  const double grow = EaseOut(Phase(t, logo::kPlanet, logo::kPlanet + 0.6));
  if (grow <= 0) return;
  const double r = kPlanetR * grow;
  cairo_pattern_t* halo = cairo_pattern_create_radial(l.planetx, l.y, r, l.planetx, l.y, r * 1.6);
  cairo_pattern_add_color_stop_rgba(halo, 0, 0.3, 0.7, 1.0, 0.22);
  cairo_pattern_add_color_stop_rgba(halo, 1, 0.3, 0.7, 1.0, 0);
  cairo_set_source(cr, halo);
  cairo_arc(cr, l.planetx, l.y, r * 1.6, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(halo);
  cairo_pattern_t* body =
      cairo_pattern_create_radial(l.planetx - r * 0.45, l.y - r * 0.5, r * 0.05, l.planetx, l.y, r);
  cairo_pattern_add_color_stop_rgb(body, 0, 0.55, 1.0, 0.85);
  cairo_pattern_add_color_stop_rgb(body, 0.45, 0.12, 0.55, 0.6);
  cairo_pattern_add_color_stop_rgb(body, 1, 0.1, 0.08, 0.3);
  cairo_set_source(cr, body);
  cairo_arc(cr, l.planetx, l.y, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  // The flash of its lighting up.
  const double flash = Phase(t, logo::kPlanet, logo::kPlanet + 0.2) *
                       (1 - Phase(t, logo::kPlanet + 0.2, logo::kPlanet + 0.9));
  DrawSparkle(cr, l.planetx - r * 0.3, l.y - r * 0.35, 90 * flash + 10, flash);
}

void LogoRing(cairo_t* cr, const Layout& l, double t, bool back) {
  const double sweep = EaseOut(Phase(t, logo::kRing, logo::kRing + 1.0));
  if (sweep <= 0) return;
  const double a0 = M_PI * 0.5, a1 = a0 + 2 * M_PI * sweep;
  RingArc(cr, l, a0, a1, back, 1);
  // The moon at the head of the sweep, behind or in front of the planet.
  double x, y;
  RingPoint(l, a1, x, y);
  const double head = std::fmod(a1, 2 * M_PI);
  if ((head > M_PI) != back) return;
  DrawSparkle(cr, x, y, 22 * (1 - sweep) + 8, 0.9);
  DrawBall(cr, x, y, 4.5, 0, 1);
}

// The letters of "zorbel", each rising into place in turn, with a glow.
void Word(cairo_t* cr, const Layout& l, double t) {
  const std::string word = kWord;
  for (size_t i = 0; i < word.size(); ++i) {
    const double u = Smooth(Phase(t, logo::kLetters + 0.08 * i, logo::kLetters + 0.08 * i + 0.4));
    if (u <= 0) continue;
    const double x = l.wordx + Advance(cr, kWordPx, word.substr(0, i));
    const std::string letter = word.substr(i, 1);
    BoldFace().Use(cr, kWordPx);
    cairo_move_to(cr, x, l.wordy + 10 * (1 - u));
    cairo_text_path(cr, letter.c_str());
    for (int k = 3; k >= 1; --k) {
      cairo_set_line_width(cr, 7.0 * k);
      cairo_set_source_rgba(cr, 0.2, 0.6, 1.0, 0.07 * u);
      cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, l.wordy - kWordPx * 0.75, 0, l.wordy);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, u);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.45, 0.85, 1.0, u);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
}

void Games(cairo_t* cr, const Layout& l, double t) {
  const double u = Smooth(Phase(t, logo::kGames, logo::kGames + 0.5));
  if (u <= 0) return;
  BoldFace().Use(cr, kGamesPx);
  double x = l.gamesx;
  for (const char c : std::string(kGames)) {
    const char s[2] = {c, 0};
    cairo_move_to(cr, x, l.gamesy);
    cairo_set_source_rgba(cr, 0.55, 0.8, 0.95, u);
    cairo_show_text(cr, s);
    x += Advance(cr, kGamesPx, s) + kGamesSpacing;
  }
  // A thin rule that grows out to the right of "games".
  const double w = (l.wordx + l.wordw - x - 6) * u;
  cairo_rectangle(cr, x + 4, l.gamesy - 8, std::max(0.0, w), 1.5);
  cairo_pattern_t* p = cairo_pattern_create_linear(x + 4, 0, x + 4 + w, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.4, 0.8, 1, 0.8 * u);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.4, 0.8, 1, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// A bright band that slides over the word, added to what is there.
void Glint(cairo_t* cr, const Layout& l, double t) {
  const double u = Phase(t, logo::kGlint, logo::kGlint + 0.45);
  if (u <= 0 || u >= 1) return;
  const double cx = l.wordx - 40 + (l.wordw + 80) * u;
  cairo_save(cr);
  BoldFace().Use(cr, kWordPx);
  cairo_move_to(cr, l.wordx, l.wordy);
  cairo_text_path(cr, kWord);
  cairo_clip(cr);
  cairo_pattern_t* band = cairo_pattern_create_linear(cx - 30, l.wordy, cx + 30, l.wordy - 60);
  cairo_pattern_add_color_stop_rgba(band, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(band, 0.5, 1, 1, 1, 0.8);
  cairo_pattern_add_color_stop_rgba(band, 1, 1, 1, 1, 0);
  cairo_set_source(cr, band);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(band);
}

void DrawLogoFrame(Surface& s, const Layout& l, cairo_surface_t* dust, double t) {
  cairo_t* cr = s.cr();
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  cairo_set_source_surface(cr, dust, 0, 0);
  cairo_paint_with_alpha(cr, Smooth(Phase(t, 0, 1.2)));
  LogoRing(cr, l, t, true);
  Planet(cr, l, t);
  LogoRing(cr, l, t, false);
  Word(cr, l, t);
  Games(cr, l, t);
  Glint(cr, l, t);
  const double fade = Smooth(Phase(t, logo::kFadeOut, logo::kEnd - 0.08));
  cairo_set_source_rgba(cr, 0, 0, 0, fade);
  cairo_paint(cr);
}

}  // namespace

void WriteLogoMovie(const std::string& path) {
  Surface s(kMovieW, kMovieH);
  // Faint star dust behind the logo, darkest round the middle.
  Surface dust(kMovieW, kMovieH);
  Stars(dust.cr(), kMovieW, kMovieH, 260, 77, 0.35);
  cairo_pattern_t* vignette = cairo_pattern_create_radial(kMovieW / 2.0, kMovieH / 2.0, 60,
                                                          kMovieW / 2.0, kMovieH / 2.0, 360);
  cairo_pattern_add_color_stop_rgba(vignette, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(vignette, 1, 0, 0, 0, 0);
  cairo_set_operator(dust.cr(), CAIRO_OPERATOR_DEST_OUT);
  cairo_set_source(dust.cr(), vignette);
  cairo_paint(dust.cr());
  cairo_pattern_destroy(vignette);
  cairo_surface_flush(dust.surface());

  const Layout l = Arrange(s.cr());
  MovieFormat format;
  format.width = kMovieW;
  format.height = kMovieH;
  format.fps = kMovieFps;
  format.quantiser = 4;
  MovieWriter w(path, format, LogoSound());
  const int frames = static_cast<int>(std::lround(logo::kEnd * kMovieFps));
  for (int f = 0; f < frames; ++f) {
    DrawLogoFrame(s, l, dust.surface(), static_cast<double>(f) / kMovieFps);
    cairo_surface_flush(s.surface());
    w.AddFrame(cairo_image_surface_get_data(s.surface()),
               cairo_image_surface_get_stride(s.surface()));
  }
  w.Finish();
}

}  // namespace gp::assets
