#pragma once
// The kinds of area a hole file gives (its "kind" key): one name per number, for
// the game, the asset compiler that draws them and the lab. The numbers are the
// hole file format's; kinds without a name (31, 39, 41, 42, 44) have no effect.

#include <cstdint>

namespace gp {

enum AreaKind : int32_t {
  kNoArea = 0,
  kRisingShallowWall = 1,  // a line rising 1 in 2 to the right
  kVerticalWall = 2,
  kFallingShallowWall = 3,  // a line falling 1 in 2 to the right
  kHorizontalWall = 4,
  kCup = 5,
  kRisingDiagonalWall = 6,  // 45 degrees, rising to the right
  kFallingDiagonalWall = 7,
  kSlopeDownLeft = 8,  // slopes: named by the way they push the ball
  kSlopeRight = 9,
  kSlopeDownRight = 10,
  kSlopeLeft = 11,
  kGeyser = 12,
  kSpring = 13,
  kAttractor = 14,
  kConveyorRight = 15,  // conveyors: named by the way they carry the ball
  kConveyorShallowDownRight = 16,
  kConveyorDown = 17,
  kConveyorShallowDownLeft = 18,
  kConveyorLeft = 19,
  kConveyorShallowUpLeft = 20,
  kConveyorUp = 21,
  kConveyorShallowUpRight = 22,
  kSlowZone = 23,
  kWater = 24,
  kTeleporter = 25,
  kPipe = 26,
  kMine = 27,
  kTextSwitch = 28,
  kCannonOrHidden = 29,  // `comment` "cannon" or "hidden"
  kRubble = 30,
  kShade = 32,
  kLedge = 33,
  kJumpPad = 34,
  kBonus = 35,
  kWorker = 36,
  kCatapult = 37,
  kAreaSwitch = 38,
  kBreakable = 40,
  kFan = 43,
  kDropOff = 45,
};

inline constexpr int kMaxAreaKind = 45;

// Whether areas of kind k do anything.
constexpr bool KindHasEffect(int k) {
  return k >= 1 && k <= kMaxAreaKind && k != 31 && k != 39 && k != 41 && k != 42 && k != 44;
}

// A short lower-case name for labels ("vertical wall", "cup", ...); "" for none.
constexpr const char* KindName(int k) {
  constexpr const char* kNames[kMaxAreaKind + 1] = {"",
                                                    "rising wall",
                                                    "vertical wall",
                                                    "falling wall",
                                                    "horizontal wall",
                                                    "cup",
                                                    "diagonal wall",
                                                    "diagonal wall",
                                                    "slope",
                                                    "slope",
                                                    "slope",
                                                    "slope",
                                                    "geyser",
                                                    "spring",
                                                    "attractor",
                                                    "conveyor",
                                                    "conveyor",
                                                    "conveyor",
                                                    "conveyor",
                                                    "conveyor",
                                                    "conveyor",
                                                    "conveyor",
                                                    "conveyor",
                                                    "slow zone",
                                                    "water",
                                                    "teleporter",
                                                    "pipe",
                                                    "mine",
                                                    "text switch",
                                                    "cannon/hidden",
                                                    "rubble",
                                                    "",
                                                    "shade",
                                                    "ledge",
                                                    "jump pad",
                                                    "bonus",
                                                    "worker",
                                                    "catapult",
                                                    "area switch",
                                                    "",
                                                    "breakable",
                                                    "",
                                                    "",
                                                    "fan",
                                                    "",
                                                    "drop-off"};
  return k >= 0 && k <= kMaxAreaKind ? kNames[k] : "";
}

// Whether a wall segment from (x1, y1) to (x2, y2) has the slope its kind
// stands for (dy per dx; vertical walls have dx = 0). Other kinds always match.
// Any area type with those fields: the game's, and the asset compiler's own.
template <class A>
bool WallMatchesKind(const A& a) {
  int dx = a.x2 - a.x1, dy = a.y2 - a.y1;
  if (dx < 0 || (dx == 0 && dy < 0)) dx = -dx, dy = -dy;
  switch (a.kind) {
    case kRisingShallowWall:
      return dy * 2 == -dx && dx != 0;
    case kVerticalWall:
      return dx == 0;
    case kFallingShallowWall:
      return dy * 2 == dx && dx != 0;
    case kHorizontalWall:
      return dy == 0;
    case kRisingDiagonalWall:
      return dy == -dx && dx != 0;
    case kFallingDiagonalWall:
      return dy == dx && dx != 0;
    default:
      return true;
  }
}

}  // namespace gp
