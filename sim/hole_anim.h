#pragma once
// Ambient animation selected by the hole's name: floaters, storms, cycling obstacles, puffs.

namespace gp {

void HoleAnimations();

}  // namespace gp
