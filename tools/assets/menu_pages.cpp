// The menu fonts, the loading picture and the score sheet, and the "menu"
// generator that writes menu.dxg.
#include <cmath>

#include "tools/assets/menu_art.h"

namespace gp::assets {

void SpaceBackdrop(cairo_t* cr, int w, int h, uint32_t seed) {
  VGradient(cr, 0, h, Col{0.03, 0.04, 0.11}, Col{0.01, 0.01, 0.04});
  cairo_paint(cr);
  // Soft nebula clouds, then stars of a few sizes.
  const Col tints[3] = {{0.45, 0.2, 0.6}, {0.1, 0.35, 0.6}, {0.6, 0.2, 0.35}};
  for (int i = 0; i < 7; ++i) {
    const double x = Noise(i, 11, seed) * w, y = Noise(i, 12, seed) * h;
    const double r = (0.15 + 0.3 * Noise(i, 13, seed)) * std::max(w, h);
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    AddStop(p, 0, tints[i % 3], 0.22);
    AddStop(p, 1, tints[i % 3], 0.0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
  }
  Stars(cr, w, h, w * h / 90, seed, 0.9);
  for (int i = 0; i < w * h / 4000; ++i) {
    const double x = Noise(i, 21, seed) * w, y = Noise(i, 22, seed) * h;
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, 2.5);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.95);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.6, 0.8, 1, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, 2.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

void Text(cairo_t* cr, const TrueTypeFace& face, double px, double x, double y,
          const std::string& text, Col c, Align align) {
  face.Use(cr, px);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  double tx = x;
  if (align == Align::Centre) tx = x - e.x_advance / 2;
  if (align == Align::Right) tx = x - e.x_advance;
  cairo_move_to(cr, std::round(tx), y);
  SetCol(cr, c);
  cairo_show_text(cr, text.c_str());
}

void Frame(cairo_t* cr, double x, double y, double w, double h, double r) {
  const Theme& t = DefaultTheme();
  RoundRect(cr, x, y, w, h, r);
  SetCol(cr, t.rimdark);
  cairo_fill(cr);
  RoundRect(cr, x + 1, y + 1, w - 2, h - 2, r - 1);
  VGradient(cr, y, y + h, t.rimlight, Mix(t.rimdark, t.rimlight, 0.3));
  cairo_fill(cr);
  RoundRect(cr, x + 2.5, y + 2.5, w - 5, h - 5, r - 2);
  VGradient(cr, y, y + h, Col{0.09, 0.16, 0.27}, Col{0.03, 0.06, 0.12}, 0.92);
  cairo_fill(cr);
}

Picture BigFontPicture() {
  std::vector<std::string> glyphs;
  for (int c = 32; c <= 92; ++c) glyphs.push_back(Utf8(static_cast<unsigned char>(c)));
  Surface s(kBigW * kBigGlyphs, kBigH);
  GlyphStyle st;
  st.cellw = kBigW;
  st.cellh = kBigH;
  st.size = 26;
  st.baseline = 26;
  st.maxink = 18;
  st.top = Col{1, 1, 1};
  st.bottom = Col{0.45, 0.85, 1.0};
  st.glow = Col{0.2, 0.55, 1.0};
  st.glowwidth = 6;
  DrawGlyphRow(s.cr(), BoldFace(), glyphs, st);
  return ToPicture(s, KeyMode::Additive);
}

Picture MenuFontPicture() {
  const std::string order = GlyphOrder();
  std::vector<std::string> glyphs;
  for (size_t i = 0; i < order.size(); ++i) {
    glyphs.push_back(i == 30 ? std::string() : Utf8(static_cast<unsigned char>(order[i])));
  }
  Surface s(kMenuFontW * static_cast<int>(glyphs.size()), kMenuFontH);
  GlyphStyle st;
  st.cellw = kMenuFontW;
  st.cellh = kMenuFontH;
  st.size = 14;
  st.baseline = 12.5;
  st.maxink = 6.4;
  st.top = Col{1, 1, 0.92};
  st.bottom = Col{1, 0.82, 0.45};
  st.outline = Col{0.05, 0.03, 0.08};
  st.outlinewidth = 2;
  DrawGlyphRow(s.cr(), BoldFace(), glyphs, st);
  return ToPicture(s, KeyMode::Keyed);
}

namespace {

// A green floating in space: an island of felt with a cup, a flag and a ball.
void FloatingGreen(cairo_t* cr) {
  cairo_save(cr);
  cairo_translate(cr, 70, 66);
  cairo_scale(cr, 1, 0.42);
  cairo_arc(cr, 0, 22, 46, 0, M_PI);
  VGradient(cr, 0, 70, Col{0.35, 0.3, 0.4}, Col{0.1, 0.08, 0.15});
  cairo_fill(cr);
  cairo_arc(cr, 0, 0, 48, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_radial(-15, -20, 5, 0, 0, 50);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.35, 0.85, 0.6);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.05, 0.4, 0.3);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_arc(cr, 18, 4, 6, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 0.02, 0.05, 0.05);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_move_to(cr, 88.5, 68);
  cairo_line_to(cr, 88.5, 34);
  cairo_set_source_rgb(cr, 0.9, 0.9, 0.95);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_move_to(cr, 89, 34);
  cairo_line_to(cr, 104, 39);
  cairo_line_to(cr, 89, 44);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 1.0, 0.35, 0.25);
  cairo_fill(cr);
  cairo_arc(cr, 52, 62, 3.5, 0, 2 * M_PI);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
}

// A bold caption with a soft blue glow; x is its left edge or, when
// `centred`, its middle; y the baseline.
void GlowTitle(cairo_t* cr, const char* text, double px, double x, double y, bool centred) {
  BoldFace().Use(cr, px);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  const double left = std::round(centred ? x - e.x_advance / 2 : x);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, left, y);
    cairo_text_path(cr, text);
    if (pass == 0) {
      cairo_set_line_width(cr, px / 5);
      cairo_set_source_rgba(cr, 0.2, 0.6, 1.0, 0.32);
      cairo_stroke(cr);
    } else {
      VGradient(cr, y - px * 0.75, y, Col{1, 1, 1}, Col{0.5, 0.85, 1});
      cairo_fill(cr);
    }
  }
}

}  // namespace

