#pragma once
// The launcher's window on the screen: an SDL window and renderer, and a canvas
// of the launcher's own size (640 x 480 with the full-screen interface,
// otherwise the window's size) shown scaled with its proportions kept and
// black borders. Everything the launcher, the intro and the exit picture draw
// goes on the canvas. Where a graphics processor draws, the canvas is a target
// texture of the window's renderer; where drawing is software, SDL's software
// renderer draws it and only what changed goes to the window's own surface.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "media/picture.h"
#include "platform/sdl/frame_screen.h"

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
  // Full screen or a window of 640 x 480; the canvas follows at the next event that
  // changes the window's size (Event).
  void SetWindowed(bool windowed);
  bool windowed() const { return windowed_; }
  // Alt+Enter and F11 (pressed or released): switch; true when `e` was one of them.
  bool ScreenModeKey(const SDL_Event& e);
  // True while the window shows nothing (hidden or minimised): nothing to draw.
  bool Hidden() const;
  // A window event: what it showed may need drawing again; with a canvas of the window's
  // size, a new size makes a new canvas. True when the canvas must be drawn again.
  bool Event(const SDL_Event& e);

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
  void OutputSize(int& w, int& h) const;
  SDL_Rect Shown() const;

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* canvas_ = nullptr;
  int cw_ = 640, ch_ = 480;
  bool windowed_ = false;
  bool fullcanvas_ = true;  // the canvas is 640 x 480 (not the window's size)
  // Software drawing: the renderer draws on a surface of its own; the canvas's pixels are
  // read back and sent to the window's surface.
  SDL_Surface* soft_ = nullptr;
  FrameScreen frames_;
  std::vector<uint32_t> pixels_;
};

}  // namespace gp
