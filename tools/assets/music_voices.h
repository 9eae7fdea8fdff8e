#pragma once
// The music's instruments and the effects of a loop. Instruments play from
// band-limited wave tables and small FM pairs, cheap enough for a minute of
// music in a fraction of a second. Loop effects run as if the loop had been
// playing for ever: the end of the loop feeds its start, so reverb and echo
// tails wrap around the loop point. Deterministic: noise is a hash of the
// sample index.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/assets/music_score.h"

namespace gp::assets::music {

using Buf = std::vector<float>;

// One note of `ins` at `hz`, held `gate` seconds, velocity 0..1, filters scaled
// by `bright`: its samples from the onset, release included, ending in silence.
Buf Voice(Instrument ins, double hz, double gate, double vel, double bright, uint32_t seed);

enum class Drum { Kick, Snare, Hat, Shaker };
Buf DrumHit(Drum d, double vel, uint32_t seed);

// Adds `note` * gain into the loop `bus` from sample `at`, wrapping past its end.
void AddWrapped(Buf& bus, const Buf& note, long at, float gain);

// The reverb's answer (wet only) to a loop: a mono Schroeder-Freeverb network;
// `room` 0..1 sets the decay, `damp` 0..1 darkens it.
Buf LoopReverb(const Buf& in, double room, double damp);
// The echoes (wet only) of a loop: `delay` samples apart, each `feedback` times
// the last and a little darker.
Buf LoopEcho(const Buf& in, size_t delay, double feedback);
// Removes DC and rumble below `hz` from a loop, in place.
void LoopHighPass(Buf& b, double hz);

// A piece's key: its tonic's pitch class (0 = C) and its mode.
struct Key {
  int root = 0;
  bool minor = false;
};

// Adds a bed over the whole loop, tuned beds in the piece's key; its slow
// swells complete whole cycles in the loop.
void AddTexture(Buf& bus, Texture t, Key key, float gain, uint32_t seed);

}  // namespace gp::assets::music
