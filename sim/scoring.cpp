#include "sim/scoring.h"

#include <algorithm>

#include "base/angles.h"
#include "base/random.h"
#include "game/area_kind.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"

namespace gp {

namespace {

// Splash drawn over a ball that has sunk (sprite slot, image, additive strength).
constexpr int kSplashSlot = 32;
constexpr int kSplashImage = 4;
// Flash where a returned ball comes back from the sky.
constexpr int kReturnFlashImage = 13;
constexpr int kScoreGlow = 192;
// Height from which a returned ball falls back, pixels.
constexpr double kReturnHeight = 80;
// A ball that fell off the course comes back once it has fallen below this height.
constexpr double kFalloffReturnHeight = 100;
// A dropping ball is holed out below this height, pixels.
constexpr double kHoledDepth = -45;
// The cup drop: least speed (keeps the ball "moving") and gravity, per frame.
constexpr double kDropSpeed = 0.125;
constexpr double kDropGravity = 0.35;

bool ValidPlayer(int p) {
  return p >= 1 && p <= kMaxPlayers;
}

// Puts player p's ball back on the course near the return point, falling from the sky.
void BringBack(int p) {
  GameState& g = gs();
  Ball& b = g.players[p];
  b.lastarea = -1;
  b.z = kReturnHeight;
  b.vz = 0;
  b.angle = 0;
  b.speed = 0;
  b.airborne = true;
  b.moving = true;
  b.sinking = false;
  b.ballrows = 15;
  g.centreview = true;
  b.x = g.returnx;
  b.y = g.returny;
  // Scatter on a flattened ring of radius 4..25 so that returned balls do not stack.
  const int a = Random(256);
  const int r = Random(22) + 4;
  b.x += ByteCos(a) * r;
  b.y += ByteSin(a) * r / 2;
  SpawnSprite(RoundInt(b.x) - 17, RoundInt(b.y) - 28 - RoundInt(b.z), kReturnFlashImage, false,
              kScoreGlow);
  PlaySound(7);
  if (setup().minus1) {
    RestartMessage("PENALTY STROKE");
    b.total += 1;
    b.strokes += 1;
    ShowBigMessage("PENALTY STROKE");
  }
}

// One frame of sinking: one more pixel row goes under, the splash at row 1; the
// ball comes back once it is gone and the splash has played out.
void SinkRow(int p) {
  GameState& g = gs();
  Ball& b = g.players[p];
  if (b.ballrows > 0) {
    b.ballrows -= 1;
    b.y += 1;
    if (b.ballrows == 7) b.speed = 0;
    if (b.ballrows == 1) {
      g.sprites[kSplashSlot] =
          Sprite{RoundInt(b.x - 8), RoundInt(b.y - 25), kSplashImage, 0, false, kScoreGlow, 0};
    }
    return;
  }
  const Sprite& splash = g.sprites[kSplashSlot];
  if (splash.x == 0 && splash.y == 0) BringBack(p);
}

// The drop: the ball falls faster each frame and is pulled to the cup's centre.
void DropStep(Ball& b) {
  const GameState& g = gs();
  if (b.speed < kDropSpeed) b.speed = kDropSpeed;
  b.vz += kDropGravity;
  b.z -= b.vz;
  if (b.holearea < 1 || b.holearea > kMaxAreas) return;
  const Area& cup = g.areas[b.holearea];
  if (cup.kind != kCup) return;  // taken out by the stroke limit, or a pipe
  const int bx = RoundInt(b.x), by = RoundInt(b.y);
  if (FlatDist(bx, by, cup.x1, cup.y1) <= cup.r) return;
  b.angle = AngleTo(cup.x1, cup.y1, bx, by);
  b.x = b.checkx + (cup.x1 >= b.x ? 1 : -1);
  b.y = b.checky + (cup.y1 >= b.y ? 1 : -1);
}

// A ball the stroke limit took out: in the hole without having dropped into a
// cup. The turn change that took it out has passed its player's turn already.
bool TakenOut(const Ball& b) {
  const GameState& g = gs();
  return b.holearea < 1 || b.holearea > kMaxAreas || g.areas[b.holearea].kind != kCup;
}

// Every player 1..numplayers has holed out. A ball still dropping (in the cup
// but on the course) keeps the hole open, so that two balls dropping together
// complete the hole once, after the second one.
bool AllHoledOut() {
  const GameState& g = gs();
  for (int i = 1; i <= g.numplayers; ++i) {
    if (!g.players[i].inhole || g.players[i].oncourse) return false;
  }
  return true;
}

// The hole is complete: holes won, then the next hole or the game's end.
void CompleteHole() {
  GameState& g = gs();
  for (int i = 1; i <= g.numplayers; ++i) {
    if (g.players[i].strokes == g.beststrokes) g.players[i].holeswon += 1;
  }
  g.holenumber += 1;
  if (g.holenumber > g.holecount) {
    g.gameover = true;
    g.gamestate = kScoreDetails;
    PlaySound(18);
  } else {
    g.gamestate = kHoleFinished;
  }
}

void HoleOut(int p) {
  GameState& g = gs();
  Ball& b = g.players[p];
  const int d = b.strokes - g.par;
  if (!setup().training) PlaySound(d <= 0 ? 18 : 22);
  if (g.bigmessage != "OVER STROKE LIMIT") {
    g.bigmessage = b.strokes == 1 ? "HOLE IN ONE" : ResultName(d);
  }
  g.bigmessagefade = 255;
  g.beststrokes = std::min(g.beststrokes, b.strokes);
  b.topar = b.total - g.totalpar;
  // Off every course. A dropped ball still moves for one step so that the turn
  // change runs; a ball taken out by the stroke limit stays at rest, since its
  // turn has passed (a second pass would skip the next player), and leaves the
  // next player's turn alone.
  b.oncourse = false;
  b.x = kOffCourseX;
  b.speed = 0;
  if (!TakenOut(b)) {
    b.moving = true;
    g.passturn = true;
  }
  if (g.holenumber >= 1 && g.holenumber <= kMaxHoles) b.holestrokes[g.holenumber] = b.strokes;
  if (g.firstholed == 0) g.firstholed = p;
  g.holedout[p] = g.holenumber;
  g.takenout[p] = TakenOut(b);
  if (AllHoledOut()) CompleteHole();
}

}  // namespace

std::string ResultName(int d) {
  switch (d) {
    case -2:
      return "EAGLE";
    case -1:
      return "BIRDIE";
    case 0:
      return "PAR";
    case 1:
      return "BOGEY";
    case 2:
      return "DOUBLE BOGEY";
    case 3:
      return "TRIPLE BOGEY";
    default:
      return "IN HOLE";
  }
}

void CountStroke(int p) {
  if (!ValidPlayer(p)) return;
  gs().players[p].strokes += 1;
  gs().players[p].total += 1;
}

void GrantCollisionBonus() {
  GameState& g = gs();
  if (g.bonusturn || !setup().plus1) return;
  g.bonusturn = true;
  PlaySound(21);
  RestartMessage("BONUS STROKE");
  Ball& cur = g.players[g.curplayer];
  cur.total -= 1;
  cur.strokes -= 1;
  ShowBigMessage("BONUS STROKE");
}

void GrantAreaBonus(int p) {
  if (!ValidPlayer(p)) return;
  GameState& g = gs();
  Ball& b = g.players[p];
  b.total -= 1;
  b.strokes -= 1;
  RestartMessage("BONUS STROKE");
  PlaySound(21);
  // The ball hops off the pick-up.
  b.vz = 3;
  b.airborne = true;
  g.passturn = false;
  g.bonusturn = true;
  ShowBigMessage("BONUS STROKE");
}

void ReturnBall(int p) {
  if (!ValidPlayer(p)) return;
  Ball& b = gs().players[p];
  if (b.sinking) {
    SinkRow(p);
  } else if (b.falloff && b.z < kFalloffReturnHeight) {
    b.falloff = false;
    BringBack(p);
  }
}

bool CurrentOverStrokeLimit() {
  const GameState& g = gs();
  const Ball& b = g.players[g.curplayer];
  return !setup().training && !b.inhole && b.strokes >= StrokeLimit(setup());
}

void CheckStrokeLimit() {
  GameState& g = gs();
  if (!CurrentOverStrokeLimit()) return;
  Ball& b = g.players[g.curplayer];
  b.inhole = true;
  b.z = -100;
  PlaySound(10);
  ShowBigMessage("OVER STROKE LIMIT");
}

void DropAndHoleOut(int p) {
  if (!ValidPlayer(p)) return;
  Ball& b = gs().players[p];
  if (!b.inhole) return;
  DropStep(b);
  if (b.oncourse && b.z < kHoledDepth) HoleOut(p);
}

void UpdateLiveToPar() {
  GameState& g = gs();
  Ball& cur = g.players[g.curplayer];
  if (cur.strokes >= g.par) cur.topar = cur.total - g.totalpar;
}

}  // namespace gp
