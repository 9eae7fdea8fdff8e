#include "rules/pages.h"

namespace gp {

void DrawPages() {}

}  // namespace gp
