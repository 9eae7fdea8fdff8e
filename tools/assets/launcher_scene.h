#pragma once
// The space scene behind the launcher's panels, drawn once with Cairo into
// layers and composed per frame in plain C++: the still backdrop, a floating
// green that bobs with a waving flag, drifting and twinkling stars, a shooting
// star, a glint over the title, and the warp streaks of the transition.

#include <cstddef>  // present/picture.h uses size_t
#include <cstdint>
#include <vector>

#include "media/picture.h"
#include "tools/assets/art.h"

namespace gp::assets {

// A premultiplied ARGB picture placed at (x, y) of the scene.
struct Sprite {
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<uint32_t> argb;
};

class LauncherScene {
 public:
  // Draws the layers; `loopframes` is the length of the loop in frames.
  explicit LauncherScene(int loopframes);

  // Frame f (0-based) of the loop; frame `loopframes` would equal frame 0.
  Picture LoopFrame(int f) const;
  // Frame f of the warp transition, 0..frames-1: frames 0 and frames-1 are
  // loop frame 0, in between the stars streak past and flash.
  Picture WarpFrame(int f, int frames) const;

 private:
  void AddStars(Picture& p, double phase) const;
  void AddGreen(Picture& p, double phase) const;
  void AddShootingStar(Picture& p, double phase) const;
  void AddGlint(Picture& p, double phase) const;

  int loopframes_;
  Picture backdrop_;                // everything that never moves
  Sprite green_;                    // the floating green without its flag
  std::vector<uint8_t> titlemask_;  // coverage 0..255 of the title's letters
  int titlex_ = 0, titley_ = 0, titlew_ = 0, titleh_ = 0;
};

}  // namespace gp::assets
