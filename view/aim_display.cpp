#include "view/aim_display.h"

#include <algorithm>

#include "game/state.h"
#include "base/angles.h"
#include "app/game_window.h"

namespace gp {

namespace {

// gui items of the aiming display.
enum : int { kGauge = 5, kTarget = 6, kClubShadow = 9, kClub = 10 };
// Sprite slot whose frame field keeps the target's blink counter (0..9).
constexpr int kBlinkSlot = 33;
constexpr int kBlinkSteps = 10;
// Target marker distance, course pixels; easy targeting stretches it with the power.
constexpr int kTargetDistance = 75;
constexpr double kEasyStretch = 2.25;
// The push putt's club while the direction is chosen: this far behind the ball.
constexpr int kPushAimClub = 12;
// Club picture size and its offset from the club point, pixels.
constexpr int kClubW = 96, kClubH = 142;
constexpr int kClubDX = -47, kClubDY = -125;
constexpr int kTargetAlpha = 192;

// What one stage shows.
struct StageLook {
  bool target;
  bool gauge;  // while the club has not been drawn back (clubpos < 1)
};

StageLook LookOf(bool pull, int stage) {
  if (pull) return stage == 1 ? StageLook{true, true} : StageLook{false, false};
  if (stage == 2 || stage == 3) return {true, true};
  return {true, false};  // choosing the direction, or swinging forward
}

// Club distance behind the ball for this stage: the power, or the swing.
double ClubDistance(bool pull, int stage, double power) {
  if (pull && stage == 2) return gs().clubpos;
  if (!pull && stage == 1) return kPushAimClub;
  return power;
}

void DrawTarget(int tx, int ty) {
  TMain& w = mainwin();
  int& blink = gs().sprites[kBlinkSlot].frame;
  if (const ImageItem* target = w.gui.Item(kTarget)) {
    w.DXDraw.DrawAdd(*target, blink / 3, Rect{tx - 16, ty - 13, target->Width(), target->Height()},
                     kTargetAlpha);
  }
  blink = (blink + 1) % kBlinkSteps;
}

// Shadow first (subtractive), then the club itself, at the club point.
void DrawClub(const playerrec& b, double k) {
  const GameState& g = gs();
  TMain& w = mainwin();
  const int x = RoundInt(b.x - ByteCos(b.angle) * k) - g.viewx + kClubDX;
  const int y = RoundInt(b.y - ByteSin(b.angle) * k) - g.viewy + kClubDY;
  const int c = ClubPattern(b.angle);
  if (const ImageItem* shadow = w.gui.Item(kClubShadow)) {
    w.DXDraw.DrawSub(*shadow, c, Rect{x, y, kClubW, kClubH}, 255);
  }
  if (const ImageItem* club = w.gui.Item(kClub)) w.DXDraw.Draw(*club, c, x, y);
}

void DrawGauge(int tx, int ty, double power) {
  if (const ImageItem* gauge = mainwin().gui.Item(kGauge)) {
    mainwin().DXDraw.Draw(*gauge, RoundInt(power / 3), tx - 47, ty - 56);
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

void DrawAim() {
  const GameState& g = gs();
  const int stage = g.puttstage;
  if (stage == 0 || g.curplayer < 1 || g.curplayer > kMaxPlayers) return;
  const playerrec& b = g.players[g.curplayer];
  const double power = b.speed;  // while preparing, the speed field holds the power shown
  const StageLook look = LookOf(b.pull, stage);
  const int d = TargetDistance(b.pull, b.easy, power);
  const int tx = RoundInt(b.x + ByteCos(b.angle) * d) - g.viewx;
  const int ty = RoundInt(b.y + ByteSin(b.angle) * d) - g.viewy;
  if (look.target) DrawTarget(tx, ty);
  DrawClub(b, ClubDistance(b.pull, stage, power));
  if (look.gauge && g.clubpos < 1) DrawGauge(tx, ty, power);
}

}  // namespace gp
