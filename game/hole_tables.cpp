#include "game/hole_tables.h"

namespace gp {

namespace {

// clang-format off
const Decoration kDecorations[] = {
    {"training1", 35, 340, 165, 9, 0, 0},
    {"training1", 36, 1071, 364, 10, 0, 0},
    {"training1", 37, 218, 647, 11, 0, 0},
    {"course1hole2", 37, 252, 489, 8, 0, 0},
    {"course1hole3", 35, 930, 240, 9, 192, 0},
    {"course1hole3", 37, 470, 808, 9, -220, 0},
    {"course1hole3", 38, 520, 822, 9, -220, 7},
    {"course1hole3", 39, 236, 127, 9, -220, 0},
    {"course1hole3", 40, 171, 125, 9, 250, 7},
    {"course3hole1", 36, 600, 500, 5, 0, 0},
    {"course3hole1", 37, 602, 509, 6, -192, 0},
    {"course3hole2", 35, 858, 151, 6, 0, 0},
    {"course3hole2", 36, 12, 674, 7, 0, 0},
    {"course1hole7", 36, 1080, 402, 5, 0, 0},
    {"course1hole7", 37, 1082, 411, 6, -192, 0},
    {"course1hole7", 38, 286, 237, 10, 0, 0},
    {"course1hole7", 39, 1181, 682, 11, 0, 0},
    {"course1hole8", 35, 837, 452, 6, 0, 0},
    {"course1hole9", 36, 430, 879, 5, 0, 0},
    {"course1hole9", 37, 432, 888, 6, -192, 0},
    {"course1hole9", 38, 956, 203, 10, 0, 0},
    {"course1hole9", 39, 338, 1165, 11, 0, 0},
    {"course2hole4", 37, 698, 556, 9, 0, 0},
    {"course2hole4", 38, 941, 435, 10, 0, 0},
    {"course2hole4", 39, 849, 226, 11, 0, 0},
    {"course2hole1", 35, 469, 779, 11, 64, 0},
    {"course2hole1", 36, 345, 702, 5, 0, 0},
    {"course2hole1", 37, 347, 711, 6, -192, 0},
    {"course2hole7", 37, 342, 222, 9, 0, 0},
    {"course2hole7", 38, 377, 520, 10, 0, 0},
    {"course2hole5", 35, 617, 110, 6, 0, 0},
    {"course2hole5", 36, 860, 227, 7, 0, 0},
    {"course2hole5", 37, 469, 512, 8, 0, 0},
    {"course2hole5", 38, 138, 601, 9, 0, 0},
    {"course2hole5", 39, 1020, 856, 10, 0, 0},
    {"course2hole2", 35, 217, 314, 6, 0, 0},
    {"course2hole2", 36, 491, 160, 7, 0, 0},
    {"course2hole2", 37, 171, 760, 8, 0, 0},
    {"course2hole2", 38, 905, 767, 9, 0, 0},
    {"course2hole2", 39, 373, 1115, 10, 0, 0},
    {"course2hole2", 40, 1047, 575, 11, 0, 0},
    {"course2hole8", 37, 87, 603, 8, 0, 0},
    {"course2hole8", 38, 372, 634, 9, 0, 0},
    {"course2hole8", 39, 580, 833, 10, 0, 0},
    {"course2hole8", 40, 1514, 123, 11, 0, 0},
    {"course2hole6", 36, 449, 506, 5, 0, 0},
    {"course2hole6", 37, 451, 515, 6, -192, 0},
    {"course2hole9", 35, 511, 81, 9, 0, 0},
    {"course2hole9", 36, 666, 518, 10, 0, 0},
    {"course2hole9", 37, 171, 781, 11, 0, 0},
    {"course1hole6", 36, 220, 83, 9, 0, 0},
    {"course1hole6", 37, 97, 145, 10, 0, 0},
    {"course1hole6", 38, 777, 1878, 11, 0, 0},
    {"course3hole3", 38, 890, 307, 11, 0, 0},
    {"course3hole4", 36, 158, 602, 5, 0, 0},
    {"course3hole4", 37, 160, 611, 6, -192, 0},
    {"course3hole4", 38, 1050, 244, 11, 0, 0},
    {"course3hole5", 36, 257, 805, 5, 0, 0},
    {"course3hole5", 37, 259, 814, 6, -192, 0},
    {"course3hole7", 35, 1000, 364, 8, 0, 0},
    {"course3hole7", 36, 1164, 386, 8, 0, 0},
    {"course3hole7", 37, 1060, 884, 8, 0, 0},
    {"course3hole7", 38, 1128, 851, 8, 0, 0},
    {"course3hole7", 39, 1233, 290, 8, 0, 0},
    {"course3hole7", 40, 1047, 200, 9, 0, 0},
    {"course4hole3", 36, 634, 726, 11, 0, 0},
    {"course4hole3", 37, 265, 466, 10, 0, 0},
    {"course4hole7", 36, 1113, 570, 5, 0, 0},
    {"course4hole7", 37, 1115, 579, 6, -192, 0},
};
// clang-format on


// clang-format off
const Obstacle kObstacles[] = {
    {"course2hole9", 0, 127, false, 35, 511, 181, 9, 40},
    {"course2hole9", 129, 255, false, 36, 666, 618, 10, 41},
    {"course2hole9", 65, 191, false, 37, 171, 881, 11, 42},
    {"course2hole5", 0, 127, false, 40, 610, 267, 11, 53},
    {"course3hole6", 0, 127, false, 35, 245, 189, 8, 72},
    {"course3hole6", 129, 255, false, 36, 776, 189, 9, 73},
    {"course3hole6", 65, 191, false, 37, 791, 536, 10, 74},
    {"course3hole6", 64, 192, true, 38, 237, 528, 11, 71},
};

struct FloaterHole {
  const char* hole;
  FloaterEffect effect;
};
const FloaterHole kFloaterHoles[] = {
    {"course1hole5", FloaterEffect::Dust},    {"course3hole7", FloaterEffect::Dust},
    {"course4hole8", FloaterEffect::Dust},    {"course3hole9", FloaterEffect::FallingParticles},
    {"course1hole4", FloaterEffect::Storm},   {"course4hole4", FloaterEffect::Storm},
    {"course4hole6", FloaterEffect::Storm},   {"course4hole3", FloaterEffect::Bubbles},
};
// clang-format on

}  // namespace

std::span<const Decoration> Decorations() {
  return kDecorations;
}

std::span<const Obstacle> Obstacles() {
  return kObstacles;
}

bool HasObstacles(const std::string& hole) {
  for (const Obstacle& o : kObstacles) {
    if (hole == o.hole) return true;
  }
  return false;
}

bool IsObstacleArea(const std::string& hole, int index) {
  for (const Obstacle& o : kObstacles) {
    if (hole == o.hole && o.area == index) return true;
  }
  return false;
}

FloaterEffect FloaterEffectOf(const std::string& hole) {
  for (const FloaterHole& f : kFloaterHoles) {
    if (hole == f.hole) return f.effect;
  }
  return FloaterEffect::None;
}

}  // namespace gp
