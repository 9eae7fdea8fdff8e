#pragma once
// The hole designer's overlay, drawn into a course picture: every area
// outlined in a colour by its family and labelled "kind:number", exits and
// launch lines of teleporters, pipes and catapults, the ball start ringed in
// white and the cup in red, and a solver's line. `galaputt-lab preview` writes
// it as PNG; the editor shows it.

#include <cstdint>
#include <string>
#include <vector>

#include "game/state.h"
#include "media/picture.h"

namespace gp::editor {

// A picture with lines, ellipses and labels in course pixels; `k` course
// pixels per picture pixel (a picture shrunk by a whole factor).
struct OutlineCanvas {
  Picture pic;
  double k = 1;
  void Plot(int x, int y, uint32_t c);
  // A line two pixels thick with a one-pixel dark outline below and right.
  void Line(double x0, double y0, double x1, double y1, uint32_t c);
  // An ellipse `rx` wide and `rx` / 2 high, like a round area.
  void Ellipse(double cx, double cy, double rx, uint32_t c);
  void Box(int x, int y, int w, int h, uint32_t c);
  // Digits and ':' in a 3 x 5 font at double size, on a dark box.
  void Label(int x, int y, const std::string& text, uint32_t c);
};

// Outline colour of a kind (0x00BBGGRR): walls white, surfaces cyan, water
// blue, hazards red, devices yellow, switches magenta, the cup orange.
uint32_t KindColour(int kind);

// Area `index` outlined and labelled; nothing for empty or shapeless areas.
void DrawArea(OutlineCanvas& cv, int index, const Area& a);
// The ball start (its scatter ring and centre) and the cup.
void DrawMarks(OutlineCanvas& cv, int ballx, int bally, int cupx, int cupy);

// One stroke of a line: from where the ball lay to where it came to rest.
struct LineStroke {
  double fromx = 0, fromy = 0, tox = 0, toy = 0;
};
// Each stroke as a green line, its rest ringed, its number at its start.
void DrawStrokes(OutlineCanvas& cv, const std::vector<LineStroke>& strokes);

// The picture shrunk by a whole factor, each pixel the mean of its block.
Picture Shrink(const Picture& p, int f);

}  // namespace gp::editor
