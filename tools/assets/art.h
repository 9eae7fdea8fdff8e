#pragma once
// Interface art: colour themes shared by the default interface and the skins,
// Cairo shape helpers and the hand-drawn 5 x 7 pixel font of the HUD.

#include <cairo.h>

#include <string>
#include <string_view>

#include "media/image_list.h"
#include "media/picture.h"
#include "tools/assets/canvas.h"
#include "tools/assets/colour.h"

namespace gp::assets {


// The colours of one interface look. The default interface and every skin are
// drawn by the same code from one of these.
struct Theme {
  Col rimlight, rimdark;      // outer metal frame: lit top edge, shaded bottom edge
  Col glasstop, glassbottom;  // panel body gradient
  Col title, titletext;       // title strip and its caption
  Col accent;                 // glowing lines, lit gauge start, pointer
  Col hot;                    // lit gauge end, alerts
  Col field, fieldedge;       // recessed text fields
  Col text, textshadow;       // small font
  Col label;                  // dim captions printed in the art
  Col button, buttonlit;      // button face
  Col icon;                   // button icons
  Col digits, digitsedge;     // digit font fill and outline
  Col planet, planetring;     // the decorative planet in the panel
};
const Theme& DefaultTheme();
const Theme& NebulaTheme();

// Paths and fills.
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void VGradient(cairo_t* cr, double y0, double y1, Col top, Col bottom, double alpha = 1.0);
// A recessed field: dark fill, shaded top-left inner edge, lit bottom-right.
void Recess(cairo_t* cr, const Theme& t, double x, double y, double w, double h, double r);
// A few deterministic pin-prick stars inside the current clip.
void Stars(cairo_t* cr, int w, int h, int count, uint32_t seed, double alpha);

// The pixel font: 5 x 7 capitals (accents two rows above), in a 6 x 10 cell.
constexpr int kPixelCellW = 6, kPixelCellH = 10;
// Draws byte text at (x, y) (top-left of the first cell) with a one-pixel drop
// shadow; characters without a glyph draw as blanks.
void PixelText(cairo_t* cr, std::string_view text, int x, int y, Col colour, Col shadow,
               bool withshadow = true);
// Same, without shadow, each font pixel a `scale` x `scale` block.
void PixelTextScaled(cairo_t* cr, std::string_view text, int x, int y, int scale, Col colour);
// Width in pixels of the text in the pixel font (6 per character).
inline int PixelTextWidth(std::string_view text) {
  return static_cast<int>(text.size()) * kPixelCellW;
}

// True when GALAPUTT_ART_DUMP names a folder for the dumps below.
bool Dumping();
// When GALAPUTT_ART_DUMP names a folder, writes the picture there as NAME.png,
// scaled up `zoom` times (for looking at the art; never part of the build).
void DumpPicture(const std::string& name, const Picture& p, int zoom = 1);
// The same for a sound, as NAME.wav (22 050 Hz, 16-bit, mono).
void DumpWave(const std::string& name, const std::vector<int16_t>& samples);

// The HUD composed from gui items as the game draws it (GALAPUTT_ART_DUMP only).
void DumpHudPreview(const std::vector<ImageItem>& gui, const std::string& name);
// The score sheet with names and numbers in the menu font, and a big message.
void DumpBallsPreview(const std::vector<Picture>& textures, const std::vector<ImageItem>& gui,
                      const std::string& name);
void DumpMenuPreview(const std::vector<ImageItem>& menu, const std::string& name);
}  // namespace gp::assets
