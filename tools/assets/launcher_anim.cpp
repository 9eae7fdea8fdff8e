// The "launcheranim" generator: interface_loop.flc, the calm looping space
// scene behind the launcher's panels, and interface.flc, the warp shown when
// the panel changes. Both share one palette, so the transition's first frame
// is the loop's first frame to the byte.
#include <string>

#include "media/flic_writer.h"
#include "tools/assets/launcher_art.h"
#include "tools/assets/launcher_scene.h"

namespace gp::assets {

namespace {

std::vector<FlicFrame> Indexed(const std::vector<Picture>& pictures, PaletteMap& map) {
  std::vector<FlicFrame> frames;
  for (const Picture& p : pictures) frames.push_back(FlicFrame{map.Map(p.pixels), map.palette()});
  return frames;
}

void Dump(const std::string& name, const std::vector<FlicFrame>& frames, int step) {
  if (!Dumping()) return;
  for (size_t f = 0; f < frames.size(); f += static_cast<size_t>(step)) {
    Picture p{kSceneW, kSceneH, {}};
    for (uint8_t i : frames[f].pixels) {
      const auto& pal = frames[f].palette;
      p.pixels.push_back(Rgb(pal[i * 3], pal[i * 3 + 1], pal[i * 3 + 2]));
    }
    DumpPicture(name + "_" + std::to_string(f + 1), p);
  }
}

void RunLauncherAnim(const Context& ctx) {
  const LauncherScene scene(kLoopFrames);
  std::vector<Picture> loop, warp;
  for (int f = 0; f < kLoopFrames; ++f) loop.push_back(scene.LoopFrame(f));
  for (int f = 0; f < kWarpFrames; ++f) warp.push_back(scene.WarpFrame(f, kWarpFrames));
  // The palette from a few frames of each: the still backdrop dominates both.
  std::vector<const std::vector<uint32_t>*> samples;
  for (int f = 0; f < kLoopFrames; f += kLoopFrames / 4) samples.push_back(&loop[f].pixels);
  for (int f = kWarpFrames / 4; f < kWarpFrames * 3 / 4; f += kWarpFrames / 6)
    samples.push_back(&warp[f].pixels);
  PaletteMap map(MakePalette(samples, {Rgb(0, 0, 0)}));
  const std::vector<FlicFrame> loopframes = Indexed(loop, map);
  const std::vector<FlicFrame> warpframes = Indexed(warp, map);
  Dump("launcher_loop", loopframes, 4);
  Dump("launcher_warp", warpframes, 3);
  WriteDataFile(ctx, "interface_loop.flc", EncodeFlc(kSceneW, kSceneH, kSceneDelayMs, loopframes));
  WriteDataFile(ctx, "interface.flc", EncodeFlc(kSceneW, kSceneH, kSceneDelayMs, warpframes));
}

Registrar kLauncherAnimGenerator{{"launcheranim", RunLauncherAnim}};

}  // namespace

}  // namespace gp::assets
