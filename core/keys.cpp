#include "core/keys.h"

namespace gp {

void FormKeyDown(int) {}
void FormKeyUp(int) {}

}  // namespace gp
