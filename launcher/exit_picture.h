#pragma once
// The exit picture window's logic (`extro`): a 640 x 480 picture drawn at its
// own size from the top left of the screen, the rest black, never scaled or
// centred; the pointer is hidden while it shows; any key or mouse button
// closes it and shows the pointer again. (The window draws it:
// launcher/window/intro_window.h.)

#include <cstdint>

#include "launcher/intro.h"

namespace gp {

class ExitPicture {
 public:
  // Showing on a screen of width x height pixels: hides the pointer.
  void Show(int width, int height);
  // Any key, any mouse button (on the picture or beside it): closes.
  void Key();
  void Button();

  bool Shown() const { return shown_ && !closed_; }
  bool Closed() const { return closed_; }
  // Net steps of the pointer's display count taken: -1 while shown, 0 before and after.
  int PointerSteps() const { return pointer_steps_; }
  // Where a picture of pw x ph pixels lands: its own size at the top left,
  // clipped to the screen.
  ScreenRect PictureRect(int pw, int ph) const;

 private:
  void Close();

  bool shown_ = false, closed_ = false;
  int width_ = 0, height_ = 0;  // the screen, pixels
  int pointer_steps_ = 0;
};

}  // namespace gp
