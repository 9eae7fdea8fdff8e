#pragma once
// Score panel, in-game menu buttons, message line, big message, name labels.

namespace gp {

void DrawHud();
void PanelClick();
void PanelPress();
void PanelDoubleClick();

}  // namespace gp
