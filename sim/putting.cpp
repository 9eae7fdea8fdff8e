#include "sim/putting.h"

#include <algorithm>

#include "base/angles.h"
#include "game/putt_stages.h"
#include "game/sound.h"
#include "game/state.h"
#include "sim/motion.h"
#include "sim/scoring.h"

namespace gp {

namespace {

// A press this close to the ball (course pixels, exclusive) picks it.
constexpr int kNearBall = 24;
// Largest power shown while preparing a stroke.
constexpr double kMaxPower = 90;
// Pull: drags shorter than this (screen pixels) abandon the putt.
constexpr int kMinDrag = 4;
// Pull: launch speed = drag / kPullDivisor, at most kMaxPullSpeed.
constexpr double kPullDivisor = 40;
constexpr double kMaxPullSpeed = 4;
// Push: least power shown; power above which the draw-back begins (30 pixels).
constexpr double kMinPushPower = 5;
constexpr double kDrawBackStart = 15;
// Push: launch speed = last pointer step / 10, at most pushpower / 22.
constexpr double kPushStepDivisor = 10;
constexpr double kPushPowerDivisor = 22;
// A push launched this slowly or slower is not counted as a stroke.
constexpr double kUncountedSpeed = 0.005;

Ball& Current() {
  return gs().players[gs().curplayer];
}

bool PageShown() {
  const uint8_t s = gs().gamestate;
  return s == kPuttingHelp || s == kHoleCard || s == kScoreDetails || s == kRecordsPage;
}

// Length of the drag from the parked centre, screen pixels.
int DragLength() {
  const GameState& g = gs();
  return Dist(g.spotx, g.spoty, g.mousex, g.mousey);
}

// Half the pointer's height below the centre, screen pixels / 2.
double DrawBack() {
  return (gs().mousey - gs().spoty) / 2.0;
}

void PullFrame(Ball& b) {
  GameState& g = gs();
  if (g.puttstage == kPullAim) {
    // Aim opposite to the drag, kept unreduced (128..383); power = half the drag.
    b.angle = (AngleTo(g.mousex, g.mousey, g.spotx, g.spoty) & 255) + 128;
    b.speed = std::min(DragLength() / 2.0, kMaxPower);
  } else if (g.puttstage == kPullSwing) {
    g.clubpos -= g.clubspeed;
    g.clubspeed += 2;
    if (g.clubpos <= 0) {
      // The last swing frame shows the club at the ball before the release.
      g.swingend = true;
      b.speed = std::min(b.speed, kMaxPullSpeed);
      Strike();
    }
  }
}

// Stages in this order, so that the draw-back entered from stage 2 is first
// handled in the next frame.
void PushFrame(Ball& b) {
  GameState& g = gs();
  if (g.puttstage == kPushDirection) b.angle = 128 - (g.mousex - g.spotx);
  if (g.puttstage == kPushDrawBack) {
    g.pushpower = std::clamp(DrawBack(), kMinPushPower, kMaxPower);
    b.speed = g.pushpower;
  }
  if (g.puttstage == kPushWait) {
    g.pushpower = 0;
    b.speed = std::clamp(DrawBack(), kMinPushPower, kMaxPower);
    if (b.speed > kDrawBackStart) g.puttstage = kPushDrawBack;
  }
  if (g.puttstage == kPushSwing) {
    b.speed = std::min(DrawBack(), kMaxPower);
    g.pushpower = std::min(g.pushpower, kMaxPower);
    if (g.clubpos <= 0 && b.speed < 0) {
      // Swung back above the centre line: the speed of the last pointer move.
      PlaySound(0);
      b.speed = std::min(g.mousestep / kPushStepDivisor, g.pushpower / kPushPowerDivisor);
      Strike();
    }
  }
}

// Starts aiming on the ball: click sound, stage 1, pointer to the centre. The
// club starts at the ball: a pull putt dropped before its swing ended leaves it
// drawn back, and a push putt swings only with the club at the ball.
void PickBall() {
  PlaySound(5);
  gs().puttstage = 1;
  gs().clubpos = 0;
  ParkPointer();
}

// Pull release in the aiming stage: swing, or abandon a drag that is too short.
void ReleasePull(Ball& b) {
  GameState& g = gs();
  const int d = DragLength();
  g.clubpos = RoundInt(std::min(d / 2.0, kMaxPower));
  if (d < kMinDrag) {
    g.puttstage = kIdle;
    return;
  }
  b.speed = d / kPullDivisor;
  g.puttstage = kPullSwing;
}

// Push release: returns true when the release belonged to the putt.
bool ReleasePush() {
  GameState& g = gs();
  switch (g.puttstage) {
    case kIdle:
      // Unlike the pull putt's press, a push putt may start between holes.
      if (g.ballsmoving || !PointerNearBall()) return false;
      PickBall();
      return true;
    case kPushDirection:
      PlaySound(5);
      g.puttstage = kPushWait;
      ParkPointer();
      return true;
    case kPushDrawBack:
      // The back-swing is frozen; the pointer stays where it is.
      PlaySound(5);
      g.puttstage = kPushSwing;
      return true;
    default:  // waiting for the draw-back, or swinging: the click does nothing
      return true;
  }
}

}  // namespace

bool PointerNearBall() {
  const GameState& g = gs();
  const Ball& b = g.players[g.curplayer];
  return Dist(RoundInt(b.x), RoundInt(b.y), g.mousex + g.viewx, g.mousey + g.viewy) < kNearBall;
}

void OnPointerMove(int sx, int sy) {
  GameState& g = gs();
  g.mousestep = Dist(g.mousex, g.mousey, sx, sy);
  g.mousex = sx;
  g.mousey = sy;
}

bool OnLeftButtonDown() {
  GameState& g = gs();
  if (g.gamestate == kHoleFinished) return false;
  if (Current().pull && PointerNearBall() && !g.ballsmoving) {
    // Also during the swing: pressing on the ball again starts the aim anew.
    PickBall();
    return false;
  }
  return g.puttstage == kIdle;
}

bool OnLeftButtonUp() {
  GameState& g = gs();
  if (g.gameover || PageShown()) {
    // The click closes the page (or leaves the finished game); a putt
    // pressed under the page is dropped.
    g.puttstage = kIdle;
    return true;
  }
  Ball& b = Current();
  if (b.pull) {
    if (g.puttstage == kPullAim) {
      ReleasePull(b);
      return false;
    }
    return g.puttstage == kIdle;
  }
  return !ReleasePush();
}

void OnRightButton() {
  GameState& g = gs();
  g.puttstage = kIdle;
  if (g.exitconfirm) {
    PlaySound(5);
    g.exitconfirm = false;
  }
}

void AimFrame() {
  gs().swingend = false;
  Ball& b = Current();
  if (b.pull) {
    PullFrame(b);
  } else {
    PushFrame(b);
  }
}

void Strike() {
  GameState& g = gs();
  Ball& b = Current();
  b.moving = true;
  g.ballsmoving = true;
  StartStrokeClock();
  b.lastarea = -1;
  b.strokex = b.x;
  b.strokey = b.y;
  g.clubspeed = 1;
  g.puttstage = kIdle;
  g.strokerequest = true;
  if (b.pull || b.speed > kUncountedSpeed) CountStroke(g.curplayer);
  if (b.wet) {
    // Out of a slow zone the ball hops.
    b.vz = b.speed / 2 + 1;
    b.airborne = true;
  }
  if (b.pull) PlaySound(0);  // the push putt played it before computing the speed
  ParkPointer();
}

void ParkPointer() {
  GameState& g = gs();
  g.spotx = g.screenwidth / 2;
  g.spoty = g.screenheight / 2;
  g.mousex = g.spotx;
  g.mousey = g.spoty;
  g.parkrequest = true;
}

void AimBlink() {
  GameState& g = gs();
  const int stage = g.puttstage;
  if (stage == kIdle || g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  if (!LookOf(g.players[g.curplayer].pull, stage).target) return;
  int& blink = g.sprites[kBlinkSlot].frame;
  blink = (blink + 1) % kBlinkSteps;
}

}  // namespace gp
