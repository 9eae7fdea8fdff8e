// The launcher's four built-in ball pictures and the "launcher" generator:
// mainmenu.bmp, mainmenuhot.bmp and launchball1.bmp .. launchball4.bmp.
#include <algorithm>
#include <cmath>
#include <string>

#include "media/container_writer.h"
#include "tools/assets/launcher_art.h"

namespace gp::assets {

uint32_t LaunchBallColour(int player) {
  static const uint32_t kColours[kLaunchBalls] = {Rgb(234, 234, 234), Rgb(95, 44, 250),
                                                  Rgb(6, 245, 88), Rgb(250, 44, 44)};
  return kColours[std::clamp(player, 1, kLaunchBalls) - 1];
}

namespace {

// The main colour with each channel scaled by k (k > 1 lightens towards white).
uint32_t Tone(uint32_t c, double k) {
  auto ch = [&](int shift) {
    const double v = ((c >> shift) & 255) / 255.0;
    const double out = k <= 1 ? v * k : v + (1 - v) * (k - 1);
    return static_cast<int>(std::lround(std::clamp(out, 0.0, 1.0) * 255));
  };
  return Rgb(ch(0), ch(8), ch(16));
}

// The texel of a ball texture; every pattern repeats every 16 texels, so the
// texture wraps seamlessly as the ball rolls. Most texels keep the main colour.
uint32_t BallTexel(int player, int x, int y) {
  const uint32_t main = LaunchBallColour(player);
  switch (player) {
    case 1:  // the classic white ball: a hexagonal grid of dimples
      return (y % 4 == 0 && x % 4 == 0) || (y % 4 == 2 && x % 4 == 2) ? Tone(main, 0.86) : main;
    case 2:  // violet blue with a pale band round the middle and two stars
      if (y == 7 || y == 8) return Tone(main, 1.55);
      if ((x == 3 && y == 2) || (x == 11 && y == 12)) return Rgb(255, 246, 200);
      return main;
    case 3:  // green with darker diagonal stripes
      return (x + y) % 8 == 0 ? Tone(main, 0.62) : main;
    default:  // red with a white stripe and thin dark edges
      if (y == 7 || y == 8) return Rgb(250, 248, 240);
      if (y == 6 || y == 9) return Tone(main, 0.7);
      return main;
  }
}

}  // namespace

Picture LaunchBallPicture(int player) {
  Picture p;
  p.width = p.height = 16;
  p.pixels.resize(256);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x)
      p.pixels[static_cast<size_t>(y) * 16 + x] = BallTexel(player, x, y);
  }
  return p;
}

namespace {

void RunLauncher(const Context& ctx) {
  const MenuPictures menu = MakeMenuPictures();
  WriteDataFile(ctx, "mainmenu.bmp", EncodeBitmap8(kMenuW, kMenuH, menu.normal, menu.palette));
  WriteDataFile(ctx, "mainmenuhot.bmp", EncodeBitmap8(kMenuW, kMenuH, menu.hot, menu.palette));
  if (Dumping()) {
    for (int k = 0; k < 2; ++k) {
      Picture p{kMenuW, kMenuH, {}};
      for (uint8_t i : k == 0 ? menu.normal : menu.hot) {
        p.pixels.push_back(
            Rgb(menu.palette[i * 3], menu.palette[i * 3 + 1], menu.palette[i * 3 + 2]));
      }
      DumpPicture(k == 0 ? "launcher_mainmenu" : "launcher_mainmenuhot", p, 2);
    }
  }
  for (int player = 1; player <= kLaunchBalls; ++player) {
    const Picture ball = LaunchBallPicture(player);
    DumpPicture("launcher_ball" + std::to_string(player), ball, 8);
    WriteDataFile(ctx, "launchball" + std::to_string(player) + ".bmp", EncodeBitmap(ball));
  }
}

Registrar kLauncherBallsGenerator{{"launcher", RunLauncher}};

}  // namespace

}  // namespace gp::assets
