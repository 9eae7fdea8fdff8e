#include "core/hole_setup.h"

namespace gp {

void HoleInit() {}

}  // namespace gp
