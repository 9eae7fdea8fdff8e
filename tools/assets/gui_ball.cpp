// Balls: the 16 x 16 textures (they wrap around as the ball rolls, so every
// texture tiles), the shading and darkening subtracted over a ball, and its
// soft ground shadow. Also the "textures" generator: textures/*.bmp.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "media/container_writer.h"
#include "tools/assets/gui_art.h"

namespace gp::assets {

namespace {

// Where a ball pixel is drawn: the game's sphere mask exceeds 128 there.
bool InBall(int x, int y) {
  static const int kHalfWidth[16] = {0, 2, 4, 5, 6, 6, 7, 7, 7, 7, 6, 6, 5, 4, 2, 0};
  const int hw = kHalfWidth[y];
  return x >= 8 - hw && x <= 7 + hw;
}

// A smooth field that repeats every 16 texels in both directions.
double Wave(double x, double y, uint32_t seed) {
  double v = 0;
  for (int k = 0; k < 4; ++k) {
    const int m = 1 + static_cast<int>(Noise(k, 1, seed) * 2.99);
    const int n = static_cast<int>(Noise(k, 2, seed) * 2.99) - 1;
    const double ph = Noise(k, 3, seed) * 2 * M_PI;
    v += std::sin(2 * M_PI * (m * x + n * y) / 16 + ph) / (k + 1);
  }
  return 0.5 + v / 4.2;
}

// Darkening 0..1 of a few small craters, placed on the wrapping 16 x 16 grid.
double Craters(int x, int y, uint32_t seed) {
  double dark = 0;
  for (int k = 0; k < 5; ++k) {
    const double cx = Noise(k, 5, seed) * 16, cy = Noise(k, 6, seed) * 16;
    const double r = 1.2 + 1.3 * Noise(k, 7, seed);
    double dx = std::fabs(x + 0.5 - cx), dy = std::fabs(y + 0.5 - cy);
    dx = std::min(dx, 16 - dx);
    dy = std::min(dy, 16 - dy);
    const double d = std::hypot(dx, dy);
    if (d < r) dark = std::max(dark, d > r - 0.8 ? 0.15 : 0.4);  // rim lighter than the floor
  }
  return dark;
}

uint32_t Pack(double r, double g, double b) {
  auto c = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.04, 1.0) * 255)); };
  return Rgb(c(r), c(g), c(b));
}

uint32_t Texel(int index, int x, int y) {
  const double n = Noise(x, y, 900 + index);
  const double w = Wave(x, y, 40 + index);
  switch (index) {
    case 0: {  // classic: white with dimples and a blue band
      if (y == 7 || y == 8) return Pack(0.2, 0.45, 0.95);
      const double d = (x + y) % 3 == 0 ? 0.9 : 1.0;
      return Pack(0.96 * d, 0.97 * d, 1.0 * d);
    }
    case 1:  // ember: orange with glowing darker blotches
      return Pack(1.0 - 0.35 * w, 0.55 - 0.3 * w + 0.1 * n, 0.15);
    case 2: {  // aqua: cyan with white diagonal stripes
      const bool stripe = (x + y) % 8 < 2;
      return stripe ? Pack(0.95, 1.0, 1.0) : Pack(0.1, 0.75 + 0.1 * n, 0.9);
    }
    case 3: {  // violet with stars
      const bool star = n > 0.93;
      return star ? Pack(1.0, 0.95, 0.8) : Pack(0.5 + 0.2 * w, 0.25, 0.85);
    }
    case 4: {  // earth: oceans, land and a little ice
      if (y == 0 || y == 15) return Pack(0.92, 0.95, 1.0);
      if (w > 0.56) return Pack(0.25 + 0.3 * n, 0.6 - 0.15 * n, 0.2);
      return Pack(0.1, 0.3 + 0.1 * w, 0.8);
    }
    case 5: {  // mars: rust with dark craters
      const double crater = 1 - Craters(x, y, 71);
      return Pack((0.82 + 0.15 * n) * crater, (0.33 + 0.1 * w) * crater, 0.18 * crater);
    }
    case 6: {  // moon: grey with craters
      const double crater = 1 - Craters(x, y, 73);
      const double v = (0.7 + 0.15 * n) * crater;
      return Pack(v, v, v * 1.04);
    }
    case 7: {  // jupiter: bands with a red spot
      const double band =
          0.5 + 0.5 * std::sin(2 * M_PI * (y + 0.8 * std::sin(2 * M_PI * x / 16)) / 5.33);
      if ((x - 11) * (x - 11) + 2 * (y - 10) * (y - 10) < 5) return Pack(0.85, 0.35, 0.25);
      return Pack(0.92 - 0.25 * band, 0.8 - 0.3 * band, 0.6 - 0.3 * band);
    }
    case 8:  // neptune: deep blue with a pale band
      if (y >= 5 && y <= 6) return Pack(0.6, 0.8, 1.0);
      return Pack(0.15, 0.3 + 0.15 * w, 0.85 + 0.1 * n);
    default:  // sun: yellow granules
      return Pack(1.0, 0.7 + 0.25 * w, 0.2 + 0.25 * n * w);
  }
}

}  // namespace

