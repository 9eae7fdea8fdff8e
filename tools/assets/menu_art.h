#pragma once
// The pictures of menu.dxg: the big and the menu font, the loading picture,
// the two putting-help pages and the score sheet.

#include <string>
#include <vector>

#include "media/image_list.h"
#include "media/picture.h"
#include "tools/assets/font.h"

namespace gp::assets {

// Glyph width 21: the big message is centred as if 23 wide (hud), and its first
// glyph goes one width right, so 27 characters fit 640 pixels with the jitter.
constexpr int kBigW = 21, kBigH = 32, kBigGlyphs = 61;  // codes 32..92
constexpr int kMenuFontW = 8, kMenuFontH = 14;
constexpr int kLoadingW = 400, kLoadingH = 120;
constexpr int kHelpW = 512, kHelpH = 384;
constexpr int kSheetW = 612, kSheetH = 352;

Picture BigFontPicture();
Picture MenuFontPicture();
Picture LoadingPicture();
Picture HelpPicture(bool pull);
Picture ScoreSheetPicture();

std::vector<ImageItem> MenuItems();

// Shared page helpers: a space backdrop, anti-aliased TrueType text.
void SpaceBackdrop(cairo_t* cr, int w, int h, uint32_t seed);
enum class Align { Left, Centre, Right };
void Text(cairo_t* cr, const TrueTypeFace& face, double px, double x, double y,
          const std::string& text, Col c, Align align = Align::Left);
// A framed rounded panel like the HUD's glass.
void Frame(cairo_t* cr, double x, double y, double w, double h, double r);

}  // namespace gp::assets
