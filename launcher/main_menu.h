#pragma once
// The main menu panel's hot-spot image: the menu picture and its highlighted
// copy with the five spots, as a 367 x 122 control with the 421 x 165 picture
// centred; the spot under the pointer and the clicks go to the launcher model.

#include <string>

#include "launcher/hot_image.h"
#include "launcher/launcher_model.h"

namespace gp {

// The control's place on the main menu panel and its size, pixels.
inline constexpr int kMenuImageX = 5, kMenuImageY = 8;
inline constexpr int kMenuImageW = 367, kMenuImageH = 122;
// The menu picture's size, pixels.
inline constexpr int kMenuPictureW = 421, kMenuPictureH = 165;

class MainMenu {
 public:
  // Loads "mainmenu.bmp", "mainmenuhot.bmp", "menu.spots" and "menu.maskitems"
  // from the program folder; a missing or damaged spot file gives the built-in
  // spots, a missing picture a plain one (the spots still work). Problems
  // are reported once on standard error.
  void Load(const std::string& folder, LauncherModel& model);

  // Mouse events in control pixels; a click passed on opens the spot's panel,
  // which hides the image: its highlight goes out with it.
  void Move(int x, int y);
  void Down(int x, int y);
  void Up(int x, int y);
  void Leave();

  HotImage& image() { return image_; }
  // A control point inside spot n (its first pixel in reading order); false
  // when the spot has no such point.
  bool PointIn(int spot, int& x, int& y) const;

 private:
  HotImage image_;
  LauncherModel* model_ = nullptr;
};

}  // namespace gp
