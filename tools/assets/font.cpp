// TrueType glyph rows: each glyph centred in its cell on a common baseline,
// squeezed to fit narrow cells, with an optional outline and glow.
#include "tools/assets/font.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/stat.h>

#include <algorithm>
#include <stdexcept>

#include "base/text_encoding.h"
#include "media/bitmap_text.h"

namespace gp::assets {

std::string GlyphOrder() {
  return std::string(kGlyphOrder) + kMoreGlyphs;
}

std::string Utf8(unsigned char c) {
  std::string s;
  const char32_t cp = WesternCodePoint(c);
  AppendUtf8(s, cp != 0 ? cp : U' ');
  return s;
}

TrueTypeFace::TrueTypeFace(const std::vector<std::string>& paths) {
  for (const std::string& p : paths) {
    struct stat st {};
    if (stat(p.c_str(), &st) == 0) {
      path_ = p;
      break;
    }
  }
  if (path_.empty()) throw std::runtime_error("no font file found: " + paths.front());
  FT_Library lib = nullptr;
  FT_Face face = nullptr;
  if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType cannot start");
  if (FT_New_Face(lib, path_.c_str(), 0, &face) != 0) {
    FT_Done_FreeType(lib);
    throw std::runtime_error("cannot load font " + path_);
  }
  library_ = lib;
  ftface_ = face;
  face_ = cairo_ft_font_face_create_for_ft_face(face, 0);
  // Cairo may keep the face in its caches after we let go: it frees the
  // FreeType face itself when the last reference goes.
  static const cairo_user_data_key_t key{};
  cairo_font_face_set_user_data(face_, &key, face,
                                [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
}

// The FreeType library stays until the process ends: cairo may release the face late.
TrueTypeFace::~TrueTypeFace() {
  cairo_font_face_destroy(face_);
}

void TrueTypeFace::Use(cairo_t* cr, double px) const {
  cairo_set_font_face(cr, face_);
  cairo_set_font_size(cr, px);
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

const TrueTypeFace& BoldFace() {
  static const TrueTypeFace f({"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                               "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"});
  return f;
}

const TrueTypeFace& NarrowFace() {
  static const TrueTypeFace f({"/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf",
                               "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"});
  return f;
}

namespace {

// Puts the glyph's outline into the current path, centred in cell `i`; a
// glyph taller than the room above the baseline (an accented capital) is
// squeezed down to fit under the cell's top.
void GlyphPath(cairo_t* cr, const std::string& text, int i, const GlyphStyle& s) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  const double squeeze = e.width > s.maxink ? s.maxink / e.width : 1.0;
  const double lower = s.baseline + e.y_bearing < 0 ? s.baseline / -e.y_bearing : 1.0;
  const double cx = i * s.cellw + s.cellw / 2.0;
  cairo_save(cr);
  cairo_translate(cr, cx, s.baseline);
  cairo_scale(cr, squeeze, lower);
  cairo_move_to(cr, -(e.x_bearing + e.width / 2), 0);
  cairo_text_path(cr, text.c_str());
  cairo_restore(cr);
}

}  // namespace

void DrawGlyphRow(cairo_t* cr, const TrueTypeFace& face, const std::vector<std::string>& glyphs,
                  const GlyphStyle& s) {
  face.Use(cr, s.size);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  const double captop = s.baseline - s.size * 0.73;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    if (glyphs[i].empty() || glyphs[i] == " ") continue;
    cairo_save(cr);
    cairo_rectangle(cr, static_cast<double>(i) * s.cellw, 0, s.cellw, s.cellh);
    cairo_clip(cr);
    if (s.glowwidth > 0) {
      for (double w = s.glowwidth; w >= 1; w -= s.glowwidth / 3) {
        GlyphPath(cr, glyphs[i], static_cast<int>(i), s);
        cairo_set_line_width(cr, w);
        SetCol(cr, s.glow, 0.22);
        cairo_stroke(cr);
      }
    }
    if (s.outlinewidth > 0) {
      GlyphPath(cr, glyphs[i], static_cast<int>(i), s);
      cairo_set_line_width(cr, s.outlinewidth);
      SetCol(cr, s.outline);
      cairo_stroke(cr);
    }
    GlyphPath(cr, glyphs[i], static_cast<int>(i), s);
    VGradient(cr, captop, s.baseline, s.top, s.bottom);
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

}  // namespace gp::assets
