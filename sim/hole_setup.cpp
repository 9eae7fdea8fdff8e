#include "sim/hole_setup.h"

#include "game/hole_tables.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/motion.h"
#include "sim/turns.h"

namespace gp {

namespace {

void ResetPlayers() {
  GameState& g = gs();
  for (Ball& b : g.players) {
    b.oncourse = false;
    b.z = b.vz = 0;
    b.angle = 0;
    b.speed = 0;
    b.airborne = b.sinking = b.inhole = b.moving = false;
    b.ballrows = 15;
    b.holearea = 0;
    b.lastarea = -1;
    b.strokes = 0;
    b.shade = 0;
    // A ball that leaves the course before its first stroke comes back to its start.
    b.strokex = b.x;
    b.strokey = b.y;
  }
  g.gameover = false;
}

void ResetParticles() {
  for (Particle& q : gs().particles) {
    q.active = false;
    q.x = q.y = q.z = q.vz = 0;
    q.bounces = 1;
    q.colour = 0;
    q.shadow = q.dots = false;
  }
}

void ResetHoleGlobals() {
  GameState& g = gs();
  g.puttstage = 0;
  g.viewx = g.viewy = 0;
  g.centreview = true;
  g.ballsmoving = g.bonusturn = g.passturn = false;
  StartStrokeClock();
  g.beststrokes = 99;
}

void ClearSprites() {
  GameState& g = gs();
  g.nextsprite = 1;
  for (Sprite& s : g.sprites) s = Sprite{};
}

}  // namespace

bool LoopsWanted() {
  return gs().soundon && gs().bgsoundon;
}

void PlaceDecorations(const std::string& holename) {
  for (const Decoration& d : Decorations()) {
    if (holename != d.hole) continue;
    gs().sprites[d.slot] = Sprite{d.x, d.y, d.image, d.frame, true, d.p1, 0};
  }
}

void SetUpHole() {
  GameState& g = gs();
  ResetPlayers();
  ResetParticles();
  ResetHoleGlobals();
  StartingPlayer();
  ClearSprites();
  PlaceDecorations(g.holename);
  RequestSound(SoundList::Effects, kLoadingLoop, SoundOp::Stop);
  RequestSound(SoundList::Background, kHoleLoop, SoundOp::SetLooped, 1);
  if (LoopsWanted()) RequestSound(SoundList::Background, kHoleLoop, SoundOp::Play);
  g.gamestate = kHoleCard;
}

}  // namespace gp
