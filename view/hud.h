#pragma once
// Score panel, in-game menu buttons, message line, big message, name labels.
//
// Callers: the frame tick calls `DrawHud` once per frame after the hole
// animations (the full-screen pages and the pointer follow it). The game
// window's mouse handlers reach `PanelPress` and `PanelClick` through the
// putting input (physics/putting.h), and call `PanelDoubleClick` directly.

#include <string>
#include <string_view>

namespace gp {

// Name labels, the panel (full or minimised) with its texts and pressed
// buttons, the scrolling message line, the exit prompt and the big message.
void DrawHud();
// Left click: closes a page, leaves a finished game, or acts on a panel area.
void PanelClick();
// Left press with no putt under way: marks the button under the pointer pressed.
void PanelPress();
// Double click on the panel's title strip minimises or restores the panel.
void PanelDoubleClick();

// Capitals of a name in the single-byte Western code page (a..z and the
// accented lower-case letters); other bytes stay as they are.
std::string Capitalized(std::string_view s);
// Player p's label: "2. PLAYER 2 (7)" with the first n characters of the name.
std::string PlayerLabel(int p, int n);

}  // namespace gp
