#include "tools/assets/hole_source.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/profile.h"
#include "tools/assets/music_score.h"

namespace gp::assets {

bool ParseHoleNumber(const std::string& text, int& out) {
  int32_t v;
  if (!ParseProfileNumber(text, v)) return false;
  out = v;
  return true;
}

Shape Area::shape() const {
  if (r >= 1) return Shape::Ellipse;
  if (x3 == 0 && x4 == 0) return Shape::Segment;
  if (x3 != 0 && x4 != 0) return Shape::Quad;
  return Shape::None;
}

Pt Area::Centre() const {
  switch (shape()) {
    case Shape::Quad:
      return {(x1 + x2 + x3 + x4) / 4.0, (y1 + y2 + y3 + y4) / 4.0};
    case Shape::Segment:
      return {(x1 + x2) / 2.0, (y1 + y2) / 2.0};
    default:
      return {double(x1), double(y1)};
  }
}

void Area::Bounds(double& l, double& t, double& rr, double& b) const {
  switch (shape()) {
    case Shape::Ellipse:
      l = x1 - r, rr = x1 + r, t = y1 - r / 2.0, b = y1 + r / 2.0;
      return;
    case Shape::Quad:
      l = std::min({x1, x2, x3, x4}), rr = std::max({x1, x2, x3, x4});
      t = std::min({y1, y2, y3, y4}), b = std::max({y1, y2, y3, y4});
      return;
    default:
      l = std::min(x1, x2), rr = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
  }
}

const Area* HoleSource::FindArea(int index) const {
  for (const Area& a : areas) {
    if (a.index == index) return &a;
  }
  return nullptr;
}

const Area* HoleSource::Cup() const {
  const Area* cup = nullptr;
  for (const Area& a : areas) {
    if (a.kind == kCup) cup = &a;
  }
  return cup;
}

using gp::Profile;

namespace {

std::vector<Pt> ParsePoints(const std::string& where, const std::string& text) {
  std::vector<Pt> pts;
  std::istringstream in(text);
  std::string tok;
  while (in >> tok) {
    const size_t comma = tok.find(',');
    int x, y;
    if (comma == std::string::npos || !ParseHoleNumber(tok.substr(0, comma), x) ||
        !ParseHoleNumber(tok.substr(comma + 1), y)) {
      throw std::runtime_error(where + ": bad point \"" + tok + "\"");
    }
    pts.push_back({double(x), double(y)});
  }
  if (pts.size() < 3) throw std::runtime_error(where + ": a floor needs at least 3 points");
  return pts;
}

int Int(const Profile& p, const std::string& s, const char* key, int def = 0) {
  return p.ReadInteger(s, key, def);
}

Area ReadArea(const Profile& p, int i) {
  const std::string s = "area" + std::to_string(i);
  Area a;
  a.index = i;
  a.kind = Int(p, s, "kind");
  a.x1 = Int(p, s, "x1"), a.y1 = Int(p, s, "y1"), a.r = Int(p, s, "r");
  a.x2 = Int(p, s, "x2"), a.y2 = Int(p, s, "y2"), a.x3 = Int(p, s, "x3"), a.y3 = Int(p, s, "y3");
  a.x4 = Int(p, s, "x4"), a.y4 = Int(p, s, "y4");
  a.p1 = Int(p, s, "p1"), a.p2 = Int(p, s, "p2"), a.p3 = Int(p, s, "p3");
  a.p4 = Int(p, s, "p4"), a.p5 = Int(p, s, "p5"), a.p6 = Int(p, s, "p6");
  a.enabled = p.ReadBool(s, "enabled", false);
  a.comment = p.ReadString(s, "comment", "");
  return a;
}

}  // namespace

HoleSource ParseHoleSource(const std::string& name, const std::string& text) {
  const Profile p = Profile::FromText(text);
  HoleSource h;
  h.name = name;
  h.text = text;
  h.width = Int(p, "canvas", "width", 1200);
  h.height = Int(p, "canvas", "height", 960);
  if (h.width < 240 || h.height < 240 || h.width > 4800 || h.height > 4800 || h.width % 24 ||
      h.height % 24) {
    throw std::runtime_error(name + ": canvas size must be multiples of 24 between 240 and 4800");
  }
  h.scheme = std::clamp(Int(p, "canvas", "scheme", 1), 1, kSchemes);
  h.seed = static_cast<unsigned>(Int(p, "canvas", "seed", 1));
  h.number = Int(p, "canvas", "number", 1);
  h.title = p.ReadString("canvas", "title", name);
  h.par = Int(p, "course", "par", 3);
  h.ballx = Int(p, "ball", "x", 320);
  h.bally = Int(p, "ball", "y", 240);
  for (int i = 1; i <= 99; ++i) {
    Area a = ReadArea(p, i);
    if (a.kind != kNoArea) h.areas.push_back(a);
  }
  for (int i = 1; p.Find("floor" + std::to_string(i), "points"); ++i) {
    const std::string s = "floor" + std::to_string(i);
    h.floors.push_back(
        {ParsePoints(name + " [" + s + "]", *p.Find(s, "points")), Int(p, s, "level")});
  }
  for (int i = 1; p.Find("paint" + std::to_string(i), "type"); ++i) {
    const std::string s = "paint" + std::to_string(i);
    h.paints.push_back({*p.Find(s, "type"), Int(p, s, "x"), Int(p, s, "y"), Int(p, s, "w"),
                        Int(p, s, "h"), Int(p, s, "fg") != 0, p.ReadString(s, "text", "")});
  }
  for (int i = 5; i <= 40; ++i) {
    const std::string* v = p.Find("images", "item" + std::to_string(i));
    if (v) h.images[i] = *v;
  }
  h.music = p.ReadString("sounds", "music", h.music);
  h.mood = p.ReadString("canvas", "mood", "");
  if (h.floors.empty()) throw std::runtime_error(name + ": no [floor1] section");
  return h;
}

namespace {

void Check(bool ok, const HoleSource& h, const Area& a, const std::string& what) {
  if (!ok) throw std::runtime_error(h.name + " [area" + std::to_string(a.index) + "]: " + what);
}

}  // namespace

void ValidateHole(const HoleSource& h) {
  auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < h.width && y < h.height; };
  for (const Area& a : h.areas) {
    double l, t, r, b;
    a.Bounds(l, t, r, b);
    Check(a.shape() != Shape::None, h, a, "x3 and x4 must both be 0 or both be set");
    Check(in(int(l), int(t)) && in(int(r), int(b)), h, a, "lies outside the course picture");
    const bool segment = a.shape() == Shape::Segment;
    Check(!segment || WallMatchesKind(a), h, a,
          "a wall's kind must match its slope (1 rising 1 in 2, 2 vertical, 3 falling 1 in 2, "
          "4 horizontal, 6 rising 45 degrees, 7 falling 45 degrees)");
  }
  int cups = 0;
  for (const Area& a : h.areas) cups += a.kind == kCup;
  if (cups != 1) throw std::runtime_error(h.name + ": a hole needs exactly one cup (kind 5)");
  if (!in(h.ballx, h.bally)) throw std::runtime_error(h.name + ": the ball start lies outside");
  if (!music::FindPiece(h.music)) {
    std::string names;
    for (const music::Piece& p : music::Pieces())
      names += std::string(names.empty() ? "" : ", ") + p.name;
    throw std::runtime_error(h.name + " [sounds]: no music named '" + h.music + "' (" + names +
                             ")");
  }
}

HoleSource LoadHoleSource(const std::string& path, const std::string& name) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ParseHoleSource(name, ss.str());
}

}  // namespace gp::assets
