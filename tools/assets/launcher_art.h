#pragma once
// The launcher's own artwork: the main-menu picture with its four hot spots
// and its highlighted copy, the four built-in ball pictures, and the space
// scene behind the launcher's panels (the looping background and the warp
// transition).

#include <cstdint>
#include <vector>

#include "media/picture.h"
#include "tools/assets/art.h"
#include "tools/assets/indexed.h"

namespace gp::assets {

// The main-menu picture. The launcher centres it in a 367 x 122 control, so
// only picture x 27..393, y 21..142 is ever seen.
constexpr int kMenuW = 421, kMenuH = 165;
constexpr int kMenuSeenX = 27, kMenuSeenY = 21, kMenuSeenW = 367, kMenuSeenH = 122;
// The launcher's panel colour around the picture.
constexpr uint32_t kPanelColour = Rgb(224, 216, 207);

// A hot spot in picture coordinates: an ellipse filling its box, or a polygon
// (even-odd rule).
struct MenuSpot {
  const char* label;
  bool ellipse;
  std::vector<double> points;  // ellipse: left, top, right, bottom; polygon: x, y pairs
};
const std::vector<MenuSpot>& MenuSpots();
// True when point (x, y) lies inside the spot's region.
bool InSpot(const MenuSpot& spot, double x, double y);

// The normal and the highlighted menu picture, sharing one palette. The two
// differ only well inside the spots' regions.
struct MenuPictures {
  Palette palette;
  std::vector<uint8_t> normal, hot;  // kMenuW x kMenuH indices, top row first
};
MenuPictures MakeMenuPictures();

// The built-in ball pictures of players 1..4: 16 x 16 ball textures (they
// wrap as the ball rolls) whose main colour is the player's colour.
constexpr int kLaunchBalls = 4;
uint32_t LaunchBallColour(int player);  // 1..4
Picture LaunchBallPicture(int player);

// The space scene behind the launcher's panels (launcher_scene.h): the
// looping background and the warp transition, 640 x 480, one palette for both.
constexpr int kSceneW = 640, kSceneH = 480;
constexpr int kLoopFrames = 72;    // frames of interface_loop.flc
constexpr int kWarpFrames = 30;    // frames of interface.flc
constexpr int kSceneDelayMs = 60;  // milliseconds per frame, both files

}  // namespace gp::assets
