#include "sim/surfaces.h"

#include <cmath>

#include "base/random.h"
#include "game/area_kind.h"
#include "game/sound.h"
#include "game/state.h"
#include "base/angles.h"
#include "sim/devices.h"
#include "sim/effects.h"

namespace gp {

namespace {

// Wall orientations by kind (byte steps); -1 = not a wall.
int32_t WallOrientation(int32_t kind) {
  switch (kind) {
    case kRisingShallowWall:
      return 19;
    case kVerticalWall:
      return 64;
    case kFallingShallowWall:
      return 109;
    case kHorizontalWall:
      return 0;
    case kRisingDiagonalWall:
      return 32;
    case kFallingDiagonalWall:
      return 96;
    default:
      return -1;
  }
}

// Effective orientation of the shallow walls by the folded arrival direction,
// one entry per eight steps of fold (0..8, 9..16, ..., 121..128).
constexpr int32_t kRisingShallow[16] = {32, 38, 45, 42, 39, 37, 34, 32,
                                        32, 29, 26, 24, 21, 19, 26, 32};
constexpr int32_t kFallingShallow[16] = {96, 102, 109, 107, 104, 102, 99, 96,
                                         96, 94,  91,  89,  86,  83,  90, 96};

int ArrivalRow(int32_t f) {
  return f <= 8 ? 0 : (f - 1) / 8;
}

void Wall(int p, int i) {
  Ball& b = gs().players[p];
  const Area& a = gs().areas[i];
  if (i == b.lastarea) return;
  WallBounce(p, WallOrientation(a.kind));
  b.lastarea = i;
  if ((a.kind == kRisingShallowWall || a.kind == kFallingShallowWall) && a.p1 == 1) {
    PlaySound(19);
    Burst(BurstKind::Dust, p);
  }
}

// Slopes push towards 96, 1, 32, 128 with ramp codes -13, 13, 13, -13.
void Slope(int p, int32_t kind) {
  static constexpr int32_t kPush[4] = {96, 1, 32, 128};
  static constexpr int32_t kRamp[4] = {-13, 13, 13, -13};
  Ball& b = gs().players[p];
  b.ramp = kRamp[kind - kSlopeDownLeft];
  b.pushangle = kPush[kind - kSlopeDownLeft];
  double push = 0.014 * b.speed;
  if (push > 0.031) push = 0.031;
  if (push < 0.017) push = 0.017;
  b.pushspeed = push;
  b.lastarea = -1;
}

// Conveyors: a constant push in one of eight directions. East is 1, not
// 0, because a zero push direction would let the ball come to rest.
void Conveyor(int p, int32_t kind) {
  static constexpr int32_t kPush[8] = {1, 19, 64, 109, 128, 147, 192, 237};
  Ball& b = gs().players[p];
  b.pushangle = kPush[kind - kConveyorRight];
  b.pushspeed = 0.025;
  b.lastarea = -1;
}

void Attractor(int p, const Area& a) {
  Ball& b = gs().players[p];
  if (b.airborne || b.inhole) return;
  b.pushangle = AngleTo(a.x1, a.y1, RoundInt(b.x), RoundInt(b.y));
  b.pushspeed = 0.025 * b.speed + 0.025;
  b.lastarea = -1;
}

void Water(int p, const Area& a) {
  GameState& g = gs();
  Ball& b = g.players[p];
  if (b.z >= 1 || b.sinking) return;
  PlaySound(13);
  g.returnx = a.p1;
  g.returny = a.p2;
  b.sinking = true;
  Burst(std::fabs(b.vz) > 1 ? BurstKind::HardSplash : BurstKind::SoftSplash, p, a.p3 == 1);
  b.z = 0;
  b.vz = 0;
}

// The cup: a fast ball on the ground hops over it, a slow one drops in.
void Cup(int p, int i) {
  GameState& g = gs();
  Ball& b = g.players[p];
  if (b.speed > 2 && b.z < 4) {
    RestartMessage("TOO FAST TO GO IN");
    b.vz = b.speed / 1.75;
    b.angle += Random(16) - 8;
    b.airborne = true;
    if (g.soundon && Random(10) < 7) PlaySound(10);
    return;
  }
  if (b.inhole || b.airborne) return;
  PlaySound(3);
  b.inhole = true;
  b.holearea = i;
  if (b.speed > 0.75) b.speed = 0.75;
}

// The ground drops by p1 pixels: the ball's picture stays, its ground point moves down.
void Ledge(int p, int i) {
  Ball& b = gs().players[p];
  if (i == b.lastarea) return;
  const int32_t drop = gs().areas[i].p1;
  b.z += drop;
  b.y += drop;
  b.checkx = b.x;
  b.checky = b.y;
  b.airborne = true;
  b.lastarea = i;
}

// The ball falls off the course: its ground point goes 500 pixels below the
// course picture while the picture of the ball stays where it was; it comes
// back at (rx, ry).
void FallOff(Ball& b, int32_t rx, int32_t ry) {
  GameState& g = gs();
  const double h = g.courseheight;
  b.z = h - b.y + b.z + 500;
  b.y = h + 500;
  b.checkx = b.x;
  b.checky = b.y;
  g.returnx = rx;
  g.returny = ry;
  b.airborne = true;
  b.falloff = true;
  PlaySound(26);
}

void DropOff(int p, int i) {
  GameState& g = gs();
  Ball& b = g.players[p];
  if (i == b.lastarea) return;
  FallOff(b, g.areas[i].p1, g.areas[i].p2);
  b.lastarea = i;
}

void AreaAction(int p, int i) {
  const Area& a = gs().areas[i];
  Ball& b = gs().players[p];
  switch (a.kind) {
    case kRisingShallowWall:
    case kVerticalWall:
    case kFallingShallowWall:
    case kHorizontalWall:
    case kRisingDiagonalWall:
    case kFallingDiagonalWall:
      Wall(p, i);
      break;
    case kCup:
      Cup(p, i);
      break;
    case kSlopeDownLeft:
    case kSlopeRight:
    case kSlopeDownRight:
    case kSlopeLeft:
      Slope(p, a.kind);
      break;
    case kAttractor:
      Attractor(p, a);
      break;
    case kConveyorRight:
    case kConveyorShallowDownRight:
    case kConveyorDown:
    case kConveyorShallowDownLeft:
    case kConveyorLeft:
    case kConveyorShallowUpLeft:
    case kConveyorUp:
    case kConveyorShallowUpRight:
      Conveyor(p, a.kind);
      break;
    case kSlowZone:
      if (b.z < 0.5) b.wet = true;
      break;
    case kWater:
      Water(p, a);
      break;
    case kShade:
      if (a.p1 > b.shade) b.shade = a.p1;
      break;
    case kLedge:
      Ledge(p, i);
      break;
    case kDropOff:
      DropOff(p, i);
      break;
    case kGeyser:
    case kSpring:
    case kTeleporter:
    case kPipe:
    case kMine:
    case kTextSwitch:
    case kCannonOrHidden:
    case kRubble:
    case kJumpPad:
    case kBonus:
    case kWorker:
    case kCatapult:
    case kAreaSwitch:
    case kBreakable:
    case kFan:
      DeviceAction(p, i);
      break;
    default:
      break;  // 0, 31, 39, 41, 42, 44 and unknown kinds: no effect
  }
}

}  // namespace

bool TouchesArea(int i, int32_t px, int32_t py) {
  const Area& a = gs().areas[i];
  if (a.r >= 1) return FlatDist(px, py, a.x1, a.y1) <= a.r;
  if (a.x3 == 0 && a.x4 == 0) return NearSegment(a.x1, a.y1, a.x2, a.y2, px, py);
  if (a.x3 != 0 && a.x4 != 0) {
    return InQuad(a.x1, a.y1, a.x2, a.y2, a.x3, a.y3, a.x4, a.y4, px, py);
  }
  return false;  // exactly one of x3, x4 is 0: no shape
}

void AreaPass(int p) {
  GameState& g = gs();
  Ball& b = g.players[p];
  for (int i = 1; i <= kMaxAreas; ++i) {
    b.bounced = false;
    b.touching = false;
    // Each test sees the position left by the areas before it.
    if (g.areas[i].enabled && TouchesArea(i, RoundInt(b.x), RoundInt(b.y))) {
      b.touching = true;
      AreaAction(p, i);
    }
    if (b.bounced) {
      b.speed = 0.9 * b.speed;
      b.x = b.checkx;
      b.y = b.checky;
    }
  }
}

void LeaveCourse(int p) {
  GameState& g = gs();
  Ball& b = g.players[p];
  if (g.coursewidth <= 0 || g.courseheight <= 0) return;
  if (!b.oncourse || b.inhole || b.falloff || b.sinking || b.inpipe) return;
  if (b.x >= 0 && b.y >= 0 && b.x < g.coursewidth && b.y < g.courseheight) return;
  FallToStroke(p);
}

bool RestingPlace(int p) {
  const GameState& g = gs();
  const Ball& b = g.players[p];
  if (b.inpipe) return false;
  const bool picture = g.coursewidth > 0 && g.courseheight > 0;
  if (picture && !(b.x >= 0 && b.y >= 0 && b.x < g.coursewidth && b.y < g.courseheight)) {
    return false;
  }
  const int32_t px = RoundInt(b.x), py = RoundInt(b.y);
  for (int i = 1; i <= kMaxAreas; ++i) {
    const Area& a = g.areas[i];
    if ((a.kind == kWater || a.kind == kDropOff) && a.enabled && TouchesArea(i, px, py)) {
      return false;
    }
  }
  return true;
}

void FallToStroke(int p) {
  Ball& b = gs().players[p];
  FallOff(b, RoundInt(b.strokex), RoundInt(b.strokey));
  b.lastarea = -1;
}

void WallBounce(int p, int32_t a) {
  Ball& b = gs().players[p];
  if (b.z > 10) {
    // Hit high up: a scuff mark on the shallow and horizontal walls.
    const int image = a == 0 ? 16 : a == 19 ? 14 : a == 109 ? 15 : 0;
    if (image != 0) {
      SpawnSprite(RoundInt(b.x) - 30, RoundInt(b.y) - RoundInt(b.z) - 30, image, false, 192);
    }
    PlaySound(11);
  } else {
    PlaySound(1);
  }
  // The shallow walls reflect by an orientation that depends on the arrival.
  if (a == 19)
    a = kRisingShallow[ArrivalRow(FoldHalfTurn(b.angle))];
  else if (a == 109)
    a = kFallingShallow[ArrivalRow(FoldHalfTurn(b.angle))];
  b.angle = -2 * a - b.angle;  // mirror about the wall line; reduced by the next step
  b.bounced = true;
}

}  // namespace gp
