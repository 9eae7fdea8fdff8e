// The "spots" generator: the launcher's menu spots in their two stored forms,
// menu.spots ("Spots") and menu.maskitems ("MaskItems").
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/hot_spots.h"
#include "tools/assets/generator.h"

namespace gp::assets {

namespace {

void WriteFile(const Context& ctx, const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream f(ctx.out + name, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + ctx.out + name);
  Progress(name);
}

void RunSpots(const Context& ctx) {
  const HotSpots spots = LauncherSpots();
  WriteFile(ctx, "menu.spots", WriteSpots(spots));
  WriteFile(ctx, "menu.maskitems", WriteMaskItems(spots));
}

Registrar reg{{"spots", RunSpots}};

}  // namespace

}  // namespace gp::assets
