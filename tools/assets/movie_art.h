#pragma once
// Drawing shared by the intro movies and the exit picture: the floating green
// with its rail, cup and flag, the ball, glowing titles and timing curves.

#include <cairo.h>

#include <cstdint>
#include <string>

#include "tools/assets/art.h"

namespace gp::assets {

// 0..1 from a time within [t0, t1]; 0 before, 1 after.
double Phase(double t, double t0, double t1);
// Smooth step: ease in and out over 0..1.
double Smooth(double u);
// Ease out: fast start, gentle stop.
double EaseOut(double u);

// The floating green of the movies: a chamfered island of teal felt, about
// kGreenW x kGreenH pixels plus its side band, drawn with its top-left at the
// current origin. The cup lies at (kCupX, kCupY) on it.
constexpr double kGreenW = 450, kGreenH = 210, kGreenSide = 20;
constexpr double kCupX = 372, kCupY = 104;
constexpr double kTeeX = 78, kTeeY = 112;
// The island in its own coordinates, drawn once (felt noise is per pixel).
void DrawFloatingGreen(cairo_t* cr, uint32_t seed);
// True when (x, y) in the island's coordinates lies on its felt.
bool OnGreen(double x, double y);
// The flag on its pole standing in the cup at (x, y); `wave` in turns moves the cloth.
void DrawFlag(cairo_t* cr, double x, double y, double wave, double alpha = 1);

// The golf ball at (x, y), radius r; `roll` in turns turns its stripe; alpha fades it.
void DrawBall(cairo_t* cr, double x, double y, double r, double roll, double alpha = 1);
// The ball's soft shadow on the ground below it, `lift` pixels up.
void DrawBallShadow(cairo_t* cr, double x, double y, double r, double lift, double alpha = 1);
// A glowing comet trail behind the ball: points from oldest to newest.
void DrawTrail(cairo_t* cr, const double* xs, const double* ys, int count, double width);
// A four-pointed sparkle of light.
void DrawSparkle(cairo_t* cr, double x, double y, double size, double alpha);

// A bold title with a blue glow centred on x, baseline y, at `px` pixels;
// `glow` 0..1 scales the halo, `alpha` fades the whole title.
void DrawGlowTitle(cairo_t* cr, const std::string& text, double px, double x, double y,
                   double alpha, double glow);
// Plain centred text in the bold face.
void DrawCentredText(cairo_t* cr, const std::string& text, double px, double x, double y, Col c,
                     double alpha);

// A small ringed planet, for decoration.
void DrawPlanet(cairo_t* cr, double x, double y, double r, Col light, Col dark, double ringtilt,
                double alpha = 1);

}  // namespace gp::assets
