#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include "platform/sdl/x11_errors.h"

namespace gp {

bool StartVideo() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  FilterStaleWakeupErrors();
  return true;
}

SDL_Window* CreateScreenWindow(const char* title, bool windowed, int width, int height) {
  if (windowed) {
    return SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                            SDL_WINDOW_RESIZABLE);
  }
  // A borderless window at the display's own place and size first: it covers
  // the screen even where nothing honours a full-screen request (an X server
  // without a window manager); then desktop full screen where it is honoured.
  SDL_Rect bounds{0, 0, width, height};
  SDL_GetDisplayBounds(0, &bounds);
  SDL_Window* w =
      SDL_CreateWindow(title, bounds.x, bounds.y, bounds.w, bounds.h, SDL_WINDOW_BORDERLESS);
  if (!w) return nullptr;
  SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_RaiseWindow(w);
  return w;
}

void SetScreenWindowMode(SDL_Window* window, bool windowed, int width, int height) {
  if (windowed) {
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowResizable(window, SDL_TRUE);
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    return;
  }
  // As at creation: borderless over the display first, for an X server without a
  // window manager, then desktop full screen.
  SDL_Rect bounds{0, 0, width, height};
  SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds);
  SDL_SetWindowResizable(window, SDL_FALSE);
  SDL_SetWindowBordered(window, SDL_FALSE);
  SDL_SetWindowPosition(window, bounds.x, bounds.y);
  SDL_SetWindowSize(window, bounds.w, bounds.h);
  SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_RaiseWindow(window);
}

}  // namespace gp
