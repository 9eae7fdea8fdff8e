// A preview of the HUD as the game draws it (panel, texts, aim, balls) over a
// starry course, for reviewing the interface art by eye. Only with
// GALAPUTT_ART_DUMP set; the game's own drawing code is the reference.
#include <algorithm>
#include <cmath>
#include <string>

#include "media/bitmap_text.h"
#include "media/rgb565.h"
#include "tools/assets/font.h"
#include "tools/assets/gui_art.h"

namespace gp::assets {

namespace {

enum class Blend { Keyed, Add, Sub };

void Blit(Picture& dst, const ImageItem& item, int pattern, int x, int y, Blend mode,
          int alpha = 255, int dw = 0, int dh = 0) {
  const int pw = item.patternwidth ? item.patternwidth : item.picture.width;
  const int ph = item.patternheight ? item.patternheight : item.picture.height;
  const int cols = item.picture.width / pw;
  const int sx0 = (pattern % cols) * pw, sy0 = (pattern / cols) * ph;
  if (dw == 0) dw = pw;
  if (dh == 0) dh = ph;
  for (int j = 0; j < dh; ++j) {
    for (int i = 0; i < dw; ++i) {
      const int tx = x + i, ty = y + j;
      if (tx < 0 || ty < 0 || tx >= dst.width || ty >= dst.height) continue;
      const uint32_t s = item.picture.at(sx0 + i * pw / dw, sy0 + j * ph / dh);
      if (s == 0) continue;
      uint32_t& d = dst.pixels[static_cast<size_t>(ty) * dst.width + tx];
      if (mode == Blend::Keyed) {
        d = s;
        continue;
      }
      uint32_t out = 0;
      for (int k = 0; k < 3; ++k) {
        const int a = Channel(d, k), b = Channel(s, k) * alpha / 255;
        const int v = mode == Blend::Add ? std::min(255, a + b) : std::max(0, a - b);
        out |= static_cast<uint32_t>(v) << (8 * k);
      }
      d = out;
    }
  }
}

void Small(Picture& dst, const ImageItem& font, const std::string& text, int x, int y) {
  const int patterns = font.picture.width / font.patternwidth;
  for (size_t k = 0; k < text.size(); ++k) {
    Blit(dst, font, TextGlyph(text[k], patterns), x + static_cast<int>(k + 1) * font.patternwidth,
         y, Blend::Keyed);
  }
}

void Digits(Picture& dst, const ImageItem& font, const std::string& text, int x, int y) {
  const std::string order = "0123456789o-";
  for (size_t k = 0; k < text.size(); ++k) {
    const size_t pos = order.find(text[k]);
    if (pos == std::string::npos) continue;
    Blit(dst, font, static_cast<int>(pos), x + static_cast<int>(k + 1) * (font.patternwidth + 1), y,
         Blend::Keyed);
  }
}

Picture Background(int w, int h) {
  Surface s(w, h);
  cairo_t* cr = s.cr();
  VGradient(cr, 0, h, Col{0.02, 0.03, 0.09}, Col{0.05, 0.02, 0.12});
  cairo_paint(cr);
  Stars(cr, w, h, w * h / 120, 5, 1.0);
  // A patch of green felt for the ball and the club.
  RoundRect(cr, 300, 150, 320, 230, 30);
  VGradient(cr, 150, 380, Col{0.1, 0.5, 0.45}, Col{0.05, 0.35, 0.3});
  cairo_fill(cr);
  return ToPicture(s, KeyMode::Opaque);
}

void Ball(Picture& dst, const std::vector<ImageItem>& gui, int player, int x, int y) {
  Blit(dst, gui[17], 0, x - 4, y - 6, Blend::Sub, 128);
  const ImageItem& tex = gui[static_cast<size_t>(10 + player)];
  static const int kHalf[16] = {0, 2, 4, 5, 6, 6, 7, 7, 7, 7, 6, 6, 5, 4, 2, 0};
  for (int r = 0; r < 16; ++r) {
    for (int i = 8 - kHalf[r]; i <= 7 + kHalf[r]; ++i) {
      dst.pixels[static_cast<size_t>(y - 8 + r) * dst.width + x - 8 + i] = tex.picture.at(i, r);
    }
  }
  Blit(dst, gui[15], 0, x - 8, y - 8, Blend::Sub, 128);
}

}  // namespace

void DumpHudPreview(const std::vector<ImageItem>& gui, const std::string& name) {
  Picture screen = Background(640, 400);
  Blit(screen, gui[1], 0, 4, 4, Blend::Keyed);
  Small(screen, gui[7], "1. PLAYER ONE (12)", 116, 31);
  Small(screen, gui[7], "3", 118, 48);
  Small(screen, gui[7], "4", 161, 48);
  Blit(screen, gui[4], 0, 193, 49, Blend::Keyed);
  Blit(screen, gui[3], 2, 61, 76, Blend::Keyed);
  Digits(screen, gui[8], "-2", 19, 27);
  Digits(screen, gui[8], "o0", 64, 27);
  Digits(screen, gui[8], "o12", 19, 48);
  Digits(screen, gui[8], "o3", 64, 48);
  Blit(screen, gui[2], 0, 4, 120, Blend::Keyed);
  Small(screen, gui[7], "2. PLAYER TWO (7)", 80, 125);
  Small(screen, gui[7], "3", 206, 125);
  Small(screen, gui[7], "4", 221, 125);
  // Aiming at angle 224 (up and right) with power 54, and a name box.
  const int bx = 420, by = 300, angle = 224, power = 54;
  const double a = angle * 2 * M_PI / 256;
  const int tx = static_cast<int>(std::lround(bx + std::cos(a) * 75));
  const int ty = static_cast<int>(std::lround(by + std::sin(a) * 75));
  const int c = ((128 - angle) % 256 + 256) % 256 / 8;
  const int cx = static_cast<int>(std::lround(bx - std::cos(a) * power)) - 47;
  const int cy = static_cast<int>(std::lround(by - std::sin(a) * power)) - 125;
  Ball(screen, gui, 1, bx, by);
  Blit(screen, gui[6], 0, tx - 16, ty - 13, Blend::Add, 192);
  Blit(screen, gui[9], c, cx, cy, Blend::Sub, 255);
  Blit(screen, gui[10], c, cx, cy, Blend::Keyed);
  Blit(screen, gui[5], power / 3, tx - 47, ty - 56, Blend::Keyed);
  for (int p = 2; p <= 4; ++p) Ball(screen, gui, p, 330 + 40 * p, 350);
  const std::string label = "2. PLAYER 2 (7)";
  Blit(screen, gui[18], 0, 410 - 52, 350 - 40, Blend::Keyed);
  Small(screen, gui[7], label, 410 - 3 * static_cast<int>(label.size()), 350 - 35);
  Blit(screen, gui[0], 0, 250, 230, Blend::Keyed);
  DumpPicture(name, screen, 1);
  DumpPicture(name + "_x2", screen, 2);
  Picture panel;
  panel.width = 304;
  panel.height = 146;
  for (int y = 0; y < panel.height; ++y) {
    for (int x = 0; x < panel.width; ++x) panel.pixels.push_back(screen.at(x, y));
  }
  DumpPicture(name + "_panel_x2", panel, 2);
  for (uint32_t& c : panel.pixels) c = FromNative(ToNative(c));  // as the 16-bit display shows it
  DumpPicture(name + "_panel565_x2", panel, 2);
}

}  // namespace gp::assets

