#include "physics/motion.h"

namespace gp {

void MotionPhase() {}
void BallStep(int) {}
void LandingDust(int) {}

}  // namespace gp
