#pragma once
// The target marker, the club and the power gauge while a putt is prepared.

namespace gp {

void DrawAim();

}  // namespace gp
