#pragma once
// Every sound request of the game goes through here: the game window routes
// them to the mixer, and tests and the lab observe them.

#include <functional>

namespace gp {

enum class SoundList { Effects, Background };  // `sounds`, `bgsounds`
enum class SoundOp { Play, Stop, SetLooped, SetVolume };

struct SoundRequest {
  SoundList list = SoundList::Effects;
  int index = 0;  // item of the list
  SoundOp op = SoundOp::Play;
  int value = 0;  // SetLooped: 0/1; SetVolume: hundredths of a decibel (0 = full)
};

// Plays effect sound n, only while `soundon` is set.
void PlaySound(int n);
// Plays background sound n, only while `soundon` is set.
void PlayBgSound(int n);
// Ungated requests, for the few callers that apply their own conditions.
void RequestSound(SoundList list, int index, SoundOp op, int value = 0);

// Where requests go: the mixer (installed by the game window) and an observer.
using SoundSink = std::function<void(const SoundRequest&)>;
void SetSoundBackend(SoundSink sink);
void SetSoundObserver(SoundSink sink);

}  // namespace gp
