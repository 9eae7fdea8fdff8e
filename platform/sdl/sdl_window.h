#pragma once
// A window that covers the whole screen (or a plain window): the game window
// and the launcher both open theirs through here.

struct SDL_Window;

namespace gp {

// Starts SDL's video, counted as SDL_InitSubSystem counts it (each success wants
// its SDL_QuitSubSystem(SDL_INIT_VIDEO)), with X errors from SDL's own late
// wakeups kept from ending the program. False when there is no display.
bool StartVideo();

// A borderless window covering the display (desktop full screen), or with
// `windowed` a resizable window of width x height. Without a window manager
// desktop full screen may leave a small window in the middle: then the window
// is made borderless at the display's own position and size. nullptr on failure.
SDL_Window* CreateScreenWindow(const char* title, bool windowed, int width, int height);

// Switches a window made by CreateScreenWindow to covering its display, or to a resizable
// window of width x height in the middle of it.
void SetScreenWindowMode(SDL_Window* window, bool windowed, int width, int height);

}  // namespace gp
