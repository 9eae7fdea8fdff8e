// galaputt-lab dxw FILE: the items of a wave-list file as the game loads them,
// each with the wave's own format as stored in the file.
#include <cstdio>
#include <string>

#include "base/asset_error.h"
#include "media/wave_list.h"
#include "tools/lab/json.h"
#include "tools/lab/lab.h"

namespace gp::lab {

namespace {

int RunDxw(const Args& args) {
  if (args.empty()) return Fail("dxw: missing FILE");
  WaveList list;
  try {
    LoadWaveList(list, args[0]);
  } catch (const AssetError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  Json j;
  j.BeginObject().Key("items").BeginArray();
  for (const WaveItem& item : list.items) {
    j.BeginObject()
        .Field("name", item.name)
        .Field("looped", item.looped)
        .Field("maxplayingcount", item.maxplayingcount)
        .Field("channels", item.format.channels)
        .Field("rate", item.format.rate)
        .Field("bits", item.format.bits)
        .Key("frames")
        .Int(item.frames)
        .EndObject();
  }
  j.EndArray().EndObject().Print();
  return 0;
}

const Registrar kDxw({"dxw", "FILE", RunDxw});

}  // namespace

}  // namespace gp::lab
