#include "sim/camera.h"

#include <cstdlib>

#include "base/angles.h"
#include "game/state.h"

namespace gp {

namespace {

constexpr int kMargin = 128;  // the followed ball stays this far inside the screen

int Clamp(int v, int lo, int hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

// Eases the view towards the current ball; stops when it arrives or stalls.
void Glide(GameState& g, int w, int h, int cw, int ch) {
  const Ball& b = g.players[g.curplayer];
  const int32_t tx = RoundInt(b.x - w / 2.0);
  const int32_t ty = RoundInt(b.y - h / 2.0);
  g.viewx = (3 * g.viewx + tx) / 4;
  g.viewy = (3 * g.viewy + ty) / 4;
  const bool xinside = g.viewx > 0 && g.viewx < cw - w;
  const bool yinside = g.viewy > 0 && g.viewy < ch - h;
  if (Dist(g.viewx, g.viewy, tx, ty) < 4 || (!xinside && std::abs(g.viewy - ty) < 4) ||
      (!yinside && std::abs(g.viewx - tx) < 4) ||
      (g.viewx == g.lastviewx && g.viewy == g.lastviewy)) {
    g.centreview = false;
  }
  g.lastviewx = g.viewx;
  g.lastviewy = g.viewy;
}

// The current ball, unless it rests: then the highest-numbered moving ball.
int FollowedBall(const GameState& g) {
  const Ball& cur = g.players[g.curplayer];
  if (cur.moving || cur.sinking) return g.curplayer;
  for (int p = g.numplayers; p >= 1; --p) {
    if (g.players[p].moving) return p;
  }
  return g.curplayer;
}

void Follow(GameState& g, int w, int h) {
  const Ball& b = g.players[FollowedBall(g)];
  const int32_t bx = RoundInt(b.x);
  const int32_t by = RoundInt(b.y - b.z);
  if (bx - g.viewx < kMargin) g.viewx = bx - kMargin;
  if (by - g.viewy < kMargin) g.viewy = by - kMargin;
  if (bx - g.viewx >= w - kMargin) g.viewx = bx - (w - kMargin);
  if (by - g.viewy >= h - kMargin) g.viewy = by - (h - kMargin);
}

// Friction towards 0 by `step` eighths of a pixel per frame.
int Slow(int v, int step) {
  return v > 0 ? v - step : (v < 0 ? v + step : v);
}

// Scrolling by the pointer at the screen edges or the arrow keys, in eighths
// of a pixel per frame; starts slowly and coasts to a stop. A pointer that has
// left the window scrolls nothing, wherever it was last seen.
void FreeScroll(GameState& g, int w, int h) {
  const int t = g.timescale;
  const bool in = !g.pointerout;
  if ((in && g.mousex > w - 4) || g.keyright) g.scrollvx += 4 * t;
  if ((in && g.mousey > h - 4) || g.keydown) g.scrollvy += 4 * t;
  if ((in && g.mousex < 4) || g.keyleft) g.scrollvx -= 4 * t;
  if ((in && g.mousey < 4) || g.keyup) g.scrollvy -= 4 * t;
  g.scrollvy = Clamp(Slow(g.scrollvy, 2 * t), -64 * t, 64 * t);
  g.scrollvx = Clamp(Slow(g.scrollvx, 2 * t), -64 * t, 64 * t);
  g.viewx += g.scrollvx / 8;
  g.viewy += g.scrollvy / 8;
}

}  // namespace

void UpdateView() {
  GameState& g = gs();
  const int w = g.screenwidth, h = g.screenheight;
  const int cw = g.coursewidth, ch = g.courseheight;
  if (g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  if (g.centreview) Glide(g, w, h, cw, ch);
  if (g.ballsmoving || g.puttstage != 0 || g.centreview) {
    Follow(g, w, h);
  } else {
    FreeScroll(g, w, h);
  }
  if (g.viewx < 0) g.viewx = 0;
  if (g.viewy < 0) g.viewy = 0;
  if (g.viewx > cw - w) g.viewx = cw - w;
  if (g.viewy > ch - h) g.viewy = ch - h;
  // A course smaller than the screen is centred (the view goes negative).
  if (cw < w) g.viewx = (cw - w) / 2;
  if (ch < h) g.viewy = (ch - h) / 2;
}

}  // namespace gp
