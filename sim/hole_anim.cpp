#include "sim/hole_anim.h"

#include <cstdlib>
#include <string>

#include "base/random.h"
#include "game/sound.h"
#include "game/state.h"
#include "base/angles.h"
#include "app/game_window.h"
#include "view/camera.h"

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
  const Display& d = mainwin().DXDraw;
  return Sizes{d.SurfaceWidth(), d.SurfaceHeight(), CourseWidth(), CourseHeight()};
}

int PatternsOf(int image) {
  const ImageItem* item = mainwin().course.Item(image);
  return item != nullptr ? item->PatternCount() : 0;
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
void Drift(floaterrec& f, const ViewMove& m, const Sizes& s, OwnX ownx, OwnY owny) {
  const GameState& g = gs();
  if (m.driftx) f.x += (4 * m.dx) / 3 + ownx();
  if (m.drifty) f.y += (4 * m.dy) / 3 + owny();
  if (s.ch > 0 && s.ch < s.h && f.y > s.ch - g.viewy - 8) f.y = -g.viewy;
  if (s.cw > 0 && s.cw < s.w && f.x > s.cw - g.viewx - 8) f.x = -g.viewx;
  if (f.x > s.w) f.x = 0;
  if (f.x < 0) f.x = s.w;
}

// Falls out at the bottom, comes back at a random place above the top.
void WrapDown(floaterrec& f, const Sizes& s) {
  if (f.y < -32) f.y = s.h;
  if (f.y > s.h) {
    f.y = -Random(32);
    f.x = Random(s.w);
  }
}

// Pattern counter in quarters: one pattern per four counts.
void AnimateQuarter(floaterrec& f, int step) {
  f.frame += step;
  if (f.frame / 4 >= PatternsOf(f.image)) f.frame = 0;
}

void DrawAdditive(const floaterrec& f, int pattern, int alpha) {
  TMain& w = mainwin();
  if (const ImageItem* item = w.course.Item(f.image)) {
    w.DXDraw.DrawAdd(*item, pattern, Rect{f.x, f.y, item->Width(), item->Height()}, alpha);
  }
}

void Dust(const ViewMove& m, const Sizes& s) {
  const int ts = gs().timescale;
  for (floaterrec& f : gs().floaters) {
    Drift(
        f, m, s, [ts] { return Random(ts + 1); }, [ts] { return Random(ts + 1); });
    WrapDown(f, s);
    if (Random(4) > 2) f.frame += 1;
    if (f.frame >= PatternsOf(f.image)) f.frame = 0;
    DrawAdditive(f, f.frame, 255);
  }
}

void FallingParticles(const ViewMove& m, const Sizes& s) {
  GameState& g = gs();
  const int ts = g.timescale;
  TMain& w = mainwin();
  for (int i = 1; i <= 10; ++i) {
    floaterrec& f = g.floaters[i];
    Drift(
        f, m, s, [ts] { return Random(ts); }, [ts] { return ts; });
    if (f.y < -32) f.y = s.h;
    if (f.y > s.h) {
      f.y = -Random(32);
      f.x = Random(s.w);
      f.frame = Random(64);
    }
    AnimateQuarter(f, ts);
    if (const ImageItem* item = w.course.Item(f.image)) w.DXDraw.Draw(*item, f.frame / 4, f.x, f.y);
  }
}

// Lightning now and then: the screen flashes white and fades within a few frames.
void Lightning(const Sizes& s) {
  GameState& g = gs();
  if (Random(1000) < g.timescale) {
    g.flicker = static_cast<uint8_t>(128 + Random(128));
    PlaySound(kThunderSound);
  }
  if (g.flicker == 0) return;
  mainwin().DXDraw.FillRectAlpha(Rect{0, 0, s.w, s.h}, 0xFFFFFF, g.flicker);
  g.flicker = static_cast<uint8_t>(g.flicker / (g.timescale + 1));
}

void Storm(const ViewMove& m, const Sizes& s) {
  Lightning(s);
  const int ts = gs().timescale;
  for (floaterrec& f : gs().floaters) {
    const int speed = (16 - f.image) * ts;  // image 5 falls fastest
    Drift(
        f, m, s, [speed] { return -speed; }, [speed] { return speed; });
    WrapDown(f, s);
    DrawAdditive(f, 0, 128);
  }
}

void Bubbles(const ViewMove& m, const Sizes& s) {
  GameState& g = gs();
  const int ts = g.timescale;
  for (int i = 1; i <= 5; ++i) {
    floaterrec& f = g.floaters[i];
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
    DrawAdditive(f, f.frame / 4, 128);
  }
}

// The floater effect of the hole, if it has one.
void FloaterEffect(const std::string& hole) {
  void (*effect)(const ViewMove&, const Sizes&) = nullptr;
  if (hole == "course1hole5" || hole == "course3hole7" || hole == "course4hole8") {
    effect = Dust;
  } else if (hole == "course3hole9") {
    effect = FallingParticles;
  } else if (hole == "course1hole4" || hole == "course4hole4" || hole == "course4hole6") {
    effect = Storm;
  } else if (hole == "course4hole3") {
    effect = Bubbles;
  }
  if (effect == nullptr) return;
  effect(MeasureViewMove(), CurrentSizes());
  FloatersDone();
}

// An obstacle shown while animphase is within lo..hi (or outside it when
// `outside`), with the area it stands on enabled only while it is shown.
struct Obstacle {
  const char* hole;
  int lo, hi;
  bool outside;
  int slot, x, y, image;
  int area;
};

constexpr Obstacle kObstacles[] = {
    {"course2hole9", 0, 127, false, 35, 511, 181, 9, 40},
    {"course2hole9", 129, 255, false, 36, 666, 618, 10, 41},
    {"course2hole9", 65, 191, false, 37, 171, 881, 11, 42},
    {"course2hole5", 0, 127, false, 40, 610, 267, 11, 53},
    {"course3hole6", 0, 127, false, 35, 245, 189, 8, 72},
    {"course3hole6", 129, 255, false, 36, 776, 189, 9, 73},
    {"course3hole6", 65, 191, false, 37, 791, 536, 10, 74},
    {"course3hole6", 64, 192, true, 38, 237, 528, 11, 71},
};

bool HasObstacles(const std::string& hole) {
  for (const Obstacle& o : kObstacles) {
    if (hole == o.hole) return true;
  }
  return false;
}

void PlaceObstacle(const Obstacle& o, int phase) {
  GameState& g = gs();
  const bool within = phase >= o.lo && phase <= o.hi;
  const bool shown = within != o.outside;
  spriterec& s = g.sprites[o.slot];
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

// Sound 20 at a volume falling with the current ball's distance from (x, y):
// `per_pixel` hundredths of a decibel per pixel.
void MachineSound(int x, int y, int per_pixel) {
  const GameState& g = gs();
  const playerrec& b = g.players[g.curplayer];
  const int volume = -per_pixel * Dist(x, y, RoundInt(b.x), RoundInt(b.y));
  RequestSound(SoundList::Effects, kMachineSound, SoundOp::SetVolume, volume);
  PlaySound(kMachineSound);
}

void CyclingObstacles(const std::string& hole) {
  if (!HasObstacles(hole)) return;
  GameState& g = gs();
  g.animphase += 2 * g.timescale;
  const bool wrapped = g.animphase > 255;
  if (wrapped) g.animphase = 0;
  for (const Obstacle& o : kObstacles) {
    if (hole == o.hole) PlaceObstacle(o, g.animphase);
  }
  if (wrapped && hole == "course2hole5") MachineSound(710, 367, 4);
}

// Now and then a puff of dust with a sound.
void Puffs(const std::string& hole) {
  if (hole != "course2hole1") return;
  GameState& g = gs();
  if (Random(255) >= 2 * g.timescale) return;
  MachineSound(496, 817, 2);
  const int k = Random(23) + 1;
  for (int i = k; i <= k + 7; ++i) {
    particlerec& q = g.particles[i];
    q.bounces = 3;
    q.x = 496.0;
    q.y = 935.0;
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

void HoleAnimations() {
  const std::string& hole = gs().holename;
  if (gs().curplayer < 1 || gs().curplayer > kMaxPlayers) return;
  FloaterEffect(hole);
  CyclingObstacles(hole);
  Puffs(hole);
}

}  // namespace gp
