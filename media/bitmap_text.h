#pragma once
// Text from bitmap fonts: glyph after glyph, the first one advance right of x.

#include <string_view>

#include "media/display.h"
#include "media/image_list.h"

namespace gp {

// The 67-character order of the small and the menu font, in the single-byte
// Western code page (positions 62..64 are the bytes of A-ring, O-umlaut, A-umlaut).
extern const char kGlyphOrder[68];

void DrawSmallText(Display& d, const ImageItem& font, std::string_view text, int x, int y);
void DrawDigits(Display& d, const ImageItem& font, std::string_view text, int x, int y);
void DrawMenuText(Display& d, const ImageItem& font, std::string_view text, int x, int y);
void DrawBigText(Display& d, const ImageItem& font, std::string_view text, int x, int y, int alpha);

}  // namespace gp
