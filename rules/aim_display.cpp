#include "rules/aim_display.h"

namespace gp {

void DrawAim() {}

}  // namespace gp
