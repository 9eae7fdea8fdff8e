#include "view/effects_draw.h"

#include <cstdlib>

#include "base/angles.h"
#include "game/state.h"

namespace gp {

namespace {

constexpr uint32_t kTrackColour = 733493;     // 53, 49, 11: a particle's track on the ground
constexpr uint32_t kGroundDotColour = 33487;  // 207, 130, 0

void DrawSprite(const Scene& sc, const Sprite& s) {
  const ImageItem* item = sc.course.Item(s.image);
  if (item == nullptr) return;
  const GameState& g = gs();
  const int sx = s.x - g.viewx, sy = s.y - g.viewy;
  const int n = s.frame / 4;
  const Rect dst{sx, sy, item->Width(), item->Height()};
  Display& d = sc.display;
  if (s.p1 == 0 && s.p2 == 0) d.Draw(*item, n, sx, sy);
  if (s.p1 <= 1) d.DrawSub(*item, n, dst, -s.p1);  // alpha 0 or less draws nothing
  if (s.p1 > 0) d.DrawAdd(*item, n, dst, s.p1);
  if (s.p2 > 0 && s.p2 < 255) d.DrawAlpha(*item, 0, dst, 255 - std::abs(2 * s.p2 - 255));
}

void DrawParticle(const Scene& sc, const Particle& q) {
  const GameState& g = gs();
  Canvas c = sc.display.GetCanvas();
  const int x = RoundInt(q.x) - g.viewx;
  const int y = RoundInt(q.y) - g.viewy;
  const int px = RoundInt(q.prevx) - g.viewx;
  const int py = RoundInt(q.prevy) - g.viewy;
  const int h = RoundInt(q.y - q.z) - g.viewy;
  const int ph = RoundInt(q.prevy - q.prevz) - g.viewy;
  const uint32_t colour = static_cast<uint32_t>(q.colour);
  if (q.shadow && !q.dots) {
    c.SetPenColour(kTrackColour);
    c.MoveTo(px, py);
    c.LineTo(x, y);
  }
  if (q.shadow && q.dots) c.SetCanvasPixel(x, y, kGroundDotColour);
  if (q.dots) {
    c.SetCanvasPixel(x, h, colour);
  } else {
    c.SetPenColour(colour);
    c.MoveTo(px, ph);
    c.LineTo(x, h);
  }
}

}  // namespace

void DrawSprites(const Scene& sc) {
  const GameState& g = gs();
  for (int k = kMaxSprites; k >= 1; --k) {
    const Sprite& s = g.sprites[k];
    if (s.x == 0 && s.y == 0) continue;
    DrawSprite(sc, s);
  }
}

void DrawParticles(const Scene& sc) {
  for (const Particle& q : gs().particles) {
    if (q.active) DrawParticle(sc, q);
  }
}

}  // namespace gp
