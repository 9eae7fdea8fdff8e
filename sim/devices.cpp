#include "sim/devices.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "base/random.h"
#include "game/sound.h"
#include "game/area_kind.h"
#include "game/hole_tables.h"
#include "game/state.h"
#include "base/angles.h"
#include "sim/effects.h"
#include "sim/scoring.h"

namespace gp {

namespace {

// Sprite strengths: additive glows.
constexpr int kGlow = 192;
constexpr int kFullGlow = 255;
// Course images of the device effects.
constexpr int kEruptionImage = 3;  // geyser and mine
constexpr int kDebrisImage = 8;
constexpr int kFlashImage = 13;   // teleporter
constexpr int kSparkleImage = 7;  // bonus pick-up
constexpr int kWorkerImage = 8;
constexpr int kCannonImage = 5;
// The pick-up's decoration and shadow, placed by hole set-up.
constexpr int kBonusSlot = 36;
constexpr int kBonusShadowSlot = 37;
// Exit speeds of teleporters, catapults and pipes, pixels per step.
constexpr double kMaxExitSpeed = 2;

// Rounded ball position.
int32_t Px(const Ball& b) {
  return RoundInt(b.x);
}
int32_t Py(const Ball& b) {
  return RoundInt(b.y);
}

// The comment of a rubble area as an image number; false unless it is a whole
// decimal integer.
bool DecimalComment(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc{} && end == last && first != last;
}

void Geyser(Ball& b, const Area& a) {
  if (b.inhole || b.z >= 2) return;
  b.airborne = true;
  b.angle = Random(360);  // taken modulo 256: 0..103 come up twice as often
  b.speed = 1.5;
  b.vz = 6;
  SpawnSprite(a.x1 - 27, a.y1 - 147, kEruptionImage, false, kGlow);
  b.lastarea = -1;
  b.moving = true;
  PlaySound(9);
}

// Springs throw the ball up; a "murk" spring much higher, a "tank" shoots at it.
void Spring(Ball& b, const Area& a) {
  if (b.z >= 4) return;
  b.airborne = true;
  if (a.p3 != 0) b.angle = a.p3 - Random(16);
  b.vz = 6;
  b.speed += 0.25;
  if (a.comment == "murk") {
    b.vz = 8.5;
    b.speed += 2.05;
    b.angle = Random(4) + 17;
  }
  b.lastarea = -1;
  b.moving = true;
  RestartMessage("YOU HIT A SPRING");
  if (a.p1 != 0) SpawnSprite(a.p1, a.p2, a.p4, false, 0);
  if (a.comment != "tank") {
    PlaySound(14);
    return;
  }
  PlaySound(27);
  gs().message = std::string(27, ' ') + "YOU GOT SHOT";
  b.vz = Random(10) / 10.0 + 4.5;
  b.speed = Random(20) / 10.0 + 2.45;
}

void Fan(Ball& b, const Area& a) {
  if (b.z >= 4) return;
  b.airborne = true;
  if (a.p3 != 0) b.angle = a.p3;
  b.vz = 6;
  b.speed += 0.25;
  b.lastarea = -1;
  b.moving = true;
  RestartMessage(a.comment == "witch" ? "WATCH OUT FOR WITCHES" : "YOU HIT A FAN");
  if (a.p1 != 0) SpawnSprite(a.p1, a.p2, a.p4, false, 0);
  PlaySound(9);
}

void Mine(int p) {
  Ball& b = gs().players[p];
  if (b.inhole || b.z >= 4) return;
  b.airborne = true;
  b.angle -= Random(128) + 64;  // thrown back by 64..191 steps
  b.speed = 3;
  b.vz = 6;
  b.lastarea = -1;
  b.moving = true;
  Burst(BurstKind::Blast, p);
  SpawnSprite(Px(b) - 55, Py(b) - 65, kEruptionImage, false, kGlow);
  PlaySound(12);
}

// Rubble kicks the ball about one step in eight.
void Rubble(int p, const Area& a) {
  if (Random(8) != 0) return;
  Ball& b = gs().players[p];
  // Only a rolling ball is kicked. A ball that came to rest on rubble in this
  // step has ended its turn already: kicked, it would roll while the next
  // player plays, and it could be struck while rolling. A ball in the hole is
  // out of play (one the stroke limit took out would roll on the course again).
  if (!b.moving || b.inhole) return;
  if (b.speed > 2) b.speed *= 0.94;
  b.airborne = true;
  if (std::fabs(b.vz) < 0.5) b.vz = Random(8) / 10.0;
  b.angle = (b.angle - Random(4) + 2) & 255;
  b.lastarea = -1;
  b.moving = true;
  Burst(BurstKind::Debris, p);
  const int dx = Random(22);
  const int dy = Random(22);
  SpawnSprite(Px(b) - dx, Py(b) - dy - 10, kDebrisImage, false, 128);
  // The rubble's own picture; a comment that is no image number shows none.
  int image = 0;
  if (a.p1 != 0 && a.p2 != 0 && DecimalComment(a.comment, image)) {
    SpawnSprite(a.p1, a.p2, image, false, 0);
  }
  PlaySound(Random(10) > 5 ? 16 : 15);
}

void JumpPad(Ball& b) {
  if (b.airborne || b.speed <= 3.5) return;
  b.speed = 4.5;
  b.vz = 12;
  b.airborne = true;
}

// A one-time bonus stroke; the scoring rule also makes the ball hop.
void Bonus(int p, Area& a) {
  GameState& g = gs();
  a.enabled = false;
  for (int slot : {kBonusSlot, kBonusShadowSlot}) {
    Sprite& s = g.sprites[slot];
    s.x = s.y = 0;
    s.image = 0;
    s.loop = false;
    s.p1 = s.p2 = 0;
  }
  g.nextsprite = 1;
  const Ball& b = g.players[p];
  const int x = Px(b) - 80, y = Py(b) - 62;
  SpawnSprite(x, y, kSparkleImage, false, kFullGlow);
  SpawnSprite(x, y, kSparkleImage, false, -192);
  GrantAreaBonus(p);
}

void Worker(Ball& b) {
  if (b.airborne) return;
  b.airborne = true;
  b.angle = 192 - Random(64);
  b.speed = 3;
  b.vz = 6;
  b.lastarea = -1;
  b.moving = true;
  RestartMessage("YOU WOKE THE CONSTRUCTION WORKER");
  SpawnSprite(1006, 71, kWorkerImage, false, 0);
  PlayBgSound(1);
}

// Exit speed: the length of the exit segment over `divisor`, at most 2.
double ExitSpeed(const Area& a, double divisor) {
  const double s = Dist(a.x3, a.y3, a.x4, a.y4) / divisor;
  return s > kMaxExitSpeed ? kMaxExitSpeed : s;
}

void TeleportFlash(const Ball& b) {
  SpawnSprite(Px(b) - 17, Py(b) - 28 - RoundInt(b.z), kFlashImage, false, kFullGlow);
}

void Teleporter(Ball& b, const Area& a) {
  TeleportFlash(b);
  b.x = a.x2;
  b.y = a.y2;
  const int dir = Random(256);
  const int d = Random(12) + 4;
  b.x += ByteCos(dir) * d;
  b.y += ByteSin(dir) * d / 2;
  b.angle = AngleTo(a.x4, a.y4, a.x3, a.y3);
  b.speed = ExitSpeed(a, 50);
  b.z = std::abs(a.y3 - a.y2);  // comes out that high above the exit
  b.airborne = true;
  TeleportFlash(b);
  gs().centreview = true;
  PlaySound(7);
}

void Catapult(Ball& b, const Area& a) {
  b.x = a.x2;
  b.y = a.y2;
  b.angle = AngleTo(a.x4, a.y4, a.x3, a.y3) - 3 + Random(6);
  b.speed = ExitSpeed(a, 55 - Random(10));
  b.z = std::abs(a.y3 - a.y2);
  b.airborne = true;
}

void CannonOrHidden(Ball& b, Area& a) {
  GameState& g = gs();
  if (a.comment == "cannon") {
    SpawnSprite(1097, 76, kCannonImage, false, kGlow);
    PlaySound(27);
    b.vz = 8.6;
    a.enabled = false;
  } else if (a.comment == "hidden") {
    g.nexthole = kBonusHole;
    ShowBigMessage("BONUS HOLE DISCOVERED");
  }
}

void TextSwitch(const Area& a) {
  if (std::string* slot = TextSlot(a.p1)) *slot = a.comment;
}

void AreaSwitch(const Area& a) {
  if (a.p1 >= 1 && a.p1 <= kMaxAreas) gs().areas[a.p1].enabled = true;
}

void Breakable(const Ball& b, Area& a) {
  if (b.airborne) return;
  a.enabled = false;
  PlayBgSound(1);
}

void PipeEntrance(Ball& b, int i) {
  if (b.speed > 2) {
    RestartMessage("TOO FAST TO GO IN");
    b.vz = b.speed / 1.75;
    b.angle += Random(16) - 8;
    b.airborne = true;
    return;
  }
  if (b.inpipe || b.airborne) return;
  PlaySound(3);
  b.inpipe = true;
  b.holearea = i;
  if (b.speed > 0.75) b.speed = 0.75;
}

// The ball leaves the pipe at its exit, launched along the exit segment.
void PipeExit(Ball& b, const Area& a) {
  PlaySound(17);
  b.x = a.x2;
  b.y = a.y2;
  b.angle = AngleTo(a.x4, a.y4, a.x3, a.y3);
  b.speed = Dist(a.x3, a.y3, a.x4, a.y4) / 50.0;
  b.angle += 8 - Random(16);
  b.speed += 0.25 - Random(5) / 10.0;
  if (b.speed > kMaxExitSpeed) b.speed = kMaxExitSpeed;
  b.z = std::abs(a.y3 - a.y2);
  b.vz = 0.3;
  b.airborne = true;
  b.lastarea = a.p4;
  b.inpipe = false;
  gs().centreview = true;
  b.oncourse = true;
}

}  // namespace

void DeviceAction(int p, int i) {
  if (p < 1 || p > kMaxPlayers || i < 1 || i > kMaxAreas) return;
  Ball& b = gs().players[p];
  Area& a = gs().areas[i];
  switch (a.kind) {
    case kGeyser:
      Geyser(b, a);
      break;
    case kSpring:
      Spring(b, a);
      break;
    case kTeleporter:
      Teleporter(b, a);
      break;
    case kPipe:
      PipeEntrance(b, i);
      break;
    case kMine:
      Mine(p);
      break;
    case kTextSwitch:
      TextSwitch(a);
      break;
    case kCannonOrHidden:
      CannonOrHidden(b, a);
      break;
    case kRubble:
      Rubble(p, a);
      break;
    case kJumpPad:
      JumpPad(b);
      break;
    case kBonus:
      Bonus(p, a);
      break;
    case kWorker:
      Worker(b);
      break;
    case kCatapult:
      Catapult(b, a);
      break;
    case kAreaSwitch:
      AreaSwitch(a);
      break;
    case kBreakable:
      Breakable(b, a);
      break;
    case kFan:
      Fan(b, a);
      break;
    default:
      break;
  }
}

void PipeTravel(int p) {
  if (p < 1 || p > kMaxPlayers) return;
  GameState& g = gs();
  Ball& b = g.players[p];
  if (!b.inpipe || b.holearea < 1 || b.holearea > kMaxAreas) return;
  const Area& a = g.areas[b.holearea];
  if (b.speed < 0.125) b.speed = 0.125;
  // Falls into the pipe, at most 4 pixels per frame per timescale step.
  b.vz += 0.2;
  if (b.vz > 4 * g.timescale) b.vz = 4 * g.timescale;
  b.z -= b.vz;
  const int32_t px = Px(b), py = Py(b);
  if (FlatDist(px, py, a.x1, a.y1) > a.r) {
    // Held in the mouth: half a pixel back towards its centre.
    b.angle = AngleTo(a.x1, a.y1, px, py);
    b.x = b.checkx + (a.x1 >= b.x ? 0.5 : -0.5);
    b.y = b.checky + (a.y1 >= b.y ? 0.5 : -0.5);
  }
  if (b.y - b.z > a.y2) PipeExit(b, a);
}

}  // namespace gp
