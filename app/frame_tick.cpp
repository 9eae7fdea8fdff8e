#include "app/frame_tick.h"

#include "sim/hole_anim.h"
#include "game/state.h"
#include "sim/motion.h"
#include "sim/putting.h"
#include "app/game_window.h"
#include "view/aim_display.h"
#include "view/camera.h"
#include "sim/effects.h"
#include "view/hud.h"
#include "view/pages.h"
#include "sim/progression.h"

namespace gp {

namespace {

// The game's own pointer, over everything else, while the player may act.
void DrawPointer() {
  const GameState& g = gs();
  if (g.puttstage != 0 || g.ballsmoving) return;
  TMain& w = mainwin();
  if (const ImageItem* pointer = w.gui.Item(0)) w.DXDraw.Draw(*pointer, 0, g.mousex, g.mousey);
}

}  // namespace

int TimescaleForRate(int rate) {
  if (rate < 21) return 4;
  if (rate <= 40) return 2;
  return 1;
}

void GengineTimer() {
  TMain& w = mainwin();
  // A display that cannot draw skips the whole frame: nothing changes, nothing is shown.
  if (!w.DXDraw.CanDraw()) return;
  MotionPhase();
  UpdateView();
  DrawCourse();
  AnimateSprites();
  AnimateParticles();
  DrawBalls();
  HoleChangeStep();  // may set up the next hole; the rest of the frame shows it
  AimFrame();
  DrawAim();
  HoleAnimations();
  DrawHud();
  DrawPages();
  gs().timescale = TimescaleForRate(w.gengine.rate);  // applies from the next frame
  DrawPointer();
  w.DXDraw.Flip();
}

}  // namespace gp
