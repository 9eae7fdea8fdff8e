#include "tools/editor/area_outlines.h"

#include <algorithm>
#include <cmath>

#include "game/area_kind.h"

namespace gp::editor {

void OutlineCanvas::Plot(int x, int y, uint32_t c) {
  if (x >= 0 && y >= 0 && x < pic.width && y < pic.height) {
    pic.pixels[static_cast<size_t>(y) * pic.width + x] = c;
  }
}

void OutlineCanvas::Line(double x0, double y0, double x1, double y1, uint32_t c) {
  x0 /= k, y0 /= k, x1 /= k, y1 /= k;
  const double span = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  if (!(span < 1e6)) return;  // far off (or not a number): nothing to see
  const int steps = std::max(1, static_cast<int>(span));
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i <= steps; ++i) {
      const int x = static_cast<int>(std::lround(x0 + (x1 - x0) * i / steps));
      const int y = static_cast<int>(std::lround(y0 + (y1 - y0) * i / steps));
      if (pass == 0) {
        Plot(x + 1, y + 2, 0);
        Plot(x + 2, y + 1, 0);
      } else {
        Plot(x, y, c), Plot(x + 1, y, c), Plot(x, y + 1, c), Plot(x + 1, y + 1, c);
      }
    }
  }
}

void OutlineCanvas::Ellipse(double cx, double cy, double rx, uint32_t c) {
  const int n = std::clamp(static_cast<int>(rx * 3), 24, 4000);
  for (int i = 0; i < n; ++i) {
    const double a = 2 * M_PI * i / n, b = 2 * M_PI * (i + 1) / n;
    Line(cx + rx * std::cos(a), cy + rx / 2 * std::sin(a), cx + rx * std::cos(b),
         cy + rx / 2 * std::sin(b), c);
  }
}

void OutlineCanvas::Box(int x, int y, int w, int h, uint32_t c) {
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) Plot(x + i, y + j, c);
  }
}

void OutlineCanvas::Label(int x, int y, const std::string& text, uint32_t c) {
  x = static_cast<int>(x / k), y = static_cast<int>(y / k);
  static const char* const glyphs[11] = {"111101101101111", "010110010010111", "111001111100111",
                                         "111001111001111", "101101111001001", "111100111001111",
                                         "111100111101111", "111001001001001", "111101111101111",
                                         "111101111001111", "000010000010000"};
  const int w = static_cast<int>(text.size()) * 8 + 2;
  Box(x - 1, y - 1, w + 2, 14, 0x00101010);
  for (size_t i = 0; i < text.size(); ++i) {
    const int g = text[i] == ':' ? 10 : text[i] - '0';
    if (g < 0 || g > 10) continue;
    for (int r = 0; r < 5; ++r) {
      for (int q = 0; q < 3; ++q) {
        if (glyphs[g][r * 3 + q] == '1')
          Box(x + 2 + static_cast<int>(i) * 8 + q * 2, y + 1 + r * 2, 2, 2, c);
      }
    }
  }
}

uint32_t KindColour(int kind) {
  if (kind == kCup) return 0x000090FF;
  if (kind <= kFallingDiagonalWall) return 0x00F0F0F0;
  if ((kind >= kSlopeDownLeft && kind <= kSlopeLeft) || (kind >= kAttractor && kind <= kSlowZone) ||
      kind == kShade || kind == kLedge) {
    return 0x00E0E040;
  }
  if (kind == kWater) return 0x00FF8040;
  if (kind == kMine || kind == kDropOff || kind == kRubble) return 0x004040FF;
  if (kind == kTextSwitch || kind == kAreaSwitch || kind == kCannonOrHidden) return 0x00FF40FF;
  return 0x0040FFFF;
}

void DrawArea(OutlineCanvas& cv, int index, const Area& a) {
  if (a.kind == kNoArea) return;
  const uint32_t c = KindColour(a.kind);
  double lx, ly;
  if (a.r >= 1) {
    cv.Ellipse(a.x1, a.y1, a.r, c);
    lx = a.x1 + a.r * 0.7, ly = a.y1 - a.r * 0.35 - 14;
  } else if (a.x3 == 0 && a.x4 == 0) {
    cv.Line(a.x1, a.y1, a.x2, a.y2, c);
    lx = (a.x1 + a.x2) / 2.0 + 3, ly = (a.y1 + a.y2) / 2.0 + 3;
  } else if (a.x3 != 0 && a.x4 != 0) {
    cv.Line(a.x1, a.y1, a.x2, a.y2, c);
    cv.Line(a.x2, a.y2, a.x3, a.y3, c);
    cv.Line(a.x3, a.y3, a.x4, a.y4, c);
    cv.Line(a.x4, a.y4, a.x1, a.y1, c);
    lx = std::min({a.x1, a.x2, a.x3, a.x4}) + 3, ly = std::min({a.y1, a.y2, a.y3, a.y4}) + 3;
  } else {
    return;  // never touched: nothing to show
  }
  if (a.kind == kTeleporter || a.kind == kPipe ||
      a.kind == kCatapult) {  // exits and their launch lines
    cv.Ellipse(a.x2, a.y2, 8, c);
    cv.Line(a.x3, a.y3, a.x4, a.y4, c);
  }
  cv.Label(static_cast<int>(lx), static_cast<int>(ly),
           std::to_string(a.kind) + ":" + std::to_string(index), c);
}

void DrawMarks(OutlineCanvas& cv, int ballx, int bally, int cupx, int cupy) {
  cv.Ellipse(ballx, bally, 31, 0x00FFFFFF);  // where the balls are scattered
  cv.Ellipse(ballx, bally, 6, 0x00FFFFFF);
  cv.Ellipse(cupx, cupy, 22, 0x002020FF);
}

void DrawStrokes(OutlineCanvas& cv, const std::vector<LineStroke>& strokes) {
  constexpr uint32_t kShotColour = 0x0040FF40;
  for (size_t k = 0; k < strokes.size(); ++k) {
    const LineStroke& s = strokes[k];
    cv.Line(s.fromx, s.fromy, s.tox, s.toy, kShotColour);
    cv.Ellipse(s.tox, s.toy, 8, kShotColour);
    cv.Label(static_cast<int>(s.fromx) + 6, static_cast<int>(s.fromy) + 6, std::to_string(k + 1),
             kShotColour);
  }
}

Picture Shrink(const Picture& p, int f) {
  Picture out;
  out.width = p.width / f;
  out.height = p.height / f;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int j = 0; j < f; ++j) {
        for (int i = 0; i < f; ++i) {
          const uint32_t c = p.at(x * f + i, y * f + j);
          for (int ch = 0; ch < 3; ++ch) sum[ch] += (c >> (8 * ch)) & 255;
        }
      }
      uint32_t c = 0;
      for (int ch = 0; ch < 3; ++ch) c |= (sum[ch] / (f * f)) << (8 * ch);
      out.pixels[static_cast<size_t>(y) * out.width + x] = c;
    }
  }
  return out;
}

}  // namespace gp::editor
