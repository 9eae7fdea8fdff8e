#pragma once
// Where things sit on the score panel (screen pixels), shared by the panel's
// drawing and its mouse handling.

namespace gp {

// A screen rectangle: left, top, width, height.
struct PanelArea {
  int x, y, w, h;
  constexpr bool Holds(int px, int py) const {
    return px >= x && px < x + w && py >= y && py < y + h;
  }
};

// Panel position on the screen, and the characters of the name in each label.
inline constexpr int kPanelX = 4, kPanelY = 4;
inline constexpr int kBallLabelChars = 9, kFullLabelChars = 17, kMinLabelChars = 13;
// Characters of the message line shown in the full and the minimised panel.
inline constexpr int kFullLineChars = 28, kMinLineChars = 21;

// The five buttons: pressed look (26 x 26, also the hover area) and the
// 22 x 22 area that takes presses and clicks; buttons are numbered 1..5.
inline constexpr int kButtons = 5;
inline constexpr int kButtonLeft[kButtons] = {16, 38, 60, 82, 104};
inline constexpr int kButtonTop = 76;
constexpr PanelArea LookArea(int k) {
  return {kButtonLeft[k - 1], kButtonTop, 26, 26};
}
constexpr PanelArea ClickArea(int k) {
  return {kButtonLeft[k - 1] + 1, kButtonTop, 22, 22};
}

inline constexpr PanelArea kBadgeArea{196, 49, 40, 16};
inline constexpr PanelArea kExitArea{267, 7, 7, 6};
inline constexpr PanelArea kScoreArea{21, 28, 82, 37};
inline constexpr PanelArea kTitleStrip{4, 4, 265, 15};

// Whether the pointer (`mousex`, `mousey`) is in `a`.
bool PointerIn(const PanelArea& a);

}  // namespace gp
