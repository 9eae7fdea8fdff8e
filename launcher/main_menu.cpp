#include "launcher/main_menu.h"

#include <cstdio>
#include <exception>

#include "launcher/launcher_files.h"
#include "media/bitmap_codec.h"

namespace gp {

namespace {

Picture LoadPicture(const std::string& path) {
  try {
    return LoadLauncherBitmap(path);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "galaputt: %s\n", e.what());
    return Picture{};
  }
}

// Without its picture the menu is a plain panel-coloured area of the
// picture's size, so that the spots still work.
Picture Blank() {
  Picture p;
  p.width = kMenuPictureW;
  p.height = kMenuPictureH;
  p.pixels.assign(static_cast<size_t>(p.width) * p.height, 224 | 216 << 8 | 207 << 16);
  return p;
}

HotSpots LoadSpots(const std::string& folder) {
  try {
    const Bytes spots = ReadLauncherFile(folder + "menu.spots");
    HotSpots list = ReadSpots(spots.data(), spots.size());
    const Bytes masks = ReadLauncherFile(folder + "menu.maskitems");
    ReadMaskItems(list, masks.data(), masks.size());
    return list;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "galaputt: %s; the menu uses its built-in spots\n", e.what());
    return LauncherSpots();
  }
}

}  // namespace

void MainMenu::Load(const std::string& folder, LauncherModel& model) {
  model_ = &model;
  image_.Picture = LoadPicture(folder + "mainmenu.bmp");
  if (image_.Picture.empty()) image_.Picture = Blank();
  image_.MaskPicture = LoadPicture(folder + "mainmenuhot.bmp");
  if (image_.MaskPicture.empty()) image_.MaskPicture = image_.Picture;
  image_.HotSpots = LoadSpots(folder);
  image_.Center = true;
  image_.HotAreasOnly = true;
  image_.Width = kMenuImageW;
  image_.Height = kMenuImageH;
  image_.OnSelectSpot = [this](int spot) { model_->SpotEntered(spot); };
  image_.Reset();
}

void MainMenu::Move(int x, int y) {
  image_.Move(x, y);
}

void MainMenu::Down(int x, int y) {
  image_.Down(x, y);
}

void MainMenu::Up(int x, int y) {
  const HotClick click = image_.Up(x, y);
  if (click.passed && click.spot >= 0) model_->SpotClicked(click.spot);
  // The panel that opened hides the image: the pointer has left it, and the
  // spot is not lit when the menu shows again.
  if (model_->panel() != Panel::MainMenu) image_.Leave();
}

void MainMenu::Leave() {
  image_.Leave();
}

bool MainMenu::PointIn(int spot, int& x, int& y) const {
  if (spot < 0 || spot >= image_.HotSpots.Count()) return false;
  for (int cy = 0; cy < kMenuImageH; ++cy) {
    for (int cx = 0; cx < kMenuImageW; ++cx) {
      int64_t px = 0, py = 0;
      if (!image_.ToPicture(cx, cy, px, py)) return false;
      if (image_.HotSpots.SpotAt(px, py) == spot) {
        x = cx, y = cy;
        return true;
      }
    }
  }
  return false;
}

}  // namespace gp
