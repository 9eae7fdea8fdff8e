#pragma once
// The hole as the game read it, as `galaputt-lab hole` prints it: par, cup,
// next hole, the first `players` ball starts and all 99 areas. Written from
// the game state after a hole file was loaded (`hole` and `edit` print it).

#include "tools/lab/json.h"

namespace gp::lab {

// The object's fields inside an object the caller began (and ends).
void WriteHoleFields(Json& j, int players);

}  // namespace gp::lab
