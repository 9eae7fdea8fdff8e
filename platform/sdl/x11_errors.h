#pragma once
// SDL 2 wakes a thread blocked in SDL_WaitEventTimeout by sending a message to
// one of its windows over a second X connection. When the main connection
// destroys that window first (the game window closed on the way back to the
// launcher), the X server answers the late message with BadWindow, and Xlib's
// default handler ends the program for it, seconds later and at random. That
// one error is harmless; every other X error still goes where it went before.

namespace gp {

// Put the filter in front of the X error handler in place (SDL's own once
// video has started). Does nothing when the video driver is not X11, when the
// build has no Xlib, or when the filter is already in front.
void FilterStaleWakeupErrors();

// How many errors the filter has let pass as harmless, for tests.
int StaleWakeupErrorsSeen();

}  // namespace gp
