#include "sim/motion.h"

#include <algorithm>
#include <cmath>

#include "base/random.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/hole_tables.h"
#include "game/state.h"
#include "base/angles.h"
#include "sim/contact.h"
#include "sim/surfaces.h"
#include "sim/effects.h"
#include "sim/turns.h"

namespace gp {

namespace {

constexpr double kFriction = 0.005;   // speed lost per step on open ground
constexpr double kMaxSpeed = 5.0;     // ground speed cap, pixels per step
constexpr double kGravity = 0.2;      // vertical speed lost per step in flight
constexpr double kBounce = 0.65;      // vertical speed kept (reversed) at ground contact
constexpr double kJumpFactor = 0.92;  // vertical speed per unit ground speed off a slope edge
// Speeds below this are rest: repeated subtraction of 0.005 in binary leaves
// crumbs (4 - 800 x 0.005 is 6e-14, not 0) that would add a step of no motion.
constexpr double kRestSpeed = 1e-9;
constexpr double kSprayHoleLoss = 0.825;  // 33 spray particles at 0.025 each, green spray only
constexpr int kStuckSteps = 60;           // steps inside the 2-pixel circle before recovery
constexpr int kSoundBounce = 2;
constexpr int kSoundStuck = 19;

StepObserver g_stepobserver = nullptr;

int32_t Round(double v) {
  return RoundInt(v);
}

void ProgressCheck(Ball& b) {
  if (Dist(Round(b.checkx), Round(b.checky), Round(b.x), Round(b.y)) >= 2) {
    b.checkx = b.x;
    b.checky = b.y;
    b.stillcount = 0;
  } else {
    ++b.stillcount;
  }
  if (Dist(Round(b.backx), Round(b.backy), Round(b.x), Round(b.y)) >= 6) {
    b.backx = b.x;
    b.backy = b.y;
  }
}

// A ball that makes no progress is put back and sent off backwards in a hop.
void StuckRecovery(int p) {
  Ball& b = gs().players[p];
  if (b.stillcount <= kStuckSteps || b.airborne || b.wet || b.sinking || b.inpipe || b.inhole) {
    return;
  }
  b.x = b.backx;
  b.y = b.backy;
  b.airborne = true;
  b.angle -= Random(128) + 64;
  b.speed = 1.0;
  b.vz = 1.0;
  b.lastarea = -1;
  b.moving = true;
  b.stillcount = 0;
  PlaySound(kSoundStuck);
  Burst(BurstKind::Dust, p);
}

// Velocity with the surface push (none in the air), new heading and speed, move.
void Move(Ball& b) {
  double vx = ByteCos(b.angle) * b.speed;
  double vy = ByteSin(b.angle) * b.speed;
  if (b.z <= 1.5) {
    vx += ByteCos(b.pushangle) * b.pushspeed;
    vy += ByteSin(b.pushangle) * b.pushspeed;
  }
  b.angle = AngleOfVector(vx, vy);
  b.speed = std::sqrt(vx * vx + vy * vy);
  b.x += vx;
  b.y += vy;

  // Rolling texture: spin follows the x motion, the offsets the y motion (0..16).
  const int32_t spin = (static_cast<int32_t>(b.spin) + Round(2.75 * vx)) & 255;
  b.spin = static_cast<int8_t>(static_cast<uint8_t>(spin));
  b.rollx += ByteSin(spin) * vy / 2;
  b.rolly += ByteCos(spin) * vy / 2;
  for (double* r : {&b.rollx, &b.rolly}) {
    if (*r > 16) {
      *r -= 16;
    } else if (*r < 0) {
      *r += 16;
    }
  }
}

void SpeedLimits(int p) {
  GameState& g = gs();
  Ball& b = g.players[p];
  if (b.speed > kMaxSpeed) b.speed = kMaxSpeed;
  b.speed -= kFriction;
  if (b.sinking) {
    if (b.speed > 0.5) {
      b.speed = 0.5;
    } else {
      b.speed -= 0.065;
    }
  }
  if (b.wet) {
    if (b.speed > 2.5) {
      b.speed = 2.0;
      PlaySound(kSoundBounce);
      Burst(BurstKind::Spray, p);
      // This hole's spray slows the ball by 0.025 for each of its 33 particles.
      if (g.holename == kGreenSprayHole) b.speed -= kSprayHoleLoss;
    } else {
      b.speed -= 0.025;
    }
  }
  if (b.speed < kRestSpeed) b.speed = 0;
}

void Flight(int p) {
  Ball& b = gs().players[p];
  if (!b.airborne) return;
  b.z += b.vz;
  if (b.z < 0) {  // ground contact
    b.vz = -kBounce * b.vz;
    b.z = 0;
    if (b.vz >= 1.5) LandingDust(p);
    PlaySound(kSoundBounce);
  }
  b.vz -= kGravity;
  if (b.z == 0 && std::fabs(b.vz) < 0.5) b.airborne = false;
}

// Crossing a slope's edge bends the path; leaving a slope's top fast is a jump.
// The range tests see the angle as stored, not reduced to 0..255.
void SlopeEdges(Ball& b) {
  if (b.airborne) return;
  auto bend = [&b]() { return Round(std::fabs(ByteCos(b.angle - 19)) * 15); };
  const int32_t last = b.lastramp, now = b.ramp;
  if (last == 13 && now == 0) b.angle -= bend();
  if (last == 0 && now == 13) b.angle += bend();
  if (last == -13 && now == 0) b.angle += bend();
  if (last == 0 && now == -13) b.angle -= bend();
  const int32_t a = b.angle;
  if (last == -13 && now == 0 && b.speed > 2 && ((a > 208 && a < 240) || (a > 0 && a < 32))) {
    b.vz = kJumpFactor * b.speed;
    b.airborne = true;
  }
  if (last == 13 && now == 0 && b.speed > 2 && ((a > 144 && a < 176) || (a > 96 && a < 128))) {
    b.vz = kJumpFactor * b.speed;
    b.airborne = true;
  }
}

// The area pass of this step fills the surface state again.
void HandOver(Ball& b) {
  b.lastramp = b.ramp;
  b.lastpushangle = b.pushangle;
  b.ramp = 0;
  b.pushangle = 0;
  b.pushspeed = 0;
  b.wet = false;
}

void RestCheck(Ball& b) {
  if (b.speed == 0 && !b.airborne && b.lastpushangle == 0 && !b.sinking && !b.inpipe) {
    b.moving = false;
    b.stillcount = 0;
  }
}

// Ball b at rest on the ground at (x, y), with no surface state left.
void RestAt(Ball& b, double x, double y) {
  b.x = b.checkx = b.backx = x;
  b.y = b.checky = b.backy = y;
  b.z = b.vz = b.speed = b.pushspeed = 0;
  b.pushangle = b.lastpushangle = b.ramp = b.lastramp = 0;
  b.airborne = b.inpipe = b.wet = b.moving = false;
  b.lastarea = -1;
  b.stillcount = 0;
}

// The stroke's time limit for a moving ball in play (see MotionPhase). True when it
// stopped or sent back the ball: the step then has no area pass, so that nothing
// throws the ball off again.
bool StrokeTimeUp(int p) {
  GameState& g = gs();
  Ball& b = g.players[p];
  if (g.strokesteps < kStrokeSteps || !b.moving || !b.oncourse || b.inhole) return false;
  if (b.sinking || b.falloff) return false;  // on its way back already
  const bool here = RestingPlace(p);
  if (here && b.z > 0 && b.vz <= 0) return false;  // coming down where it may rest: it lands
  if (!b.timedout) {
    b.timedout = true;
    RestartMessage(kStrokeTimeMessage);
    if (!here) {
      b.inpipe = false;
      FallToStroke(p);
      return true;
    }
  }
  // Back again and still moving: where it is if it may rest there, else where it lay.
  if (here) {
    RestAt(b, b.x, b.y);
  } else {
    RestAt(b, b.strokex, b.strokey);
  }
  return true;
}

}  // namespace

void MotionPhase() {
  GameState& g = gs();
  if (g.ballsmoving) g.strokesteps = std::min(g.strokesteps + g.timescale + 1, kStrokeSteps);
  const int count = std::clamp(g.numplayers, 1, kMaxPlayers);
  for (int p = 1; p <= count; ++p) {
    for (int k = 0; k <= g.timescale; ++k) {
      if (g.players[p].moving) BallStep(p);
    }
  }
}

void BallStep(int p) {
  Ball& b = gs().players[p];
  ProgressCheck(b);
  StuckRecovery(p);
  Move(b);
  SpeedLimits(p);
  Flight(p);
  SlopeEdges(b);
  HandOver(b);
  if (setup().whencollide != 0) Contacts(p);
  RestCheck(b);
  const bool stopped = StrokeTimeUp(p);
  EndOfMotion();
  if (!stopped) {
    AreaPass(p);
    LeaveCourse(p);
  }
  if (g_stepobserver != nullptr) g_stepobserver(p);
}

void StartStrokeClock() {
  GameState& g = gs();
  g.strokesteps = 0;
  for (int p = 1; p <= kMaxPlayers; ++p) g.players[p].timedout = false;
}

void SetStepObserver(StepObserver observer) {
  g_stepobserver = observer;
}

void LandingDust(int p) {
  GameState& g = gs();
  const Ball& b = g.players[p];
  for (int i = 28; i <= kMaxParticles; ++i) {
    Particle& q = g.particles[i];
    q.x = b.x;
    q.y = b.y + 6;
    q.z = 0;
    q.angle = Random(360);
    q.speed = 2.95;
    q.vz = 0.75;
    q.bounces = 1;
    q.colour = 3534447;
    q.active = true;
    q.shadow = false;
  }
}

}  // namespace gp
