#pragma once
// Sound synthesis for the asset compiler: 22 050 Hz, 16-bit, mono samples.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gp::assets {

constexpr int kRate = 22050;

// Effect sound `index` of sound.dxw (0..27, in the order of the game's sound table).
std::vector<int16_t> EffectSound(int index);
// Launcher sound `index` of menu.dxw (0 background loop, 1 click, 2 spare, 3 panel transition).
std::vector<int16_t> LauncherSound(int index);
// The background music piece `name` of the score (music_score.cpp) as a
// seamless loop of whole bars; throws std::runtime_error for an unknown name.
std::vector<int16_t> MusicLoop(const std::string& name);
// One-shot hole device sounds (hole wave list item 1): 0 the worker waking, 1 a breakable
// shattering.
std::vector<int16_t> HoleDeviceSound(int kind);

}  // namespace gp::assets
