#include "app/frame_tick.h"

#include "app/game_records.h"
#include "app/game_window.h"
#include "app/hole_load.h"
#include "game/draw_order.h"
#include "game/state.h"
#include "platform/platform.h"
#include "sim/ball_pass.h"
#include "sim/camera.h"
#include "sim/effects.h"
#include "sim/hole_anim.h"
#include "sim/messages.h"
#include "sim/motion.h"
#include "sim/progression.h"
#include "sim/putting.h"
#include "view/aim_display.h"
#include "view/course_view.h"
#include "view/effects_draw.h"
#include "view/hole_anim_draw.h"
#include "view/hud.h"
#include "view/pages.h"

namespace gp {

namespace {

// The game's own pointer, over everything else, while the player may act.
void DrawPointer(const Scene& sc) {
  const GameState& g = gs();
  if (g.puttstage != 0 || g.ballsmoving) return;
  if (const ImageItem* pointer = sc.gui.Item(0)) sc.display.Draw(*pointer, 0, g.mousex, g.mousey);
}

}  // namespace

Scene WindowScene() {
  GameWindow& w = gamewin();
  return Scene{w.display, w.gui, w.menu, w.course, &gamerecords().view()};
}

void EffectsPhase(const Scene& sc, bool draw) {
  if (draw) DrawSprites(sc);
  UpdateSprites();
  UpdateParticles();
  if (draw) DrawParticles(sc);
}

void BallPhase(const Scene& sc, bool draw) {
  int order[kMaxPlayers];
  const int n = DrawOrder(order);
  for (int k = 0; k < n; ++k) {
    const int p = order[k];
    const bool drawn = BallDrawn(gs().players[p]);
    if (drawn && draw) DrawBall(sc, p);
    BallRules(p, drawn);
  }
}

void AimPhase(const Scene& sc, bool draw) {
  AimFrame();
  if (draw) DrawAim(sc);
  AimBlink();
}

void HoleAnimationPhase(const Scene& sc, bool draw) {
  UpdateHoleAnimations();
  if (draw) DrawHoleAnimations(sc);
}

void HudPhase(const Scene& sc, bool draw) {
  UpdatePanel();
  if (draw) DrawHudPanel(sc);
  StepMessages();
  if (draw) DrawMessages(sc);
  FadeBigMessage();
}

void PagesPhase(const Scene& sc, bool draw) {
  UpdateStandings();
  if (draw) DrawPages(sc);
}

int TimescaleForRate(int rate) {
  if (rate < 21) return 4;
  if (rate <= 40) return 2;
  return 1;
}

void CarryOutRequests() {
  GameState& g = gs();
  GameWindow& w = gamewin();
  // Holing out and the game's end, before a new hole resets the players.
  gamerecords().CarryOut();
  if (g.parkrequest) {
    g.parkrequest = false;
    if (w.platform) w.platform->WarpPointer(g.spotx, g.spoty);
  }
  if (g.leaverequest) w.timer.enabled = false;
  if (g.holerequest) {
    g.holerequest = false;
    HoleInit();
    CarryOutRequests();  // the new hole's starting player parks the pointer
  }
}

void CarryOutSearchRequests() {
  GameState& g = gs();
  g.parkrequest = false;
  if (g.leaverequest) gamewin().timer.enabled = false;
}

void RunFrame(bool draw) {
  GameWindow& w = gamewin();
  // A display that cannot draw skips the whole frame: nothing changes, nothing is shown.
  if (draw && !w.display.CanDraw()) return;
  const Scene sc = WindowScene();
  MotionPhase();
  UpdateView();
  if (draw) DrawCourse(sc);
  EffectsPhase(sc, draw);
  BallPhase(sc, draw);
  HoleChangeStep();
  CarryOutRequests();  // may set up the next hole; the rest of the frame shows it
  AimPhase(sc, draw);
  HoleAnimationPhase(sc, draw);
  HudPhase(sc, draw);
  PagesPhase(sc, draw);
  gs().timescale = TimescaleForRate(w.timer.rate);  // applies from the next frame
  if (draw) {
    DrawPointer(sc);
    w.display.Flip();
  }
}

}  // namespace gp
