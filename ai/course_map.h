#pragma once
// The solver's sense of distance: how far a point of the course lies from a
// target along the floor, round the walls. A grid of 4-pixel cells over the
// course; walls block, water costs more, drop-offs are closed, and the mouths of
// teleporters, pipes and catapults lead to their exits. Cycling obstacles count
// as open (they open in turn); springs, fans and cannons are left to the search.

#include <cstdint>
#include <vector>

#include "game/state.h"

namespace gp::ai {

class CourseMap {
 public:
  // The floor of the hole in `g` as its areas stand now.
  explicit CourseMap(const GameState& g);

  // Distances from every cell to the nearest point inside the given areas
  // (1-based indices into g.areas), or to the point (x, y) when `areas` is empty.
  class Field {
   public:
    // Course pixels along the floor; points cut off from the target get a
    // large value that still grows with the straight distance.
    double At(double x, double y) const;

   private:
    friend class CourseMap;
    const CourseMap* map_ = nullptr;
    std::vector<float> dist_;
    double tx_ = 0, ty_ = 0;  // a point of the target, for the cut-off fallback
  };
  Field DistancesTo(const GameState& g, const std::vector<int>& areas, double x = 0,
                    double y = 0) const;

  // Cells of the map, for tests: whether the cell holding course point (x, y) is blocked.
  bool Blocked(double x, double y) const;

 private:
  struct Link {
    std::vector<int32_t> mouth;  // cells of the device's area
    int32_t exit = -1;           // cell of its exit point
  };
  int w_ = 0, h_ = 0;
  std::vector<uint8_t> cost_;  // per cell: 0 blocked, else the cost factor
  std::vector<Link> links_;

  int32_t CellOf(double x, double y) const;
  std::vector<int32_t> CellsInside(const Area& a) const;
  void MarkWall(const Area& a);
};

}  // namespace gp::ai
