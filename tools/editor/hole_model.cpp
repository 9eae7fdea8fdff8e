#include "tools/editor/hole_model.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "base/angles.h"
#include "game/area_kind.h"
#include "game/hole_file.h"

namespace gp::editor {

namespace {

// Undo steps kept (each the file's text); the oldest go first.
constexpr size_t kMaxUndo = 2000;
// Largest hole file read, bytes.
constexpr std::streamoff kMaxFileBytes = 16 << 20;

// The number of an area section ("area12" -> 12), or 0.
int AreaNumber(const std::string& name) {
  if (name.size() < 5 || name.size() > 6 || name.compare(0, 4, "area") != 0) return 0;
  if (name[4] == '0') return 0;  // the reader asks for numbers without leading zeros
  int n = 0;
  for (size_t i = 4; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    n = n * 10 + (name[i] - '0');
  }
  return n <= kMaxAreas ? n : 0;
}

// "floor3" -> ("floor", 3); families without a number give 0.
std::pair<std::string, int> Family(const std::string& name) {
  for (const char* f : {"floor", "paint"}) {
    const size_t len = std::char_traits<char>::length(f);
    if (name.compare(0, len, f) == 0 && name.size() > len && name[len] != '0') {
      int n = 0;
      for (size_t i = len; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return {"", 0};
        n = n * 10 + (name[i] - '0');
      }
      return {f, n};
    }
  }
  return {name, 0};
}

std::vector<std::string> AreaOrder() {
  std::vector<std::string> order;
  for (int i = 0; i < kFieldCount; ++i) order.emplace_back(FieldKey(static_cast<Field>(i)));
  return order;
}

bool OneLine(const std::string& s) {
  return s.find_first_of("\r\n") == std::string::npos;
}

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

}  // namespace

bool IsLookSection(std::string_view name) {
  const std::string n = LowerName(name);
  if (n == "canvas" || n == "images" || n == "sounds") return true;
  const auto [family, number] = Family(n);
  return number > 0;
}

HoleModel::HoleModel() : HoleModel(std::string_view()) {}

HoleModel::HoleModel(std::string_view text) : doc_(HoleText::Parse(text)) {
  Reparse();
}

bool HoleModel::Load(const std::string& path, HoleModel& out, std::string& error) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  if (in.tellg() > kMaxFileBytes) {
    error = path + " is too large for a hole file";
    return false;
  }
  in.seekg(0);
  std::ostringstream ss;
  ss << in.rdbuf();
  if (!in && !in.eof()) {
    error = "cannot read " + path;
    return false;
  }
  out = HoleModel(ss.str());
  return true;
}

bool HoleModel::Save(const std::string& path, std::string& error) const {
  const std::string tmp = path + ".saving";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    const std::string text = Text();
    f.write(text.data(), static_cast<std::streamsize>(text.size()));
    f.flush();
    if (!f) {
      std::remove(tmp.c_str());
      error = "cannot write " + path;
      return false;
    }
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    error = "cannot write " + path;
    return false;
  }
  return true;
}

void HoleModel::Reparse() {
  profile_ = std::make_shared<const Profile>(Profile::FromText(doc_.Write()));
}

Area HoleModel::GetArea(int n) const {
  if (n < 1 || n > kMaxAreas) return Area{};
  return ReadHoleArea(*profile_, n);
}

std::vector<int> HoleModel::Areas() const {
  std::vector<int> out;
  for (int i = 1; i <= kMaxAreas; ++i) {
    if (HasArea(i)) out.push_back(i);
  }
  return out;
}

int HoleModel::BallX() const {
  return profile_->ReadInteger("ball", "x", 320);
}
int HoleModel::BallY() const {
  return profile_->ReadInteger("ball", "y", 240);
}
int HoleModel::Par() const {
  return profile_->ReadInteger("course", "par", 3);
}
int HoleModel::CourseWidth() const {
  return profile_->ReadInteger("canvas", "width", 1200);
}
int HoleModel::CourseHeight() const {
  return profile_->ReadInteger("canvas", "height", 960);
}

