#include "game/sound.h"

#include "game/state.h"

namespace gp {

namespace {
SoundSink g_backend;
SoundSink g_observer;
}  // namespace

void RequestSound(SoundList list, int index, SoundOp op, int value) {
  const SoundRequest req{list, index, op, value};
  if (g_observer) g_observer(req);
  if (g_backend) g_backend(req);
}

void PlaySound(int n) {
  if (gs().soundon) RequestSound(SoundList::Effects, n, SoundOp::Play);
}

void PlayBgSound(int n) {
  if (gs().soundon) RequestSound(SoundList::Background, n, SoundOp::Play);
}

void SetSoundBackend(SoundSink sink) { g_backend = std::move(sink); }
void SetSoundObserver(SoundSink sink) { g_observer = std::move(sink); }

}  // namespace gp
