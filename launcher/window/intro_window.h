#pragma once
// The intro movies and the exit picture, shown modally on the launcher's screen.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>

#include "launcher/intro.h"
#include "launcher/window/launcher_screen.h"
#include "media/mixer.h"

namespace gp {

// Plays "zorbel.avi" then "intro.avi" from `folder` until both end or the
// player skips them; their sound goes through `mixer` (started by the caller).
// `underneath` runs on every pass with the clock (milliseconds): what plays
// under the intro window. Alt+Enter and F11 switch the screen, skipping nothing.
void PlayIntro(LauncherScreen& screen, Mixer& mixer, const std::string& folder,
               const std::function<void(uint32_t)>& underneath);

// The exit picture ("extro.bmp") at its own size from the top left, the rest
// black, until any key (but Alt+Enter and F11) or mouse button.
void ShowExitPicture(LauncherScreen& screen, const std::string& folder);

// One frame of a movie or the exit picture: the renderer's target black and
// the top-left at.w x at.h pixels of `texture` at `at`, never scaled; what falls
// outside the target is cut off.
void DrawAtOwnSize(SDL_Renderer* renderer, SDL_Texture* texture, const ScreenRect& at);

}  // namespace gp
