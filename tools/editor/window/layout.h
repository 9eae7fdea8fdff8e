#pragma once
// Where the editor's window puts things, window pixels: the toolbar along the
// top, the palette and lists on the left, the course in the middle, the side
// panel on the right, a status line at the bottom. Fixed, so that a designer's
// hands learn it (and the window tests can click it).

namespace gp::editor::layout {

constexpr int kToolbarHeight = 36;
constexpr int kStatusHeight = 24;
constexpr int kLeftWidth = 236;
constexpr int kRightWidth = 390;

// The toolbar's buttons, left to right.
enum ToolbarButton {
  kSaveButton,
  kUndoButton,
  kRedoButton,
  kDeleteButton,
  kDuplicateButton,
  kTryButton,
  kSolveButton,
  kCheckButton,
  kZoomOutButton,
  kZoomInButton,
  kFitButton,
  kToolbarButtons
};
constexpr int kButtonWidth = 74, kButtonHeight = 24, kButtonGap = 4, kToolbarX = 8, kToolbarY = 6;
constexpr int ToolbarButtonX(int b) {
  return kToolbarX + b * (kButtonWidth + kButtonGap);
}

// The palette: every kind from 1 to 45, five a row, under its heading.
constexpr int kPaletteTop = kToolbarHeight + 30;
constexpr int kPaletteLeft = 8, kPaletteColumns = 5;
constexpr int kPaletteWidth = 40, kPaletteHeight = 22, kPaletteGap = 4;
constexpr int PaletteX(int kind) {
  return kPaletteLeft + (kind - 1) % kPaletteColumns * (kPaletteWidth + kPaletteGap);
}
constexpr int PaletteY(int kind) {
  return kPaletteTop + (kind - 1) / kPaletteColumns * (kPaletteHeight + kPaletteGap);
}

// The course view's top-left corner; course point (x, y) shows at
// (kViewX + x * zoom - scrollx, kViewY + y * zoom - scrolly).
constexpr int kViewX = kLeftWidth, kViewY = kToolbarHeight;

}  // namespace gp::editor::layout
