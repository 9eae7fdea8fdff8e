#include "media/bitmap_text.h"

#include <cstring>

namespace gp {

const char kGlyphOrder[68] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\"at  0123456789<>=()-`!_+\\/{}^&%.=$#\xC5\xD6\xC4?*";

const char kMoreGlyphs[kMoreGlyphCount + 1] =
    "',:;@[]|~\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97"
    "\x98\x99\x9B\x9F\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF\xB0\xB1"
    "\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC6\xC7\xC8\xC9"
    "\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xF7";

namespace {

constexpr int kGlyphCount = 67;
constexpr int kBlankGlyph = 30;  // for characters the font does not have
constexpr char kDigitOrder[] = "0123456789o-";

// Position of c in the first n characters of order, or -1.
int Find(const char* order, int n, char c) {
  const void* p = std::memchr(order, c, static_cast<size_t>(n));
  return p ? static_cast<int>(static_cast<const char*>(p) - order) : -1;
}

void DrawOrdered(Display& d, const ImageItem& font, std::string_view text, int x, int y) {
  const int w = font.Width();
  const int patterns = font.PatternCount();
  int k = 1;
  for (char c : text) {
    d.Draw(font, TextGlyph(c, patterns), x + k * w, y);
    ++k;
  }
}

}  // namespace

int TextGlyph(char c, int patterns) {
  if (const int n = Find(kGlyphOrder, kGlyphCount, c); n >= 0) return n;
  const int more = Find(kMoreGlyphs, kMoreGlyphCount, c);
  return more >= 0 && kGlyphCount + more < patterns ? kGlyphCount + more : kBlankGlyph;
}

void DrawSmallText(Display& d, const ImageItem& font, std::string_view text, int x, int y) {
  DrawOrdered(d, font, text, x, y);
}

void DrawMenuText(Display& d, const ImageItem& font, std::string_view text, int x, int y) {
  DrawOrdered(d, font, text, x, y);
}

void DrawDigits(Display& d, const ImageItem& font, std::string_view text, int x, int y) {
  const int advance = font.Width() + 1;
  int k = 1;
  for (char c : text) {
    const int n = Find(kDigitOrder, sizeof kDigitOrder - 1, c);
    if (n >= 0) d.Draw(font, n, x + k * advance, y);  // unknown characters keep their place
    ++k;
  }
}

void DrawBigText(Display& d, const ImageItem& font, std::string_view text, int x, int y,
                 int alpha) {
  const int w = font.Width(), h = font.Height();
  int k = 1;
  for (char c : text) {
    const int code = static_cast<unsigned char>(c);
    const int n = code >= 32 && code <= 92 ? code - 32 : 0;
    d.DrawAdd(font, n, Rect{x + k * w, y, w, h}, alpha);
    ++k;
  }
}

}  // namespace gp
