#pragma once
// The exit picture window's logic (`extro`): a 640 x 480 picture drawn at its
// own size from the top left of the screen, the rest black, never scaled or
// centred; the pointer is hidden while it shows; any key or mouse button
// closes it and shows the pointer again. Also the drawing of a picture at its
// own size onto the 16-bit screen, which the intro's movie frames use too.

#include <cstdint>

#include "launcher/intro.h"
#include "media/picture.h"

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

// Fills the RGB565 screen (width x height pixels, `pitch` pixels per row)
// black and copies `colours` (pw x ph, 0x00BBGGRR, top row first) onto it with
// its top-left corner at (x, y), at its own size; what falls outside the
// screen is cut off.
void DrawAtOwnSize(const uint32_t* colours, int pw, int ph, int x, int y, uint16_t* screen,
                   int width, int height, int pitch);

// The exit picture on the screen: at (0, 0), at its own size, the rest black.
void DrawExitPicture(const Picture& picture, uint16_t* screen, int width, int height, int pitch);

}  // namespace gp
