#pragma once
// Everything the game ties to a hole's name (exact, case-sensitive): the fixed
// decorations, the cycling obstacles, the floaters, the dust puffs and the
// green spray. One table per behaviour; a hole without an entry has none.

#include <span>
#include <string>

namespace gp {

// The first holes of a game and of a training round, and the hole that a found
// hidden area makes the next one.
inline constexpr const char* kFirstCourseHole = "course1hole1";
inline constexpr const char* kFirstTrainingHole = "training1";
inline constexpr const char* kBonusHole = "course5hole1";

// A fixed decoration: a looping sprite in one of the hole's slots 35..40.
// p1 < 0 draws subtractively (a shadow), p1 > 0 additively (a glow).
struct Decoration {
  const char* hole;
  int slot;
  int x, y;   // course pixels, top-left corner
  int image;  // course image list index
  int p1;
  int frame;
};
std::span<const Decoration> Decorations();

// An obstacle shown while `animphase` is within lo..hi (or outside it when
// `outside`), with the area it stands on enabled only while it is shown.
struct Obstacle {
  const char* hole;
  int lo, hi;
  bool outside;
  int slot, x, y, image;
  int area;
};
std::span<const Obstacle> Obstacles();
bool HasObstacles(const std::string& hole);
// Area `index` of hole `hole` is shown and hidden by a cycling obstacle.
bool IsObstacleArea(const std::string& hole, int index);

// Where a machine sound comes from: its volume falls by `perpixel` hundredths
// of a decibel per pixel between this point and the current ball.
struct SoundSource {
  int x, y;
  int perpixel;
};
// The hole whose obstacle cycle ends with the machine sound, and where it is.
inline constexpr const char* kMachineHole = "course2hole5";
inline constexpr SoundSource kMachineSource{710, 367, 4};
// The hole with dust puffs: their sound source and where the dust starts (course pixels).
inline constexpr const char* kPuffHole = "course2hole1";
inline constexpr SoundSource kPuffSource{496, 817, 2};
inline constexpr int kPuffX = 496, kPuffY = 935;

enum class FloaterEffect { None, Dust, FallingParticles, Storm, Bubbles };
// Floaters used by the effects that do not use all 40.
inline constexpr int kFallingFloaters = 10;
inline constexpr int kBubbleFloaters = 5;
FloaterEffect FloaterEffectOf(const std::string& hole);

// The hole whose slow-zone spray is green and takes speed off the ball.
inline constexpr const char* kGreenSprayHole = "course4hole4";

}  // namespace gp
