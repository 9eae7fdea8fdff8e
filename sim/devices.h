#pragma once
// Hazards and devices: springs, fans, geysers, mines, rubble, jump pads,
// teleporters, catapults, pipes, cannon, worker, bonus, switches, breakables.

namespace gp {

// Runs the action of device area i on ball p (called by the area pass for the
// device kinds).
void DeviceAction(int p, int i);
// Once per frame for a ball inside a pipe: carries it to the exit.
void PipeTravel(int p);

}  // namespace gp
