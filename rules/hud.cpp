#include "rules/hud.h"

namespace gp {

void DrawHud() {}
void PanelClick() {}
void PanelPress() {}
void PanelDoubleClick() {}

}  // namespace gp
