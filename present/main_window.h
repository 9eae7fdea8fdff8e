#pragma once
// The game window (`TMain`): owns the display, the sound device, the frame
// timer and the image and wave lists for the length of one game.

#include <string>

#include "core/frame_timer.h"
#include "present/display.h"
#include "present/image_list.h"
#include "present/mixer.h"
#include "present/wave_list.h"

namespace gp {

class Platform;

struct TMain {
  Platform* platform = nullptr;
  std::string folder;  // the program's folder, ending with '/'
  Display DXDraw;
  Mixer DXSound;
  FrameTimer gengine;
  ImageList menu, gui, course;
  WaveList sounds, bgsounds;
};

// The game window of the process.
TMain& mainwin();

}  // namespace gp
