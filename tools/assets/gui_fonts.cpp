// The HUD's two fonts: the small font (67 glyphs, 6-pixel advance) from the
// pixel font, and the digit font "0123456789o-" from the bold TrueType face.
#include "tools/assets/font.h"
#include "tools/assets/gui_art.h"

namespace gp::assets {

Picture SmallFontPicture(const Theme& t) {
  const std::string order = GlyphOrder();
  Surface s(kPixelCellW * static_cast<int>(order.size()), kPixelCellH);
  for (size_t i = 0; i < order.size(); ++i) {
    // Pattern 30 is a blank, the stand-in for characters without a glyph.
    if (i == 29 || i == 30) continue;
    PixelText(s.cr(), order.substr(i, 1), static_cast<int>(i) * kPixelCellW, 0, t.text,
              t.textshadow);
  }
  return ToPicture(s, KeyMode::Keyed);
}

Picture DigitFontPicture(const Theme& t) {
  const char* digits = "0123456789";
  std::vector<std::string> glyphs;
  for (int i = 0; i < 10; ++i) glyphs.emplace_back(1, digits[i]);
  glyphs.emplace_back("");  // "o": the plus / even mark, drawn below
  glyphs.emplace_back("");  // "-": drawn below, a bar as wide as a digit
  Surface s(kDigitW * 12, kDigitH);
  cairo_t* cr = s.cr();
  GlyphStyle st;
  st.cellw = kDigitW;
  st.cellh = kDigitH;
  st.size = 15;
  st.baseline = 12.5;
  st.maxink = 7;
  st.top = Mix(t.digits, Col{1, 1, 1}, 0.55);
  st.bottom = t.digits;
  st.outline = t.digitsedge;
  st.outlinewidth = 2.2;
  DrawGlyphRow(cr, BoldFace(), glyphs, st);
  // Plus and minus as plain bars, so they line up with the digits' middle.
  auto bars = [&](double lw, Col c, bool fill) {
    const double mx = 10 * kDigitW + kDigitW / 2.0, my = 7.5;
    cairo_rectangle(cr, mx - 3.5 - lw, my - 1.2 - lw, 7 + 2 * lw, 2.4 + 2 * lw);
    cairo_rectangle(cr, mx - 1.2 - lw, my - 3.5 - lw, 2.4 + 2 * lw, 7 + 2 * lw);
    const double nx = 11 * kDigitW + kDigitW / 2.0;
    cairo_rectangle(cr, nx - 3.5 - lw, my - 1.2 - lw, 7 + 2 * lw, 2.4 + 2 * lw);
    SetCol(cr, c);
    if (fill) cairo_fill(cr);
  };
  bars(1.0, t.digitsedge, true);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  bars(0, t.digits, true);
  return ToPicture(s, KeyMode::Keyed);
}

}  // namespace gp::assets
