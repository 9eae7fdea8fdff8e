#pragma once
// The display's drawing operations one pixel at a time, exactly as the game
// first drew them. The display's own code works on several pixels at once and
// must give the same pixels: tests compare the two on random pictures.

#include <cstdint>

#include "media/display.h"
#include "media/image_list.h"

namespace gp::reference {

// A back buffer of width x height pixels, row after row (pitch = width).
struct Surface {
  uint16_t* pixels = nullptr;
  int width = 0, height = 0;
};

// The same contracts as the Display methods of the same names, on a surface
// that is always drawable.
void FillRectAlpha(Surface s, Rect r, uint32_t colour, int alpha);
void Draw(Surface s, const ImageItem& item, int pattern, int x, int y);
void DrawAdd(Surface s, const ImageItem& item, int pattern, Rect dst, int alpha);
void DrawAlpha(Surface s, const ImageItem& item, int pattern, Rect dst, int alpha);
void DrawSub(Surface s, const ImageItem& item, int pattern, Rect dst, int alpha);

}  // namespace gp::reference