namespace gp::assets {

void DumpMenuPreview(const std::vector<ImageItem>& menu, const std::string& name) {
  const ImageItem& sheet = menu[4];
  Picture screen = Background(640, 480);
  const int ox = (640 - sheet.picture.width) / 2, oy = (480 - sheet.picture.height) / 2;
  Blit(screen, sheet, 0, ox, oy, Blend::Keyed);
  const ImageItem& font = menu[5];
  const char* names[4] = {"ZAPHOD", "TRILLIAN", "\xC5SA \xD6STERBERG", "MARVIN THE ANDROID"};
  const int strokes[4][6] = {
      {2, 3, 4, 2, 5, 3}, {3, 3, 2, 4, 4, 2}, {2, 5, 3, 3, 2, 4}, {4, 4, 4, 4, 4, 12}};
  const int par[6] = {2, 3, 3, 3, 4, 3};
  for (int k = 1; k <= 4; ++k) {
    const int y = oy + 36 * k + 139;
    Small(screen, font, std::string(names[k - 1]).substr(0, 14), ox + 28, y);
    int total = 0;
    for (int j = 1; j <= 6; ++j) {
      total += strokes[k - 1][j - 1];
      Small(screen, font, std::to_string(strokes[k - 1][j - 1]), ox + 39 * j + 128, y);
      Small(screen, font, std::to_string(par[j - 1]), ox + 39 * j + 130, oy + 146);
    }
    Small(screen, font, std::to_string(total), ox + (total >= 10 ? 526 : 534), y);
    Small(screen, font, std::to_string(k % 3), ox + 572, y);
  }
  Small(screen, font, std::string("TRILLIAN LEADS BY 1 STROKE = ?*&%$#"), ox + 154, oy + 319);
  // The big message, as the HUD draws it.
  const std::string big = "IN HOLE! PAR";
  const int bx = (640 - 23 * static_cast<int>(big.size())) / 2;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t k = 0; k < big.size(); ++k) {
      const int c = static_cast<unsigned char>(big[k]);
      const int g = c >= 32 && c <= 92 ? c - 32 : 0;
      Blit(screen, menu[0], g, bx + static_cast<int>(k + 1) * 23 + pass, 20 + pass, Blend::Add,
           191);
    }
  }
  DumpPicture(name, screen, 1);
  Picture part;
  part.width = 320;
  part.height = 200;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 320; ++x) part.pixels.push_back(screen.at(x, y + 200));
  }
  DumpPicture(name + "_part_x3", part, 3);
}

}  // namespace gp::assets

namespace gp::assets {

void DumpBallsPreview(const std::vector<Picture>& textures, const std::vector<ImageItem>& gui,
                      const std::string& name) {
  Picture screen = Background(24 * static_cast<int>(textures.size()) + 8, 32);
  std::vector<ImageItem> items = gui;
  for (size_t i = 0; i < textures.size(); ++i) {
    items[11].picture = textures[i];
    Ball(screen, items, 1, 16 + 24 * static_cast<int>(i), 16);
  }
  DumpPicture(name, screen, 6);
}

}  // namespace gp::assets
