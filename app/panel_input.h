#pragma once
// The score panel's mouse handling: its five buttons, the putt badge, the score
// area, the exit corner and the title strip; a click also closes a page and
// leaves a finished game.
//
// The game window's pointer dispatch reaches PanelPress and PanelClick when the
// putting input does not take the press or the release (sim/putting.h), and
// PanelDoubleClick on a left double click.

namespace gp {

// Left click: closes a page, leaves a finished game, or acts on a panel area.
void PanelClick();
// Left press with no putt under way: marks the button under the pointer pressed.
void PanelPress();
// Double click on the panel's title strip minimises or restores the panel.
void PanelDoubleClick();

}  // namespace gp
