#pragma once
// A hole's source file: the game's own sections ([ball], [course], [areaN]) and
// the sections only the hole compiler reads:
//   [canvas]  width, height (multiples of 24), scheme (course colour 1..6),
//             seed, number (the hole's place in its round), title (hole card),
//             mood ("storm": grey thunderheads)
//   [floorN]  points = "x,y x,y ..." outline of a playable surface; level = 0/1
//             (1 = a lower tier, drawn darker)
//   [paintN]  type, x, y, w, h, fg (1 = stands above a ball), text: decorations
//   [images]  itemN = GENERATOR [ARG]: which picture makes course item N
//   [sounds]  music = the piece of the score the hole plays (item 0)

#include <map>
#include <string>
#include <vector>

#include "game/area_kind.h"

namespace gp::assets {

// Reads one number by the hole-file rules; false when `text` is not entirely a number.
bool ParseHoleNumber(const std::string& text, int& out);

// Course colour schemes, 1..kSchemes ([canvas] scheme; others are clamped).
inline constexpr int kSchemes = 6;

struct Pt {
  double x = 0, y = 0;
};

enum class Shape { None, Segment, Quad, Ellipse };

struct Area {
  int index = 0;  // 1..99
  int kind = 0;
  int x1 = 0, y1 = 0, r = 0, x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
  int p1 = 0, p2 = 0, p3 = 0, p4 = 0, p5 = 0, p6 = 0;
  bool enabled = false;
  std::string comment;

  Shape shape() const;
  Pt Centre() const;  // middle of the shape
  // Bounding box of the shape in course pixels: {left, top, right, bottom}.
  void Bounds(double& l, double& t, double& r, double& b) const;
};

struct Floor {
  std::vector<Pt> points;
  int level = 0;
};

struct Paint {
  std::string type;
  int x = 0, y = 0, w = 0, h = 0;
  bool fg = false;
  std::string text;
};

struct HoleSource {
  std::string name;
  std::string text;  // the file as read
  int width = 1200, height = 960;
  int scheme = 1;
  unsigned seed = 1;
  int number = 1;
  std::string title;
  int par = 3;
  int ballx = 320, bally = 240;
  std::vector<Area> areas;  // non-empty slots, ascending index
  std::vector<Floor> floors;
  std::vector<Paint> paints;
  std::map<int, std::string> images;  // item number -> "GENERATOR [ARG]"
  std::string music = "training-first";
  std::string mood;  // [canvas] mood: "storm" darkens the sky

  const Area* FindArea(int index) const;
  const Area* Cup() const;  // the last kind-5 area, or nullptr
};

// Parses a hole source; throws std::runtime_error naming the file on bad input.
HoleSource ParseHoleSource(const std::string& name, const std::string& text);
HoleSource LoadHoleSource(const std::string& path, const std::string& name);
// Throws std::runtime_error naming the area when the hole cannot be right: an
// area outside the picture or without a shape, a wall whose kind does not match
// its slope, not exactly one cup, the ball start outside, music the score lacks.
void ValidateHole(const HoleSource& h);

}  // namespace gp::assets
