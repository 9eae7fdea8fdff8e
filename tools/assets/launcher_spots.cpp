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

void RunSpots(const Context& ctx) {
  const HotSpots spots = LauncherSpots();
  WriteDataFile(ctx, "menu.spots", WriteSpots(spots));
  WriteDataFile(ctx, "menu.maskitems", WriteMaskItems(spots));
}

Registrar kLauncherSpotsGenerator{{"spots", RunSpots}};

}  // namespace

}  // namespace gp::assets
