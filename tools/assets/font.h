#pragma once
// Bitmap fonts for the game, rendered from installed TrueType faces through
// Cairo's FreeType backend, and the glyph order of the small and menu fonts.

#include <cairo.h>

#include <string>
#include <vector>

#include "media/picture.h"
#include "tools/assets/art.h"
#include "tools/assets/canvas.h"

namespace gp::assets {

// The characters of the small and menu fonts' patterns, one byte each (Western
// code page): the 67 of the glyph order, then kMoreGlyphs.
std::string GlyphOrder();
// A byte of the Western code page as UTF-8 (an unused byte as a space).
std::string Utf8(unsigned char c);

// A TrueType face loaded from the first existing file of a list of exact paths
// (RAII). Throws when none exists.
class TrueTypeFace {
 public:
  explicit TrueTypeFace(const std::vector<std::string>& paths);
  ~TrueTypeFace();
  TrueTypeFace(const TrueTypeFace&) = delete;
  TrueTypeFace& operator=(const TrueTypeFace&) = delete;

  // Selects the face at `px` pixels with fixed hinting and anti-aliasing.
  void Use(cairo_t* cr, double px) const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  void* library_ = nullptr;  // FT_Library
  void* ftface_ = nullptr;   // FT_Face
  cairo_font_face_t* face_ = nullptr;
};

// A bold sans face (DejaVu Sans Bold, else Liberation Sans Bold) and a narrow one.
const TrueTypeFace& BoldFace();
const TrueTypeFace& NarrowFace();

// How glyph cells are filled.
struct GlyphStyle {
  int cellw = 8, cellh = 12;
  double size = 12;         // font size in pixels
  double baseline = 10;     // baseline y within the cell
  double maxink = 7;        // glyphs wider than this are squeezed horizontally
  Col top, bottom;          // fill gradient over the cap height
  Col outline;              // drawn under the fill
  double outlinewidth = 0;  // 0 = none
  Col glow;                 // soft halo (additive fonts)
  double glowwidth = 0;     // 0 = none
};

// One row of glyph cells, one per text (UTF-8) in order.
void DrawGlyphRow(cairo_t* cr, const TrueTypeFace& face, const std::vector<std::string>& glyphs,
                  const GlyphStyle& style);

}  // namespace gp::assets
