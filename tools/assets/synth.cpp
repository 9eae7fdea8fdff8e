// Placeholder: silence of the right shape until the synthesiser lands.
#include "tools/assets/synth.h"

namespace gp::assets {

std::vector<int16_t> EffectSound(int) { return std::vector<int16_t>(kRate / 10, 0); }
std::vector<int16_t> LauncherSound(int) { return std::vector<int16_t>(kRate / 10, 0); }
std::vector<int16_t> AmbientLoop(int, double seconds) {
  return std::vector<int16_t>(static_cast<size_t>(seconds * kRate), 0);
}
std::vector<int16_t> HoleDeviceSound(int) { return std::vector<int16_t>(kRate / 10, 0); }

}  // namespace gp::assets
