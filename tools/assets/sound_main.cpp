// The "sound" and "menusound" generators: sound.dxw (effect sounds 0..27)
// and menu.dxw (launcher sounds 0..3).
#include <string>

#include "media/container_writer.h"
#include "tools/assets/art.h"
#include "tools/assets/music_score.h"
#include "tools/assets/synth.h"

namespace gp::assets {

namespace {

const char* const kEffectNames[28] = {
    "putt",     "wallbounce", "landing", "cupdrop",  "spare4",    "click",   "loading",
    "teleport", "spare8",     "whoosh",  "toofast",  "airbounce", "mine",    "water",
    "spring",   "rubble1",    "rubble2", "pipeexit", "fanfare",   "sparks",  "puff",
    "bonus",    "overpar",    "spare23", "turn",     "thunder",   "dropoff", "cannon"};

WaveItem Item(const std::string& name, const std::vector<int16_t>& samples, bool looped) {
  DumpWave("sound_" + name, samples);
  WaveItem w;
  w.name = name;
  w.looped = looped;
  SetWaveSamples(w, samples);
  return w;
}

void RunSound(const Context& ctx) {
  std::vector<WaveItem> items;
  for (int i = 0; i < 28; ++i) items.push_back(Item(kEffectNames[i], EffectSound(i), i == 6));
  WriteWaves(ctx, "sound.dxw", items);
}

void RunMenuSound(const Context& ctx) {
  const char* const names[4] = {"background", "click", "spare", "transition"};
  std::vector<WaveItem> items;
  for (int i = 0; i < 4; ++i) items.push_back(Item(names[i], LauncherSound(i), i == 0));
  if (Dumping()) {  // every piece of the score, to listen to them side by side
    for (const music::Piece& p : music::Pieces()) {
      DumpWave(std::string("music_") + p.name, MusicLoop(p.name));
    }
  }
  WriteWaves(ctx, "menu.dxw", items);
}

Registrar kSoundMainGenerator{{"sound", RunSound}};
Registrar menureg{{"menusound", RunMenuSound}};

}  // namespace

}  // namespace gp::assets