int HoleModel::Cup() const {
  int cup = 0;
  for (int i = 1; i <= kMaxAreas; ++i) {
    if (GetArea(i).kind == kCup) cup = i;
  }
  return cup;
}

std::string HoleModel::NextHole() const {
  const int cup = Cup();
  return cup ? GetArea(cup).comment : "";
}

const std::string* HoleModel::Value(std::string_view section, std::string_view key) const {
  return profile_->Find(section, key);
}

std::vector<std::string> HoleModel::LookSections() const {
  std::vector<std::string> out;
  for (const Section& s : doc_.sections) {
    if (IsLookSection(s.name) && std::find(out.begin(), out.end(), s.name) == out.end()) {
      out.push_back(s.name);
    }
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> HoleModel::Keys(std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> out;
  const Section* s = doc_.Get(section);
  if (!s) return out;
  for (const Entry& e : s->entries) {
    if (s->Get(e.key) == &e) out.emplace_back(e.key, e.value);  // the first of each key
  }
  return out;
}

bool HoleModel::Fail(const std::string& why) {
  error_ = why;
  return false;
}

template <typename F>
bool HoleModel::Change(F&& f) {
  HoleText before = doc_;
  const std::string old = before.Write();
  error_.clear();
  if (!f()) {
    const std::string why = error_;
    doc_ = std::move(before);
    Reparse();
    error_ = why;
    return false;
  }
  if (doc_.Write() == old) return true;  // nothing to undo
  if (grouping_ > 0) {
    groupchanged_ = true;
  } else {
    undo_.push_back(old);
    if (undo_.size() > kMaxUndo) undo_.erase(undo_.begin());
    redo_.clear();
  }
  Reparse();
  ++revision_;
  return true;
}

Section* HoleModel::AreaSection(int n) {
  return doc_.Get("area" + std::to_string(n));
}

Section& HoleModel::EnsureSection(const std::string& name) {
  if (Section* s = doc_.Get(name)) return *s;
  size_t at = doc_.sections.size();
  const int n = AreaNumber(name);
  if (name == "ball") {
    at = 0;
  } else if (name == "course") {
    at = doc_.Find("ball") >= 0 ? static_cast<size_t>(doc_.Find("ball")) + 1 : 0;
  } else if (n > 0) {
    // After the last area of a lower number, else before the first higher
    // one, else before the look sections.
    int after = -1, before = -1, look = -1;
    for (size_t i = 0; i < doc_.sections.size(); ++i) {
      const int m = AreaNumber(doc_.sections[i].name);
      if (m > 0 && m < n) after = static_cast<int>(i);
      if (m > n && before < 0) before = static_cast<int>(i);
      if (IsLookSection(doc_.sections[i].name) && look < 0) look = static_cast<int>(i);
    }
    at = after >= 0 ? after + 1 : before >= 0 ? before : look >= 0 ? look : doc_.sections.size();
  } else {
    // A look section: after the last of its family, else after the last look section.
    const std::string family = Family(name).first;
    int last = -1, lastlook = -1;
    for (size_t i = 0; i < doc_.sections.size(); ++i) {
      if (Family(doc_.sections[i].name).first == family) last = static_cast<int>(i);
      if (IsLookSection(doc_.sections[i].name)) lastlook = static_cast<int>(i);
    }
    if (last >= 0 || lastlook >= 0) at = (last >= 0 ? last : lastlook) + 1;
  }
  return doc_.Insert(at, name);
}

int HoleModel::FreeNumber() const {
  for (int i = 1; i <= kMaxAreas; ++i) {
    if (!HasArea(i)) return i;
  }
  return 0;
}

// Writes the fields of `a` that differ from what area n reads now; the section
// is then listed in the file's order.
void HoleModel::WriteArea(int n, const Area& a) {
  const Area now = GetArea(n);
  Section& s = EnsureSection("area" + std::to_string(n));
  bool changed = false;
  for (int i = 0; i < kFieldCount; ++i) {
    const Field f = static_cast<Field>(i);
    const bool text = f == kFieldComment;
    if (text ? now.comment == a.comment : FieldValue(now, f) == FieldValue(a, f)) continue;
    changed = true;
    const bool none = text ? a.comment.empty() : FieldValue(a, f) == 0;
    if (none) {
      s.Remove(FieldKey(f));
    } else {
      s.Set(FieldKey(f), text ? a.comment : std::to_string(FieldValue(a, f)));
    }
  }
  if (changed) s.order = AreaOrder();
  Reparse();
}

bool HoleModel::MoveArea(Area& a, int dx, int dy) {
  const Shape s = ShapeOf(a);
  const int pairs = s == Shape::Ellipse ? 1 : s == Shape::Segment ? 2 : 4;
  int* xs[4] = {&a.x1, &a.x2, &a.x3, &a.x4};
  int* ys[4] = {&a.y1, &a.y2, &a.y3, &a.y4};
  for (int k = 0; k < pairs; ++k) {
    if (s == Shape::None && *xs[k] == 0 && k >= 2) continue;  // the corner that is not there
    *xs[k] += dx, *ys[k] += dy;
  }
  if (s == Shape::Quad && (a.x3 == 0 || a.x4 == 0)) {
    return Fail("corners 3 and 4 of a four-cornered area cannot be at x = 0");
  }
  // The area's own pictures move with it (not when their x is 0: none).
  const std::vector<FieldNote> notes = NotesFor(a);
  for (size_t i = 0; i + 1 < notes.size(); ++i) {
    const FieldNote& nx = notes[i];
    if (nx.role != Role::Picture || notes[i + 1].field != nx.field + 1) continue;
    ++i;  // the pair's y
    if (FieldValue(a, nx.field) == 0 && a.kind != kCup) continue;
    SetFieldValue(a, nx.field, FieldValue(a, nx.field) + dx);
    SetFieldValue(a, notes[i].field, FieldValue(a, notes[i].field) + dy);
  }
  return true;
}

std::string HoleModel::ImageItemFor(const std::string& picture, bool shared) {
  Section& images = EnsureSection("images");
  if (shared) {
    for (const Entry& e : images.entries) {
      if (Trimmed(e.value) == picture && LowerName(e.key).rfind("item", 0) == 0) {
        return e.key.substr(4);
      }
    }
  }
  for (int k = 17; k <= 40; ++k) {  // the compiler makes items up to 40
    if (!images.Get("item" + std::to_string(k))) {
      images.Set("item" + std::to_string(k), picture);
      return std::to_string(k);
    }
  }
  return "";
}

// Pictures a new pipe, spring or fan needs: an [images] item and its place.
void HoleModel::AddCompanions(int n, Area& a) {
  std::string item;
  if (a.kind == kPipe) {
    item = ImageItemFor("pipecover " + std::to_string(n), false);
    if (item.empty()) return;
    a.p1 = a.x1 - 2 * std::max(a.r, 8), a.p2 = a.y1 - std::max(a.r, 8);
    a.p3 = std::stoi(item);
  } else if (a.kind == kSpring || a.kind == kFan) {
    item = ImageItemFor(a.kind == kSpring ? "spring" : "fan", true);
    if (item.empty()) return;
    a.p1 = a.x1 - (a.kind == kSpring ? 20 : 24), a.p2 = a.y1 - (a.kind == kSpring ? 40 : 24);
    a.p4 = std::stoi(item);
  }
}

void HoleModel::DropCompanions(int n, const Area& a) {
  if (a.kind != kPipe) return;
  if (Section* images = doc_.Get("images")) {
    std::vector<std::string> drop;
    for (const Entry& e : images->entries) {
      if (Trimmed(e.value) == "pipecover " + std::to_string(n)) drop.push_back(e.key);
    }
    for (const std::string& k : drop) images->Remove(k);
  }
}

namespace {

// The shape of a new area from the points given.
bool ShapeFromPoints(const KindInfo& info, const std::vector<Point>& pts, Area& a,
                     std::string& why) {
  const Point p = pts.empty() ? Point{} : pts[0];
  a.x1 = p.x, a.y1 = p.y;
  if (pts.size() == 1) {
    if (info.shape == kEllipse) {
      a.r = info.w;
    } else if (info.shape == kSegment) {
      a.x2 = p.x + info.w, a.y2 = p.y + info.h;
    } else {
      a.x2 = p.x + info.w, a.y2 = p.y;
      a.x3 = p.x + info.w, a.y3 = p.y + info.h;
      a.x4 = p.x, a.y4 = p.y + info.h;
    }
  } else if (pts.size() == 2) {
    const Point q = pts[1];
    if (info.shape == kSegment) {
      a.x2 = q.x, a.y2 = q.y;
    } else if (info.shape == kEllipse) {
      a.r = std::max(1, FlatDist(p.x, p.y, q.x, q.y));
    } else {
      const int l = std::min(p.x, q.x), r = std::max(p.x, q.x);
      const int t = std::min(p.y, q.y), b = std::max(p.y, q.y);
      a.x1 = l, a.y1 = t, a.x2 = r, a.y2 = t, a.x3 = r, a.y3 = b, a.x4 = l, a.y4 = b;
    }
  } else if (pts.size() == 4) {
    if (!(info.shapes & kQuad)) {
      why = std::string("a ") + info.name + " cannot have four corners";
      return false;
    }
    a.x2 = pts[1].x, a.y2 = pts[1].y, a.x3 = pts[2].x, a.y3 = pts[2].y;
    a.x4 = pts[3].x, a.y4 = pts[3].y;
  } else {
    why = "give 1, 2 or 4 points";
    return false;
  }
  if ((a.r < 1 && (a.x3 != 0 || a.x4 != 0)) && (a.x3 == 0 || a.x4 == 0)) {
    why = "corners 3 and 4 of a four-cornered area cannot be at x = 0";
    return false;
  }
  return true;
}

// Points a kind keeps beside its shape, placed near a new area.
void DerivedPoints(Area& a) {
  switch (a.kind) {
    case kCup:
      a.x2 = a.x1 - a.r - 8, a.y2 = a.y1 - a.r / 2 - 2;
      break;
    case kTeleporter:
    case kCatapult:
    case kPipe:
      a.x2 = a.x1 + 200, a.y2 = a.y1 + (a.kind == kPipe ? 120 : 0);
      a.x3 = a.x2, a.y3 = a.y2 - 10, a.x4 = a.x2 + 50, a.y4 = a.y2 - 10;
      break;
    case kWater:
    case kDropOff: {
      const int l = ShapeOf(a) == Shape::Ellipse ? a.x1 - a.r : std::min({a.x1, a.x2, a.x3, a.x4});
      const int t =
          ShapeOf(a) == Shape::Ellipse ? a.y1 - a.r / 2 : std::min({a.y1, a.y2, a.y3, a.y4});
      if (a.kind == kWater) {
        a.p1 = l - 30, a.p2 = ShapeOf(a) == Shape::Ellipse ? a.y1 : (a.y1 + a.y4) / 2;
      } else {
        a.p1 = (a.x1 + a.x2) / 2, a.p2 = t - 60;
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

int HoleModel::Add(int kind, const std::vector<Point>& points) {
  int made = 0;
  Change([&] {
    if (kind < 1 || kind > kMaxAreaKind) return Fail("kinds are 1 to 45");
    const int n = FreeNumber();
    if (n == 0) return Fail("all 99 areas are taken");
    const KindInfo info = Kind(kind);
    Area a;
    a.kind = kind;
    a.enabled = true;
    a.p1 = info.p[0], a.p2 = info.p[1], a.p3 = info.p[2];
    a.p4 = info.p[3], a.p5 = info.p[4], a.p6 = info.p[5];
    a.comment = info.comment;
    std::string why;
    if (!ShapeFromPoints(info, points, a, why)) return Fail(why);
    DerivedPoints(a);
    AddCompanions(n, a);
    WriteArea(n, a);
    made = n;
    return true;
  });
  return made;
}

bool HoleModel::Move(int n, int dx, int dy) {
  return Change([&] {
    Area a = GetArea(n);
    if (a.kind == 0) return Fail("no area " + std::to_string(n));
    if (!MoveArea(a, dx, dy)) return false;
    WriteArea(n, a);
    return true;
  });
}

bool HoleModel::SetCorner(int n, int k, int x, int y) {
  const Area a = GetArea(n);
  if (a.kind == 0) return Fail("no area " + std::to_string(n));
  const Shape s = ShapeOf(a);
  if (s == Shape::Ellipse) {
    if (k != 1) return Fail("area " + std::to_string(n) + " is round: its corner 1 is its centre");
    return Move(n, x - a.x1, y - a.y1);
  }
  const int corners = s == Shape::Segment ? 2 : 4;
  if (k < 1 || k > corners) {
    return Fail("area " + std::to_string(n) + " has corners 1 to " + std::to_string(corners));
  }
  if (s == Shape::Quad && k >= 3 && x == 0) {
    return Fail("corners 3 and 4 of a four-cornered area cannot be at x = 0");
  }
  return Change([&] {
    Area b = a;
    SetFieldValue(b, static_cast<Field>(kFieldX1 + (k == 1 ? 0 : 2 * k - 1)), x);
    SetFieldValue(b, static_cast<Field>(kFieldY1 + (k == 1 ? 0 : 2 * k - 1)), y);
    WriteArea(n, b);
    return true;
  });
}

bool HoleModel::SetField(int n, Field f, const std::string& value) {
  return Change([&] {
    Area a = GetArea(n);
    if (a.kind == 0) return Fail("no area " + std::to_string(n));
    if (f == kFieldComment) {
      if (!OneLine(value)) return Fail("a comment is one line");
      a.comment = Trimmed(value).substr(0, kMaxProfileText);
    } else {
      int32_t v = 0;
      if (!ParseProfileNumber(Trimmed(value), v)) {
        return Fail(std::string(FieldKey(f)) + " takes a number, not \"" + value + "\"");
      }
      if (f == kFieldKind && (v < 1 || v > kMaxAreaKind)) {
        return Fail("kinds are 1 to 45 (delete an area to remove it)");
      }
      SetFieldValue(a, f, v);
    }
    WriteArea(n, a);
    return true;
  });
}

bool HoleModel::Delete(int n) {
  return Change([&] {
    const std::string name = "area" + std::to_string(n);
    if (doc_.Find(name) < 0) return Fail("no area " + std::to_string(n));
    DropCompanions(n, GetArea(n));
    // Every section of that name: with the first gone a second would count.
    std::erase_if(doc_.sections, [&](const Section& s) { return s.name == name; });
    return true;
  });
}

int HoleModel::Duplicate(int n, int dx, int dy) {
  int made = 0;
  Change([&] {
    const Area a = GetArea(n);
    if (a.kind == 0) return Fail("no area " + std::to_string(n));
    const int m = FreeNumber();
    if (m == 0) return Fail("all 99 areas are taken");
    // Every key as written, the game's and the designer's own.
    const Section copy = *AreaSection(n);
    Section& s = EnsureSection("area" + std::to_string(m));
    for (const Entry& e : copy.entries) {
      if (copy.Get(e.key) == &e) s.Set(e.key, e.value);
    }
    s.order = AreaOrder();
    Reparse();
    Area b = GetArea(m);
    if (!MoveArea(b, dx, dy)) return false;
    if (b.kind == kPipe) {
      const std::string item = ImageItemFor("pipecover " + std::to_string(m), false);
      if (!item.empty()) b.p3 = std::stoi(item);
    }
    WriteArea(m, b);
    made = m;
    return true;
  });
  return made;
}

bool HoleModel::SetStart(int x, int y) {
  return Change([&] {
    Section& s = EnsureSection("ball");
    if (BallX() != x) s.Set("x", std::to_string(x));
    if (BallY() != y) s.Set("y", std::to_string(y));
    s.order = {"x", "y"};
    return true;
  });
}

bool HoleModel::SetPar(int par) {
  if (par < 1 || par > 20) return Fail("a par is 1 to 20");
  return Change([&] {
    if (Par() != par) EnsureSection("course").Set("par", std::to_string(par));
    return true;
  });
}

bool HoleModel::SetNext(const std::string& hole) {
  const int cup = Cup();
  if (cup == 0) return Fail("the hole has no cup (kind 5) to name the next hole");
  return SetField(cup, kFieldComment, hole);
}

bool HoleModel::SetLook(const std::string& section, const std::string& key,
                        const std::string& value) {
  if (!IsLookSection(section)) return Fail("[" + section + "] is not a look section");
  if (Trimmed(key).empty() || key.find('=') != std::string::npos || !OneLine(key)) {
    return Fail("bad key \"" + key + "\"");
  }
  if (!OneLine(value)) return Fail("a value is one line");
  return Change([&] {
    if (Trimmed(value).empty()) {
      if (Section* s = doc_.Get(section)) s->Remove(Trimmed(key));
    } else {
      EnsureSection(LowerName(section)).Set(Trimmed(key), Trimmed(value));
    }
    return true;
  });
}

std::string HoleModel::AddLookSection(const std::string& family) {
  if (family != "floor" && family != "paint") {
    Fail("only floors and paints are numbered");
    return "";
  }
  int n = 1;
  while (doc_.Find(family + std::to_string(n)) >= 0) ++n;
  const std::string name = family + std::to_string(n);
  // An empty section is no change to undo: it takes its first key at once.
  Change([&] {
    Section& s = EnsureSection(name);
    s.Set(family == "floor" ? "level" : "type", family == "floor" ? "0" : "rock");
    return true;
  });
  return name;
}

bool HoleModel::DeleteLookSection(const std::string& section) {
  const std::string name = LowerName(Trimmed(section));
  if (!IsLookSection(name)) return Fail("[" + section + "] is not a look section");
  return Change([&] {
    if (doc_.Find(name) < 0) return Fail("no section [" + name + "]");
    std::erase_if(doc_.sections, [&](const Section& s) { return s.name == name; });
    const auto [family, number] = Family(name);
    if (number == 0) return true;
    // Floors and paints are read from 1 until the first gap: close it.
    for (size_t i = 0; i < doc_.sections.size(); ++i) {
      const auto [f, m] = Family(doc_.sections[i].name);
      if (f == family && m > number) doc_.Rename(i, family + std::to_string(m - 1));
    }
    return true;
  });
}

bool HoleModel::Undo() {
  if (undo_.empty() || grouping_ > 0) return false;
  redo_.push_back(doc_.Write());
  doc_ = HoleText::Parse(undo_.back());
  undo_.pop_back();
  Reparse();
  ++revision_;
  return true;
}

bool HoleModel::Redo() {
  if (redo_.empty() || grouping_ > 0) return false;
  undo_.push_back(doc_.Write());
  doc_ = HoleText::Parse(redo_.back());
  redo_.pop_back();
  Reparse();
  ++revision_;
  return true;
}

void HoleModel::BeginGroup() {
  if (grouping_++ > 0) return;
  group_ = doc_;
  groupchanged_ = false;
}

void HoleModel::RestartGroup() {
  if (grouping_ == 0) return;
  doc_ = group_;
  Reparse();
  ++revision_;
}

void HoleModel::EndGroup() {
  if (grouping_ == 0 || --grouping_ > 0) return;
  if (groupchanged_ && doc_.Write() != group_.Write()) {
    undo_.push_back(group_.Write());
    if (undo_.size() > kMaxUndo) undo_.erase(undo_.begin());
    redo_.clear();
  }
  group_ = HoleText{};
}

}  // namespace gp::editor
