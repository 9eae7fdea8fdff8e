#include "sim/contact.h"

#include <cmath>

#include "game/sound.h"
#include "game/state.h"
#include "base/angles.h"
#include "sim/scoring.h"

namespace gp {

namespace {

// Balls touch below this flattened ground distance and this height difference, pixels.
constexpr int32_t kTouchDist = 15;
constexpr double kTouchHeight = 15;
// The striking ball backs away until it is this far from the struck one.
constexpr int32_t kClearFlat = 20;
constexpr int32_t kClearDist = 16;
// One pixel per round; a ball is always clear long before this.
constexpr int kMaxSeparationRounds = 400;
// Share of the speed kept in a contact.
constexpr double kKeep = 0.95;

bool Touching(const Ball& p, const Ball& q) {
  const int32_t px = RoundInt(p.x), py = RoundInt(p.y);
  const int32_t qx = RoundInt(q.x), qy = RoundInt(q.y);
  return FlatDist(px, py, qx, qy) < kTouchDist && std::fabs(q.z - p.z) < kTouchHeight;
}

// Ball p backs away from q along the line of centres c, one pixel per round.
void Separate(Ball& p, const Ball& q, int32_t c) {
  const int32_t qx = RoundInt(q.x), qy = RoundInt(q.y);
  for (int round = 0; round < kMaxSeparationRounds; ++round) {
    p.x -= ByteCos(c);
    p.y -= ByteSin(c);
    p.checkx = p.x;
    p.checky = p.y;
    const int32_t px = RoundInt(p.x), py = RoundInt(p.y);
    if (FlatDist(px, py, qx, qy) > kClearFlat) return;
    if (Dist(px, py, qx, qy) > kClearDist) return;
  }
}

// Ball p strikes ball q: q takes the share of p's motion along the line of
// centres, p glances off at a right angle to it.
void StrikeBall(Ball& p, Ball& q) {
  const int32_t c = AngleTo(RoundInt(q.x), RoundInt(q.y), RoundInt(p.x), RoundInt(p.y));
  q.angle = c;
  q.speed = std::fabs(ByteCos(p.angle - c) * p.speed) * kKeep;
  p.speed = kKeep * p.speed - q.speed;
  if (p.speed < 0) p.speed = 0;
  const int32_t delta = (c - p.angle) & 255;
  p.angle = (delta >= 1 && delta <= 127) ? c - 64 : c + 64;
  q.lastarea = -1;
  q.moving = true;
  p.lastarea = -1;
  Separate(p, q, c);
  PlaySound(1);
  GrantCollisionBonus();
}

}  // namespace

void Contacts(int p) {
  GameState& g = gs();
  if (p < 1 || p > kMaxPlayers) return;
  Ball& ball = g.players[p];
  for (int q = 1; q <= g.numplayers && q <= kMaxPlayers; ++q) {
    if (q == p) continue;
    Ball& other = g.players[q];
    if (other.inhole || !other.oncourse) continue;
    if (!Touching(ball, other)) continue;
    StrikeBall(ball, other);
  }
}

}  // namespace gp
