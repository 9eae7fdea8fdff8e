#include "sim/effects.h"

#include <cmath>
#include <cstdint>

#include "base/random.h"
#include "game/area_kind.h"
#include "game/hole_tables.h"
#include "game/state.h"
#include "base/angles.h"

namespace gp {

namespace {

// Particle colours, red in the lowest byte.
constexpr int32_t kDustColour = 13223087;     // 175, 196, 201
constexpr int32_t kSprayColour = 14087423;    // 255, 244, 214
constexpr int32_t kGreenColour = 3534447;     // 111, 238, 53
constexpr int32_t kWaterColour = 16622689;    // 97, 164, 253
constexpr int32_t kBlastColour = 4574820;     // 100, 206, 69

// The green spray (game/hole_tables.h) slows the ball by this much per particle.
constexpr double kSprayLossPerParticle = 0.025;

void EmptySprite(Sprite& s) {
  s.x = s.y = 0;
  s.image = 0;
  s.loop = false;
  s.p1 = s.p2 = 0;
}

// Pulse: alpha rises 0..255 and falls back while p2 runs up to 255, then again.
void Pulse(Sprite& s) {
  if (!HasImage(s.image) || s.p2 <= 0) return;
  s.p2 += 20;
  if (s.p2 > 1000) s.p2 = 4;
}

// Reflects a particle off every enabled segment wall its ground point touches.
void ReflectOffWalls(Particle& q) {
  const GameState& g = gs();
  const int32_t px = RoundInt(q.x), py = RoundInt(q.y);
  for (const Area& a : g.areas) {
    if (!a.enabled || a.r >= 1 || a.x3 != 0 || a.x4 != 0) continue;
    if (!NearSegment(a.x1, a.y1, a.x2, a.y2, px, py)) continue;
    int32_t mirror;  // twice the wall's direction, negated
    switch (a.kind) {
      case kRisingShallowWall:
        mirror = -38;
        break;
      case kVerticalWall:
        mirror = -128;
        break;
      case kFallingShallowWall:
        mirror = -218;
        break;
      case kHorizontalWall:
        mirror = 0;
        break;
      case kRisingDiagonalWall:
        mirror = -64;
        break;
      case kFallingDiagonalWall:
        mirror = -192;
        break;
      default:
        continue;
    }
    q.angle = (mirror - q.angle) & 255;
  }
}

// One frame of flight: moves, slows, bounces; false when the particle dies.
bool Fly(Particle& q, int timescale) {
  q.prevx = q.x;
  q.prevy = q.y;
  q.prevz = q.z;
  q.x += ByteCos(q.angle) * q.speed;
  q.y += ByteSin(q.angle) * q.speed / 2;  // ground seen at a slant
  q.speed -= 0.012 / (5 - timescale);
  if (q.speed < 0) q.speed = 0;
  q.z += q.vz;
  if (q.z < 0) {
    q.vz = -0.75 * q.vz;
    q.z = 0;
    q.bounces -= 1;
  }
  q.vz -= 0.5;
  if ((q.z == 0 && std::fabs(q.vz) < 0.5) || q.bounces < 1) {
    q.active = false;
    q.x = q.y = q.z = q.vz = 0;
    return false;
  }
  return true;
}

// Common start of every burst particle.
void Launch(Particle& q, double x, double y, int32_t bounces, int32_t colour, bool trail) {
  q.x = x;
  q.y = y;
  q.bounces = bounces;
  q.colour = colour;
  q.shadow = trail;
  q.dots = trail;
  q.active = true;
}

void DustBurst(const Ball& b) {
  for (Particle& q : gs().particles) {
    Launch(q, b.x, b.y, 3, kDustColour, false);
    q.angle = Random(256);
    q.speed = Random(13) / 3.0;
    q.vz = Random(13) / 3.0;
  }
}

void DebrisBurst(const Ball& b) {
  const int first = 1 + Random(23);
  for (int i = first; i < first + 6; ++i) {
    Particle& q = gs().particles[i];
    Launch(q, b.x, b.y, 1, kDustColour, false);
    q.angle = Random(256);
    q.speed = Random(8) / 3.0;
    q.vz = Random(8) / 3.0;
  }
}

// Sheets of water off a fast ball on a slow zone. On the green-spray hole every
// particle takes its share of the ball's speed (the motion step takes it off the
// ball itself).
void SprayBurst(const Ball& b) {
  const bool green = gs().holename == kGreenSprayHole;
  double speed = b.speed;
  for (Particle& q : gs().particles) {
    Launch(q, b.x, b.y + 6, 1, green ? kGreenColour : kSprayColour, !green);
    q.z = 0;
    q.angle = b.angle + Random(100) - 50;
    q.speed = speed + 3 + Random(250) / 100.0;
    q.vz = 2 + Random(150) / 100.0;
    if (green) speed -= kSprayLossPerParticle;
  }
}

void SplashBurst(const Ball& b, bool hard, bool green) {
  for (Particle& q : gs().particles) {
    Launch(q, b.x, b.y + 6, 1, green ? kGreenColour : kWaterColour, false);
    q.z = 0;
    if (hard) {
      q.angle = b.angle + Random(256);
      q.speed = 2 + Random(250) / 100.0;
      q.vz = b.vz + 5 + Random(150) / 100.0;
    } else {
      q.angle = b.angle + Random(40) - 20;
      q.speed = b.speed + 2 + Random(250) / 100.0;
      q.vz = 3 + Random(150) / 100.0;
    }
  }
}

void BlastBurst(const Ball& b) {
  for (Particle& q : gs().particles) {
    Launch(q, b.x, b.y, 2, kBlastColour, false);
    q.angle = Random(256);
    q.speed = 2 + Random(6);
    q.vz = 2 + Random(6);
  }
}

}  // namespace

void Burst(BurstKind kind, int p, bool green) {
  if (p < 1 || p > kMaxPlayers) return;
  const Ball& b = gs().players[p];
  switch (kind) {
    case BurstKind::Dust:
      DustBurst(b);
      break;
    case BurstKind::Debris:
      DebrisBurst(b);
      break;
    case BurstKind::Spray:
      SprayBurst(b);
      break;
    case BurstKind::HardSplash:
      SplashBurst(b, true, green);
      break;
    case BurstKind::SoftSplash:
      SplashBurst(b, false, green);
      break;
    case BurstKind::Blast:
      BlastBurst(b);
      break;
  }
}

void UpdateSprites() {
  GameState& g = gs();
  for (int k = kMaxSprites; k >= 1; --k) {
    Sprite& s = g.sprites[k];
    if (s.x == 0 && s.y == 0) continue;
    Pulse(s);
    s.frame += g.timescale;
    if (s.frame >= 4 * PatternsOf(s.image) || s.frame > 254) {
      if (!s.loop) EmptySprite(s);
      s.frame = 0;
    }
  }
}

void UpdateParticles() {
  GameState& g = gs();
  for (Particle& q : g.particles) {
    if (!q.active) continue;
    if (!Fly(q, g.timescale)) continue;
    // Once per frame whatever the timescale: a particle on a wall turns back once.
    ReflectOffWalls(q);
  }
}

}  // namespace gp
