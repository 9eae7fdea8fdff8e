#pragma once
// Text from bitmap fonts: glyph after glyph, the first one advance right of x.

#include <string_view>

#include "media/display.h"
#include "media/image_list.h"

namespace gp {

// The 67-character order of the small and the menu font, in the single-byte
// Western code page (positions 62..64 are the bytes of A-ring, O-umlaut, A-umlaut).
extern const char kGlyphOrder[68];

// The characters of the small and menu fonts' patterns after the first 67
// (pattern 67 + i shows kMoreGlyphs[i]): every other printable character of
// the Western code page that a name in capitals can hold. A font without
// them (a skin's own "font.bmp" of 67 glyphs) draws them as the blank.
inline constexpr int kMoreGlyphCount = 95;
extern const char kMoreGlyphs[kMoreGlyphCount + 1];
// The pattern of character c in a small or menu font of `patterns` patterns.
int TextGlyph(char c, int patterns);

void DrawSmallText(Display& d, const ImageItem& font, std::string_view text, int x, int y);
void DrawDigits(Display& d, const ImageItem& font, std::string_view text, int x, int y);
void DrawMenuText(Display& d, const ImageItem& font, std::string_view text, int x, int y);
void DrawBigText(Display& d, const ImageItem& font, std::string_view text, int x, int y, int alpha);

}  // namespace gp
