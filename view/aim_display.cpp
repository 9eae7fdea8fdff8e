#include "view/aim_display.h"

#include <algorithm>

#include "base/angles.h"
#include "game/putt_stages.h"
#include "game/state.h"

namespace gp {

namespace {

// gui items of the aiming display.
enum : int { kGauge = 5, kTarget = 6, kClubShadow = 9, kClub = 10 };
// Target marker distance, course pixels; easy targeting stretches it with the power.
constexpr int kTargetDistance = 75;
constexpr double kEasyStretch = 2.25;
// The push putt's club while the direction is chosen: this far behind the ball.
constexpr int kPushAimClub = 12;
// Club picture size and its offset from the club point, pixels.
constexpr int kClubW = 96, kClubH = 142;
constexpr int kClubDX = -47, kClubDY = -125;
constexpr int kTargetAlpha = 192;

// Club distance behind the ball for this stage: the power, or the swing.
double ClubDistance(bool pull, int stage, double power) {
  if (pull && stage == kPullSwing) return gs().clubpos;
  if (!pull && stage == kPushDirection) return kPushAimClub;
  return power;
}

// The marker blinks through its patterns (the blink counter moves on after drawing).
void DrawTarget(const Scene& sc, int tx, int ty) {
  const int blink = gs().sprites[kBlinkSlot].frame;
  if (const ImageItem* target = sc.gui.Item(kTarget)) {
    sc.display.DrawAdd(*target, blink / 3,
                       Rect{tx - 16, ty - 13, target->Width(), target->Height()}, kTargetAlpha);
  }
}

// Shadow first (subtractive), then the club itself, at the club point.
void DrawClub(const Scene& sc, const Ball& b, double k) {
  const GameState& g = gs();
  const int x = RoundInt(b.x - ByteCos(b.angle) * k) - g.viewx + kClubDX;
  const int y = RoundInt(b.y - ByteSin(b.angle) * k) - g.viewy + kClubDY;
  const int c = ClubPattern(b.angle);
  if (const ImageItem* shadow = sc.gui.Item(kClubShadow)) {
    sc.display.DrawSub(*shadow, c, Rect{x, y, kClubW, kClubH}, 255);
  }
  if (const ImageItem* club = sc.gui.Item(kClub)) sc.display.Draw(*club, c, x, y);
}

void DrawGauge(const Scene& sc, int tx, int ty, double power) {
  if (const ImageItem* gauge = sc.gui.Item(kGauge)) {
    sc.display.Draw(*gauge, RoundInt(power / 3), tx - 47, ty - 56);
  }
}

}  // namespace

int ClubPattern(int angle) {
  return (((128 - angle) % 256 + 256) % 256) / 8;
}

int TargetDistance(bool pull, bool easy, double power) {
  if (pull && easy) return std::max(kTargetDistance, RoundInt(kEasyStretch * power));
  return kTargetDistance;
}

void DrawAim(const Scene& sc) {
  const GameState& g = gs();
  if (g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  const Ball& b = g.players[g.curplayer];
  if (g.swingend) {
    // The stroke was struck this frame: the club where the swing met the ball.
    DrawClub(sc, b, ClubDistance(true, kPullSwing, b.speed));
    return;
  }
  const int stage = g.puttstage;
  if (stage == 0) return;
  const double power = b.speed;  // while preparing, the speed field holds the power shown
  const StageLook look = LookOf(b.pull, stage);
  const int d = TargetDistance(b.pull, b.easy, power);
  const int tx = RoundInt(b.x + ByteCos(b.angle) * d) - g.viewx;
  const int ty = RoundInt(b.y + ByteSin(b.angle) * d) - g.viewy;
  if (look.target) DrawTarget(sc, tx, ty);
  DrawClub(sc, b, ClubDistance(b.pull, stage, power));
  if (look.gauge && g.clubpos < 1) DrawGauge(sc, tx, ty, power);
}

}  // namespace gp
