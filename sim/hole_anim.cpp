#include "sim/hole_anim.h"

#include <cstdlib>
#include <string>

#include "base/angles.h"
#include "base/random.h"
#include "game/hole_tables.h"
#include "game/sound.h"
#include "game/state.h"

namespace gp {

namespace {

// A view move larger than this (pixels per frame) freezes the floaters' drift.
constexpr int kMaxDrift = 32;
// The machine sound of cycling obstacles and puffs; the thunder of storms.
constexpr int kMachineSound = 20;
constexpr int kThunderSound = 25;

// Display and course picture sizes, pixels.
struct Sizes {
  int w = 0, h = 0;    // screen
  int cw = 0, ch = 0;  // course picture
};

Sizes CurrentSizes() {
  const GameState& g = gs();
  return Sizes{g.screenwidth, g.screenheight, g.coursewidth, g.courseheight};
}

// How far the view moved since the floaters were last updated.
struct ViewMove {
  int dx = 0, dy = 0;
  bool driftx = false, drifty = false;
};

ViewMove MeasureViewMove() {
  const GameState& g = gs();
  ViewMove m;
  m.dx = g.floatviewx - g.viewx;
  m.dy = g.floatviewy - g.viewy;
  m.driftx = std::abs(m.dx) <= kMaxDrift;
  m.drifty = std::abs(m.dy) <= kMaxDrift;
  return m;
}

void FloatersDone() {
  GameState& g = gs();
  g.floatviewx = g.viewx;
  g.floatviewy = g.viewy;
}

// The drift step: the floater moves by 4/3 of the view's move plus its own
// motion (evaluated only for an axis that drifts), then wraps around the
// screen or around a course picture smaller than the screen.
template <typename OwnX, typename OwnY>
void Drift(Floater& f, const ViewMove& m, const Sizes& s, OwnX ownx, OwnY owny) {
  const GameState& g = gs();
  if (m.driftx) f.x += (4 * m.dx) / 3 + ownx();
  if (m.drifty) f.y += (4 * m.dy) / 3 + owny();
  if (s.ch > 0 && s.ch < s.h && f.y > s.ch - g.viewy - 8) f.y = -g.viewy;
  if (s.cw > 0 && s.cw < s.w && f.x > s.cw - g.viewx - 8) f.x = -g.viewx;
  if (f.x > s.w) f.x = 0;
  if (f.x < 0) f.x = s.w;
}

// Falls out at the bottom, comes back at a random place above the top.
void WrapDown(Floater& f, const Sizes& s) {
  if (f.y < -32) f.y = s.h;
  if (f.y > s.h) {
    f.y = -Random(32);
    f.x = Random(s.w);
  }
}

// Pattern counter in quarters: one pattern per four counts.
void AnimateQuarter(Floater& f, int step) {
  f.frame += step;
  if (f.frame / 4 >= PatternsOf(f.image)) f.frame = 0;
}

void Dust(const ViewMove& m, const Sizes& s) {
  const int ts = gs().timescale;
  for (Floater& f : gs().floaters) {
    Drift(
        f, m, s, [ts] { return Random(ts + 1); }, [ts] { return Random(ts + 1); });
    WrapDown(f, s);
    if (Random(4) > 2) f.frame += 1;
    if (f.frame >= PatternsOf(f.image)) f.frame = 0;
  }
}

void FallingParticles(const ViewMove& m, const Sizes& s) {
  GameState& g = gs();
  const int ts = g.timescale;
  for (int i = 1; i <= kFallingFloaters; ++i) {
    Floater& f = g.floaters[i];
    Drift(
        f, m, s, [ts] { return Random(ts); }, [ts] { return ts; });
    if (f.y < -32) f.y = s.h;
    if (f.y > s.h) {
      f.y = -Random(32);
      f.x = Random(s.w);
      f.frame = Random(64);
    }
    AnimateQuarter(f, ts);
  }
}

// Lightning now and then: the screen flashes white and fades within a few frames.
void Lightning() {
  GameState& g = gs();
  if (Random(1000) < g.timescale) {
    g.flicker = static_cast<uint8_t>(128 + Random(128));
    PlaySound(kThunderSound);
  }
  if (g.flicker == 0) return;
  g.flash = g.flicker;
  g.flicker = static_cast<uint8_t>(g.flicker / (g.timescale + 1));
}

void Storm(const ViewMove& m, const Sizes& s) {
  Lightning();
  const int ts = gs().timescale;
  for (Floater& f : gs().floaters) {
    const int speed = (16 - f.image) * ts;  // image 5 falls fastest
    Drift(
        f, m, s, [speed] { return -speed; }, [speed] { return speed; });
    WrapDown(f, s);
  }
}

void Bubbles(const ViewMove& m, const Sizes& s) {
  GameState& g = gs();
  const int ts = g.timescale;
  for (int i = 1; i <= kBubbleFloaters; ++i) {
    Floater& f = g.floaters[i];
    const int speed = (8 - f.image) * ts;
    Drift(
        f, m, s, [speed] { return 4 * speed; }, [speed] { return -2 * speed; });
    if (f.y > s.h) f.y = -90;
    if (f.y < -90) {
      f.y = Random(s.h);
      f.x = Random(s.w);
      f.frame = 0;
    }
    AnimateQuarter(f, ts);
  }
}

// The floater effect of the hole, if it has one.
void UpdateFloaters(const std::string& hole) {
  void (*effect)(const ViewMove&, const Sizes&) = nullptr;
  switch (FloaterEffectOf(hole)) {
    case FloaterEffect::Dust:
      effect = Dust;
      break;
    case FloaterEffect::FallingParticles:
      effect = FallingParticles;
      break;
    case FloaterEffect::Storm:
      effect = Storm;
      break;
    case FloaterEffect::Bubbles:
      effect = Bubbles;
      break;
    case FloaterEffect::None:
      return;
  }
  effect(MeasureViewMove(), CurrentSizes());
  FloatersDone();
}

void PlaceObstacle(const Obstacle& o, int phase) {
  GameState& g = gs();
  const bool within = phase >= o.lo && phase <= o.hi;
  const bool shown = within != o.outside;
  Sprite& s = g.sprites[o.slot];
  if (shown) {
    s.x = o.x;
    s.y = o.y;
    s.image = o.image;
    s.loop = true;
    s.p1 = s.p2 = 0;
  } else {
    s.x = s.y = 0;
  }
  g.areas[o.area].enabled = shown;
}

// Sound 20 at a volume falling with the current ball's distance from the source.
void MachineSound(const SoundSource& src) {
  const GameState& g = gs();
  const Ball& b = g.players[g.curplayer];
  const int volume = -src.perpixel * Dist(src.x, src.y, RoundInt(b.x), RoundInt(b.y));
  RequestSound(SoundList::Effects, kMachineSound, SoundOp::SetVolume, volume);
  PlaySound(kMachineSound);
}

void CyclingObstacles(const std::string& hole) {
  if (!HasObstacles(hole)) return;
  GameState& g = gs();
  g.animphase += 2 * g.timescale;
  const bool wrapped = g.animphase > 255;
  if (wrapped) g.animphase = 0;
  for (const Obstacle& o : Obstacles()) {
    if (hole == o.hole) PlaceObstacle(o, g.animphase);
  }
  if (wrapped && hole == kMachineHole) MachineSound(kMachineSource);
}

// Now and then a puff of dust with a sound.
void Puffs(const std::string& hole) {
  if (hole != kPuffHole) return;
  GameState& g = gs();
  if (Random(255) >= 2 * g.timescale) return;
  MachineSound(kPuffSource);
  const int k = Random(23) + 1;
  for (int i = k; i <= k + 7; ++i) {
    Particle& q = g.particles[i];
    q.bounces = 3;
    q.x = kPuffX;
    q.y = kPuffY;
    q.z = 100 + Random(8);
    q.angle = 150 + Random(32);
    q.speed = Random(12) / 3.0;
    q.vz = 0;
    q.active = true;
    q.colour = 13223087;
    q.shadow = false;
    q.dots = false;
  }
}

}  // namespace

void UpdateHoleAnimations() {
  GameState& g = gs();
  g.flash = 0;
  const std::string& hole = g.holename;
  if (g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  UpdateFloaters(hole);
  CyclingObstacles(hole);
  Puffs(hole);
}

}  // namespace gp
