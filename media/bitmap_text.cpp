#include "media/bitmap_text.h"

#include <cstring>

namespace gp {

const char kGlyphOrder[68] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\"at  0123456789<>=()-`!_+\\/{}^&%.=$#\xC5\xD6\xC4?*";

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
  int k = 1;
  for (char c : text) {
    const int n = Find(kGlyphOrder, kGlyphCount, c);
    d.Draw(font, n >= 0 ? n : kBlankGlyph, x + k * w, y);
    ++k;
  }
}

}  // namespace

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
