#include "physics/putting.h"

namespace gp {

void OnPointerMove(int, int) {}
void OnLeftButtonDown() {}
void OnLeftButtonUp() {}
void OnRightButton() {}
void AimFrame() {}
void Strike() {}
void ParkPointer() {}

}  // namespace gp
