// Minimal definitions so that everything links until the presentation layer lands.
// The presentation work replaces this file.
#include "present/display.h"
#include "present/image_list.h"
#include "present/mixer.h"
#include "present/wave_list.h"

namespace gp {

struct Mixer::Impl {};
Mixer::Mixer() = default;
Mixer::~Mixer() = default;
bool Mixer::StartSound(Platform*) {
  return false;
}
void Mixer::StopSound() {}
void Mixer::Play(WaveItem&) {}
void Mixer::Stop(WaveItem&) {}
void Mixer::SetLooped(WaveItem&, bool) {}
void Mixer::SetVolume(WaveItem&, int) {}
void Mixer::StopAll() {}
void Mixer::ForgetItems(const std::vector<WaveItem>&) {}
void Mixer::Mix(int16_t* out, int frames) {
  for (int i = 0; i < frames; ++i) out[i] = 0;
}

}  // namespace gp
