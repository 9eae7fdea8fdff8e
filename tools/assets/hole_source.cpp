#include "tools/assets/hole_source.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace gp::assets {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

bool ParseDigits(const std::string& s, size_t from, int base, int sign, int& out) {
  if (from >= s.size()) return false;
  long long v = 0;
  for (size_t i = from; i < s.size(); ++i) {
    const int c = std::tolower(static_cast<unsigned char>(s[i]));
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else {
      return false;
    }
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return false;
  }
  if (base == 10 && (sign * v > INT_MAX || sign * v < INT_MIN)) return false;
  out = static_cast<int>(static_cast<unsigned>(v)) * sign;
  return true;
}

}  // namespace

bool ParseHoleNumber(const std::string& raw, int& out) {
  const std::string s = Trim(raw);
  if (s.empty()) return false;
  if (s[0] == '$') return ParseDigits(s, 1, 16, 1, out);
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) return ParseDigits(s, 2, 16, 1, out);
  size_t from = 0;
  int sign = 1;
  if (s[0] == '-' || s[0] == '+') {
    sign = s[0] == '-' ? -1 : 1;
    from = 1;
  }
  return ParseDigits(s, from, 10, sign, out);
}

Profile::Profile(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  std::map<std::string, std::string>* current = nullptr;
  bool firstSection = false;
  while (std::getline(in, line)) {
    const std::string t = Trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      const std::string name = Lower(Trim(t.substr(1, t.size() - 2)));
      firstSection = sections_.find(name) == sections_.end();
      current = &sections_[name];
      continue;
    }
    const size_t eq = t.find('=');
    if (!current || !firstSection || eq == std::string::npos || t[0] == ';') continue;
    const std::string key = Lower(Trim(t.substr(0, eq)));
    if (!key.empty() && current->find(key) == current->end()) {
      (*current)[key] = Trim(t.substr(eq + 1)).substr(0, 2047);
    }
  }
}

bool Profile::HasSection(const std::string& section) const {
  return sections_.count(Lower(section)) != 0;
}

const std::string* Profile::Value(const std::string& section, const std::string& key) const {
  const auto s = sections_.find(Lower(section));
  if (s == sections_.end()) return nullptr;
  const auto k = s->second.find(Lower(key));
  return k == s->second.end() ? nullptr : &k->second;
}

int Profile::Int(const std::string& section, const std::string& key, int fallback) const {
  const std::string* v = Value(section, key);
  int out;
  return v && ParseHoleNumber(*v, out) ? out : fallback;
}

std::string Profile::Text(const std::string& section, const std::string& key,
                          const std::string& fallback) const {
  const std::string* v = Value(section, key);
  return v ? *v : fallback;
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
    if (a.kind == 5) cup = &a;
  }
  return cup;
}

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

Area ReadArea(const Profile& p, int i) {
  const std::string s = "area" + std::to_string(i);
  Area a;
  a.index = i;
  a.kind = p.Int(s, "kind");
  a.x1 = p.Int(s, "x1"), a.y1 = p.Int(s, "y1"), a.r = p.Int(s, "r");
  a.x2 = p.Int(s, "x2"), a.y2 = p.Int(s, "y2"), a.x3 = p.Int(s, "x3"), a.y3 = p.Int(s, "y3");
  a.x4 = p.Int(s, "x4"), a.y4 = p.Int(s, "y4");
  a.p1 = p.Int(s, "p1"), a.p2 = p.Int(s, "p2"), a.p3 = p.Int(s, "p3");
  a.p4 = p.Int(s, "p4"), a.p5 = p.Int(s, "p5"), a.p6 = p.Int(s, "p6");
  a.enabled = p.Int(s, "enabled") != 0;
  a.comment = p.Text(s, "comment");
  return a;
}

}  // namespace

HoleSource ParseHoleSource(const std::string& name, const std::string& text) {
  const Profile p(text);
  HoleSource h;
  h.name = name;
  h.text = text;
  h.width = p.Int("canvas", "width", 1200);
  h.height = p.Int("canvas", "height", 960);
  if (h.width < 240 || h.height < 240 || h.width > 4800 || h.height > 4800 || h.width % 24 ||
      h.height % 24) {
    throw std::runtime_error(name + ": canvas size must be multiples of 24 between 240 and 4800");
  }
  h.scheme = std::clamp(p.Int("canvas", "scheme", 1), 1, 5);
  h.seed = static_cast<unsigned>(p.Int("canvas", "seed", 1));
  h.number = p.Int("canvas", "number", 1);
  h.title = p.Text("canvas", "title", name);
  h.par = p.Int("course", "par", 3);
  h.ballx = p.Int("ball", "x", 320);
  h.bally = p.Int("ball", "y", 240);
  for (int i = 1; i <= 99; ++i) {
    Area a = ReadArea(p, i);
    if (a.kind != 0) h.areas.push_back(a);
  }
  for (int i = 1; p.HasSection("floor" + std::to_string(i)); ++i) {
    const std::string s = "floor" + std::to_string(i);
    h.floors.push_back({ParsePoints(name + " [" + s + "]", p.Text(s, "points")), p.Int(s, "level")});
  }
  for (int i = 1; p.HasSection("paint" + std::to_string(i)); ++i) {
    const std::string s = "paint" + std::to_string(i);
    h.paints.push_back({p.Text(s, "type"), p.Int(s, "x"), p.Int(s, "y"), p.Int(s, "w"),
                        p.Int(s, "h"), p.Int(s, "fg") != 0, p.Text(s, "text")});
  }
  for (int i = 5; i <= 40; ++i) {
    const std::string* v = p.Value("images", "item" + std::to_string(i));
    if (v) h.images[i] = *v;
  }
  h.ambient = p.Int("sounds", "ambient", 0);
  if (h.floors.empty()) throw std::runtime_error(name + ": no [floor1] section");
  return h;
}

HoleSource LoadHoleSource(const std::string& path, const std::string& name) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ParseHoleSource(name, ss.str());
}

}  // namespace gp::assets
