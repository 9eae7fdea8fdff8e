#include "core/hole_anim.h"

namespace gp {

void HoleAnimations() {}

}  // namespace gp
