// The "extro" generator: the exit picture "extro.bmp", 640 x 480 with a
// 256-colour palette. A farewell over the floating green: the title, thanks
// for playing, the ball resting by the flag.
#include <fstream>
#include <stdexcept>

#include "tools/assets/bitmap8.h"
#include "tools/assets/canvas.h"
#include "tools/assets/generator.h"
#include "tools/assets/menu_art.h"
#include "tools/assets/movie_art.h"

namespace gp::assets {

namespace {

constexpr int kExtroW = 640, kExtroH = 480;  // pixels
constexpr double kGreenLeft = (kExtroW - kGreenW) / 2, kGreenTop = 208;

Picture ExitPicture() {
  Surface s(kExtroW, kExtroH);
  cairo_t* cr = s.cr();
  SpaceBackdrop(cr, kExtroW, kExtroH, 5150);
  DrawPlanet(cr, 74, 62, 40, Col{0.95, 0.7, 0.45}, Col{0.35, 0.12, 0.1}, -0.3);
  DrawPlanet(cr, 590, 300, 14, Col{0.6, 0.75, 1.0}, Col{0.1, 0.15, 0.35}, 0.4, 0.8);
  DrawGlowTitle(cr, "Galaputt", 70, kExtroW / 2.0, 96, 1, 1);
  DrawCentredText(cr, "Thanks for playing!", 30, kExtroW / 2.0, 146, Col{1.0, 0.86, 0.5}, 1);
  DrawCentredText(cr, "SEE YOU AGAIN AMONG THE STARS", 13, kExtroW / 2.0, 174, Col{0.6, 0.82, 0.97},
                  0.9);
  cairo_save(cr);
  cairo_translate(cr, kGreenLeft, kGreenTop);
  DrawFloatingGreen(cr, 77);
  const double bx = kCupX - 34, by = kCupY + 10;
  DrawBallShadow(cr, bx, by, 8, 0);
  DrawBall(cr, bx, by, 8, 0.1);
  DrawFlag(cr, kCupX, kCupY, 0.3);
  cairo_restore(cr);
  DrawSparkle(cr, 520, 120, 30, 0.8);
  DrawSparkle(cr, 132, 180, 22, 0.6);
  DrawCentredText(cr, "zorbel games", 14, kExtroW / 2.0, 468, Col{0.5, 0.65, 0.8}, 0.9);
  return ToPicture(s, KeyMode::Opaque);
}

void RunExtro(const Context& ctx) {
  const Picture p = ExitPicture();
  DumpPicture("extro", p);
  WriteDataFile(ctx, "extro.bmp", EncodeBitmap8(Quantise(p)));
}

Registrar kMovieExtroGenerator{{"extro", RunExtro}};

}  // namespace

}  // namespace gp::assets
