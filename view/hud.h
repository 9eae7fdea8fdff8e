#pragma once
// Score panel, message line, big message, name labels, drawn from the state.
//
// The frame draws the panel, lets the messages move on (sim/messages.h), then
// draws the messages over it; the full-screen pages and the pointer follow.

#include "view/scene.h"

namespace gp {

// Name labels and the panel (full or minimised) with its texts and pressed buttons.
void DrawHudPanel(const Scene& sc);
// The scrolling message line, and the big message with its shimmer.
void DrawMessages(const Scene& sc);

}  // namespace gp
