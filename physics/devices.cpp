#include "physics/devices.h"

namespace gp {

// Devices are not built yet: touching one does nothing.
void DeviceAction(int, int) {}
void PipeTravel(int) {}

}  // namespace gp