const char* BallTextureName(int index) {
  static const char* const kNames[kBallTextures] = {
      "classic", "ember", "aqua", "violet", "earth", "mars", "moon", "jupiter", "neptune", "sun"};
  return kNames[index];
}

Picture BallTexture(int index) {
  Picture p;
  p.width = p.height = 16;
  p.pixels.resize(256);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) p.pixels[static_cast<size_t>(y) * 16 + x] = Texel(index, x, y);
  }
  return p;
}

namespace {
// A grey picture from an amount 0..1 per pixel, zero outside the ball.
Picture Grey(double (*amount)(double x, double y), bool ballonly) {
  Picture p;
  p.width = p.height = 16;
  p.pixels.resize(256);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (ballonly && !InBall(x, y)) continue;
      const int v =
          static_cast<int>(std::lround(std::clamp(amount(x + 0.5, y + 0.5), 0.0, 1.0) * 255));
      p.pixels[static_cast<size_t>(y) * 16 + x] = Rgb(v, v, v);
    }
  }
  return p;
}
}  // namespace

Picture BallShadingPicture() {
  // Light from the upper left: nothing at the highlight, most at the lower right rim.
  return Grey(
      [](double x, double y) {
        const double d = std::hypot(x - 5.2, y - 5.0) / 11.0;
        const double rim = std::max(0.0, std::hypot(x - 8, y - 8) - 5.5) * 0.18;
        return std::pow(std::max(0.0, d - 0.12), 1.3) * 1.25 + rim;
      },
      true);
}

Picture BallDarkeningPicture() {
  return Grey([](double x, double y) { return 0.62 + 0.05 * std::hypot(x - 8, y - 8) / 8; }, true);
}

Picture GroundShadowPicture() {
  return Grey(
      [](double x, double y) {
        const double d = std::hypot((x - 8) / 7.2, (y - 9) / 4.8);
        return d >= 1 ? 0.0 : 0.75 * (1 - d * d) * (1 - d * d);
      },
      false);
}

namespace {

void RunTextures(const Context& ctx) {
  const std::string dir = ctx.out + "textures";
  mkdir(dir.c_str(), 0755);
  for (int i = 0; i < kBallTextures; ++i) {
    const std::string name = std::string("textures/") + BallTextureName(i) + ".bmp";
    const std::vector<uint8_t> bytes = EncodeBitmap(BallTexture(i));
    std::ofstream f(ctx.out + name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + ctx.out + name);
    Progress(name);
  }
}

Registrar kGuiBallGenerator{{"textures", RunTextures}};

}  // namespace

}  // namespace gp::assets