Picture LoadingPicture() {
  Surface s(kLoadingW, kLoadingH);
  cairo_t* cr = s.cr();
  SpaceBackdrop(cr, kLoadingW, kLoadingH, 310);
  FloatingGreen(cr);
  GlowTitle(cr, "GALAPUTT", 34, 150, 62, false);
  Text(cr, BoldFace(), 13, 152, 88, "LOADING THE NEXT HOLE ...", Col{0.75, 0.85, 0.95});
  cairo_rectangle(cr, 152, 96, 200, 3);
  cairo_pattern_t* bar = cairo_pattern_create_linear(152, 0, 352, 0);
  cairo_pattern_add_color_stop_rgba(bar, 0, 0.3, 0.9, 1.0, 0.9);
  cairo_pattern_add_color_stop_rgba(bar, 1, 0.3, 0.9, 1.0, 0.0);
  cairo_set_source(cr, bar);
  cairo_fill(cr);
  cairo_pattern_destroy(bar);
  return ToPicture(s, KeyMode::Opaque);
}

namespace {

// Column x of hole j's centre on the sheet, and the row bands.
double HoleX(int j) {
  return 39.0 * j + 141;
}

void SheetGrid(cairo_t* cr) {
  const Col line{0.35, 0.55, 0.75};
  // Bands: header, par row, four player rows, the standings line.
  RoundRect(cr, 14, 104, 584, 30, 5);
  VGradient(cr, 104, 134, Col{0.16, 0.36, 0.55}, Col{0.08, 0.2, 0.34});
  cairo_fill(cr);
  cairo_rectangle(cr, 14, 138, 584, 28);
  cairo_set_source_rgba(cr, 0.35, 0.75, 1.0, 0.14);
  cairo_fill(cr);
  for (int k = 1; k <= 4; ++k) {
    cairo_rectangle(cr, 14, 36 * k + 134, 584, 34);
    cairo_set_source_rgba(cr, 1, 1, 1, k % 2 ? 0.06 : 0.025);
    cairo_fill(cr);
  }
  cairo_set_line_width(cr, 1);
  for (int j = 1; j <= 10; ++j) {
    cairo_move_to(cr, HoleX(j) - 19.5, 108);
    cairo_line_to(cr, HoleX(j) - 19.5, 312);
  }
  cairo_move_to(cr, 570.5, 108);
  cairo_line_to(cr, 570.5, 312);
  SetCol(cr, line, 0.45);
  cairo_stroke(cr);
  cairo_move_to(cr, 14, 137.5);
  cairo_line_to(cr, 598, 137.5);
  cairo_move_to(cr, 14, 167.5);
  cairo_line_to(cr, 598, 167.5);
  SetCol(cr, line, 0.7);
  cairo_stroke(cr);
}

void SheetCaptions(cairo_t* cr) {
  const Col head{0.85, 0.95, 1.0}, dim{0.55, 0.75, 0.9};
  const TrueTypeFace& f = BoldFace();
  Text(cr, f, 12, 36, 124, "PLAYER", head);
  for (int j = 1; j <= 9; ++j)
    Text(cr, f, 13, HoleX(j), 125, std::to_string(j), head, Align::Centre);
  Text(cr, f, 10, 542, 124, "TOTAL", head, Align::Centre);
  Text(cr, f, 9, 584.5, 124, "WON", head, Align::Centre);  // within its column, 570..598
  Text(cr, f, 12, 36, 158, "PAR", Col{1.0, 0.85, 0.45});
  const Col dots[4] = {{0.35, 0.9, 1.0}, {1.0, 0.62, 0.25}, {0.6, 1.0, 0.35}, {1.0, 0.45, 0.8}};
  for (int k = 1; k <= 4; ++k) {
    cairo_arc(cr, 24, 36 * k + 145, 4, 0, 2 * M_PI);
    SetCol(cr, dots[k - 1]);
    cairo_fill(cr);
  }
  Text(cr, f, 10, 26, 330, "STANDINGS", dim);
}

}  // namespace

