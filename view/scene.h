#pragma once
// What drawing draws with: the display's back buffer and the game window's
// image lists. The game window hands one to every drawing pass.

#include "media/display.h"
#include "media/image_list.h"

namespace gp {

struct RecordsView;

struct Scene {
  Display& display;
  const ImageList& gui;                  // "gui.dxg" with the skin and the ball textures
  const ImageList& menu;                 // "menu.dxg": fonts, pages
  const ImageList& course;               // the hole's own list
  const RecordsView* records = nullptr;  // what the game shows of the records; none: nothing
};

}  // namespace gp
