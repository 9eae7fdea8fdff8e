#include "view/hole_anim_draw.h"

#include "game/hole_tables.h"
#include "game/state.h"

namespace gp {

namespace {

void DrawAdditive(const Scene& sc, const Floater& f, int pattern, int alpha) {
  if (const ImageItem* item = sc.course.Item(f.image)) {
    sc.display.DrawAdd(*item, pattern, Rect{f.x, f.y, item->Width(), item->Height()}, alpha);
  }
}

void DrawPlain(const Scene& sc, const Floater& f, int pattern) {
  if (const ImageItem* item = sc.course.Item(f.image)) sc.display.Draw(*item, pattern, f.x, f.y);
}

}  // namespace

void DrawHoleAnimations(const Scene& sc) {
  const GameState& g = gs();
  if (g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  switch (FloaterEffectOf(g.holename)) {
    case FloaterEffect::Dust:
      for (const Floater& f : g.floaters) DrawAdditive(sc, f, f.frame, 255);
      break;
    case FloaterEffect::FallingParticles:
      for (int i = 1; i <= kFallingFloaters; ++i) DrawPlain(sc, g.floaters[i], g.floaters[i].frame / 4);
      break;
    case FloaterEffect::Storm:
      if (g.flash > 0) {
        sc.display.FillRectAlpha(Rect{0, 0, g.screenwidth, g.screenheight}, 0xFFFFFF, g.flash);
      }
      for (const Floater& f : g.floaters) DrawAdditive(sc, f, 0, 128);
      break;
    case FloaterEffect::Bubbles:
      for (int i = 1; i <= kBubbleFloaters; ++i) {
        DrawAdditive(sc, g.floaters[i], g.floaters[i].frame / 4, 128);
      }
      break;
    case FloaterEffect::None:
      break;
  }
}

}  // namespace gp