Picture ScoreSheetPicture() {
  Surface s(kSheetW, kSheetH);
  cairo_t* cr = s.cr();
  SpaceBackdrop(cr, kSheetW, kSheetH, 620);
  Frame(cr, 4, 4, kSheetW - 8, kSheetH - 8, 14);
  GlowTitle(cr, "SCORE CARD", 36, kSheetW / 2.0, 66, true);
  Text(cr, BoldFace(), 11, kSheetW / 2.0, 90, "GALAPUTT  -  MINI GOLF AMONG THE STARS",
       Col{0.55, 0.75, 0.9}, Align::Centre);
  SheetGrid(cr);
  SheetCaptions(cr);
  // The standings line sits in a recessed strip.
  Recess(cr, DefaultTheme(), 150, 315, 330, 20, 4);
  return ToPicture(s, KeyMode::Opaque);
}

std::vector<ImageItem> MenuItems() {
  std::vector<ImageItem> items;
  items.push_back(MakeItem("bigfont", BigFontPicture(), kBigW, kBigH));
  items.push_back(MakeItem("loading", LoadingPicture(), 0, 0, false));
  items.push_back(MakeItem("helppull", HelpPicture(true), 0, 0, false));
  items.push_back(MakeItem("helppush", HelpPicture(false), 0, 0, false));
  items.push_back(MakeItem("scoresheet", ScoreSheetPicture(), 0, 0, false));
  items.push_back(MakeItem("menufont", MenuFontPicture(), kMenuFontW, kMenuFontH));
  return items;
}

namespace {

void RunMenu(const Context& ctx) {
  const std::vector<ImageItem> items = MenuItems();
  for (const ImageItem& item : items) DumpPicture("menu_" + item.name, item.picture);
  DumpMenuPreview(items, "sheet");
  WriteImages(ctx, "menu.dxg", items);
}

Registrar kMenuPagesGenerator{{"menu", RunMenu}};

}  // namespace

}  // namespace gp::assets
