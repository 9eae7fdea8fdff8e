#pragma once
// The launcher's window on the screen: an SDL window and renderer, and a canvas
// of the launcher's own size (640 x 480 with the full-screen interface,
// otherwise the window's size) shown scaled with its proportions kept and
// black borders. Everything the launcher, the intro and the exit picture draw
// goes on the canvas.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "media/picture.h"

namespace gp {

class LauncherScreen {
 public:
  ~LauncherScreen();
  // The window; false when it cannot be made.
  bool Open(bool windowed);
  // The canvas for a showing: 640 x 480 when `fullscreen`, else the window's size.
  bool MakeCanvas(bool fullscreen);
  void Hide();
  void Show();

  SDL_Renderer* renderer() const { return renderer_; }
  SDL_Window* window() const { return window_; }
  int width() const { return cw_; }
  int height() const { return ch_; }

  // Drawing on the canvas: Begin clears it black; End shows it in the window.
  void Begin();
  void End();
  // A window point in canvas pixels (outside the canvas: beyond its edges).
  void ToCanvas(int wx, int wy, int& cx, int& cy) const;
  // A canvas point in window pixels.
  void ToWindow(int cx, int cy, int& wx, int& wy) const;

  // A streaming texture of w x h colours 0x00BBGGRR, made or resized as needed.
  static void Upload(SDL_Renderer* r, SDL_Texture*& texture, const uint32_t* colours, int w, int h);

 private:
  SDL_Rect Shown() const;

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* canvas_ = nullptr;
  int cw_ = 640, ch_ = 480;
};

}  // namespace gp
