#pragma once
// Sound synthesis for the asset compiler: 22 050 Hz, 16-bit, mono samples.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gp::assets {

constexpr int kRate = 22050;

// Effect sound `index` of sound.dxw (0..27, in the order of the game's sound table).
std::vector<int16_t> EffectSound(int index);
// Launcher sound `index` of menu.dxw (0 background loop, 1 click, 2 spare, 3 panel transition).
std::vector<int16_t> LauncherSound(int index);
// A calm ambient bed that loops without a click; `variant` picks the timbre (0..7).
std::vector<int16_t> AmbientLoop(int variant, double seconds);
// One-shot hole device sounds (hole wave list item 1): 0 the worker waking, 1 a breakable shattering.
std::vector<int16_t> HoleDeviceSound(int kind);

}  // namespace gp::assets
