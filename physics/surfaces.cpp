#include "physics/surfaces.h"

namespace gp {

bool TouchesArea(int, int32_t, int32_t) { return false; }
void AreaPass(int) {}
void WallBounce(int, int32_t) {}

}  // namespace gp
