// The SDL platform: a borderless desktop-full-screen window (or a normal window),
// the back buffer scaled with its aspect kept, the audio device, the clock.
// Built out by the presentation work.
#include <SDL.h>

namespace gp {

// Placeholder so that the SDL library has a translation unit.
unsigned SdlTicks() { return SDL_GetTicks(); }

}  // namespace gp
