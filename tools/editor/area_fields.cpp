#include "tools/editor/area_fields.h"

#include <algorithm>
#include <cstdlib>

#include "game/area_kind.h"
#include "tools/editor/hole_text.h"

namespace gp::editor {

namespace {

constexpr const char* kKeys[kFieldCount] = {"kind", "x1", "y1", "r",  "x2",      "y2",
                                            "x3",   "y3", "x4", "y4", "p1",      "p2",
                                            "p3",   "p4", "p5", "p6", "enabled", "comment"};

constexpr int kAnyShape = kEllipse | kSegment | kQuad;
constexpr const char* kPx = "course px";
constexpr const char* kWallWords = "|invisible|gate";

// Kinds: number, name, effect, shapes, new shape, size, p1..p6, comment.
const KindInfo kKinds[] = {
    {1, "rising shallow wall", "deflects the ball off a line rising 1 in 2 to the right", kSegment,
     kSegment, 120, -60},
    {2, "vertical wall", "deflects the ball off a vertical line", kSegment, kSegment, 0, 120},
    {3, "falling shallow wall", "deflects the ball off a line falling 1 in 2 to the right",
     kSegment, kSegment, 120, 60},
    {4, "horizontal wall", "deflects the ball off a horizontal line", kSegment, kSegment, 120, 0},
    {5, "cup", "the ball drops in unless it is faster than 2", kEllipse, kEllipse, 10, 0},
    {6, "rising diagonal wall", "deflects the ball off a 45 degree line rising to the right",
     kSegment, kSegment, 80, -80},
    {7, "falling diagonal wall", "deflects the ball off a 45 degree line falling to the right",
     kSegment, kSegment, 80, 80},
    {8, "slope down-left", "pushes the ball towards 96 (down and left)", kAnyShape, kQuad, 140,
     120},
    {9, "slope right", "pushes the ball towards 1 (right)", kAnyShape, kQuad, 140, 120},
    {10, "slope down-right", "pushes the ball towards 32 (down and right)", kAnyShape, kQuad, 140,
     120},
    {11, "slope left", "pushes the ball towards 128 (left)", kAnyShape, kQuad, 140, 120},
    {12, "geyser", "throws the ball up in a random direction", kAnyShape, kEllipse, 16, 0},
    {13, "spring", "throws the ball up; comment murk: much higher; tank: shoots it", kAnyShape,
     kEllipse, 14, 0},
    {14, "attractor", "pulls the ball towards its centre (belongs on a cup)", kAnyShape, kEllipse,
     36, 0},
    {15, "conveyor right", "carries the ball towards 1 (right)", kAnyShape, kQuad, 160, 80},
    {16, "conveyor right-down", "carries the ball towards 19", kAnyShape, kQuad, 160, 80},
    {17, "conveyor down", "carries the ball towards 64 (down)", kAnyShape, kQuad, 160, 80},
    {18, "conveyor left-down", "carries the ball towards 109", kAnyShape, kQuad, 160, 80},
    {19, "conveyor left", "carries the ball towards 128 (left)", kAnyShape, kQuad, 160, 80},
    {20, "conveyor left-up", "carries the ball towards 147", kAnyShape, kQuad, 160, 80},
    {21, "conveyor up", "carries the ball towards 192 (up)", kAnyShape, kQuad, 160, 80},
    {22, "conveyor right-up", "carries the ball towards 237", kAnyShape, kQuad, 160, 80},
    {23, "slow zone", "extra friction while the ball is low; a fast ball skids", kAnyShape, kQuad,
     120, 80},
    {24, "water", "the ball sinks and comes back at the return point", kAnyShape, kQuad, 160, 80},
    {25, "teleporter", "moves the ball to the exit and launches it along the launch line", kEllipse,
     kEllipse, 16, 0},
    {26, "pipe", "the ball drops in and comes out at the exit", kEllipse, kEllipse, 10, 0},
    {27, "mine", "throws the ball back with a burst", kAnyShape, kEllipse, 12, 0},
    {28, "text switch", "copies the comment into a text slot", kAnyShape, kQuad, 50, 40, {5}},
    {29,
     "cannon or hidden hole",
     "cannon: fires once; hidden: the next hole becomes course5hole1",
     kAnyShape,
     kQuad,
     50,
     40,
     {},
     "cannon"},
    {30, "rubble", "random kicks now and then", kAnyShape, kQuad, 160, 100},
    {32, "shade", "darkens the ball lying there", kAnyShape, kQuad, 120, 80, {110}},
    {33, "ledge", "the ground drops by p1 pixels", kAnyShape, kQuad, 240, 20, {40}},
    {34, "jump pad", "a ball faster than 3.5 jumps high", kAnyShape, kQuad, 60, 60},
    {35, "bonus", "a one-time bonus stroke", kAnyShape, kEllipse, 16, 0},
    {36, "worker", "throws the ball back (the construction worker wakes)", kAnyShape, kQuad, 60,
     24},
    {37, "catapult", "moves the ball to the landing point and launches it, with some scatter",
     kEllipse, kEllipse, 16, 0},
    {38, "area switch", "enables area p1", kAnyShape, kEllipse, 12, 0},
    {40, "breakable", "disables itself with a sound when the ball rolls over it", kAnyShape,
     kSegment, 100, 0},
    {43, "fan", "blows the ball up and along p3; comment witch: a witch", kAnyShape, kEllipse, 16,
     0},
    {45, "drop-off", "the ball falls off the course and comes back at the return point", kAnyShape,
     kQuad, 240, 12},
};
const KindInfo kNoEffect{
    0, "no effect", "nothing in the game reads it (bookkeeping)", kAnyShape, kQuad, 60, 40};

FieldNote Note(Field f, const char* label, const char* unit, Role role, int32_t min = 0,
               int32_t max = -1, const char* help = "") {
  FieldNote n;
  n.field = f, n.label = label, n.unit = unit, n.role = role, n.min = min, n.max = max;
  n.help = help;
  return n;
}

FieldNote Words(const char* label, const char* choices, const char* help = "") {
  FieldNote n = Note(kFieldComment, label, "", Role::Text, 0, -1, help);
  n.choices = choices;
  return n;
}

// A point pair (x and y) of one meaning.
void Pair(std::vector<FieldNote>& out, Field x, const char* label, Role role, const char* help) {
  out.push_back(Note(x, label, kPx, role, 0, -1, help));
  out.push_back(Note(static_cast<Field>(x + 1), label, kPx, role, 0, -1, help));
}

void LaunchLine(std::vector<FieldNote>& out, const char* exit) {
  Pair(out, kFieldX2, exit, Role::Place, "where the ball comes out");
  Pair(out, kFieldX3, "launch line start", Role::Place,
       "from point 3 to point 4: direction; length / 50 = speed (at most 2); |y3 - y2| = height");
  Pair(out, kFieldX4, "launch line end", Role::Place, "");
}

void Animation(std::vector<FieldNote>& out, const char* what) {
  Pair(out, kFieldP1, what, Role::Picture, "top-left of its picture; 0 = none");
  out.push_back(Note(kFieldP4, "animation picture", "course item", Role::Value, 0, 99,
                     "an [images] item (spring or fan)"));
}

// The fields a kind uses besides its shape.
std::vector<FieldNote> KindNotes(int k) {
  std::vector<FieldNote> out;
  if (IsWall(k)) {
    if (k == kRisingShallowWall || k == kFallingShallowWall) {
      out.push_back(Note(kFieldP1, "dust and sound", "0 or 1", Role::Value, 0, 1,
                         "1: a dust burst and a sound on each hit"));
    }
    out.push_back(Words("drawing", kWallWords, "invisible: no rail; gate: a cycling obstacle"));
    return out;
  }
  switch (k) {
    case kCup:
      Pair(out, kFieldX2, "lip picture", Role::Picture, "top-left; (x1 - r - 8, y1 - r/2 - 2)");
      out.push_back(Note(kFieldComment, "next hole", "hole name", Role::Text));
      break;
    case kSpring:
      Animation(out, "animation");
      out.push_back(Note(kFieldP3, "launch direction", "byte angle", Role::Value, 0, 255,
                         "0 = keep the ball's; else up to 15 less"));
      out.push_back(Words("variant", "|murk|tank"));
      break;
    case kFan:
      Animation(out, "animation");
      out.push_back(Note(kFieldP3, "blow direction", "byte angle", Role::Value, 0, 255,
                         "0 = keep the ball's"));
      out.push_back(Words("variant", "|witch"));
      break;
    case kSlowZone:
      out.push_back(Words("drawing", "|bog", "bog: wet moss instead of moon dust"));
      break;
    case kWater:
      Pair(out, kFieldP1, "return point", Role::Place, "where a sunk ball comes back");
      out.push_back(Note(kFieldP3, "green splash", "0 or 1", Role::Value, 0, 1, "1: acid"));
      break;
    case kTeleporter:
      LaunchLine(out, "exit");
      break;
    case kCatapult:
      LaunchLine(out, "landing point");
      break;
    case kPipe:
      LaunchLine(out, "exit");
      Pair(out, kFieldP1, "cover picture", Role::Picture, "top-left of the pipe's cover");
      out.push_back(Note(kFieldP3, "cover item", "course item", Role::Value, 17, 99,
                         "an [images] pipecover item"));
      out.push_back(Note(kFieldP4, "area on exit", "area number", Role::Value, 0, 99,
                         "becomes the ball's last area: that wall does not act at once"));
      break;
    case kTextSwitch:
      out.push_back(Note(kFieldP1, "text slot", "0..7", Role::Value, 0, 7,
                         "0 next hole, 5 message line, 7 big message"));
      out.push_back(Note(kFieldComment, "text", "", Role::Text));
      break;
    case kCannonOrHidden:
      out.push_back(Words("variant", "cannon|hidden"));
      break;
    case kRubble:
      Pair(out, kFieldP1, "stones picture", Role::Picture, "top-left; 0 = none");
      out.push_back(Note(kFieldComment, "stones item", "course item", Role::Text, 0, -1,
                         "the stones picture's item number (with p1 and p2)"));
      break;
    case kShade:
      out.push_back(Note(kFieldP1, "strength", "0..255", Role::Value, 0, 255));
      break;
    case kLedge:
      out.push_back(Note(kFieldP1, "drop", "px", Role::Value, 1, 480, "how far the ground drops"));
      break;
    case kAreaSwitch:
      out.push_back(Note(kFieldP1, "area enabled", "area number", Role::Value, 0, 99, "0 = none"));
      break;
    case kDropOff:
      Pair(out, kFieldP1, "return point", Role::Place, "where a fallen ball comes back");
      break;
    default:
      break;
  }
  return out;
}

FieldNote ShapeNote(Shape s, Field f) {
  const int i = f - kFieldX1;  // 0..8 over x1 y1 r x2 y2 x3 y3 x4 y4
  if (f == kFieldR) {
    return Note(f, "radius", "px wide, half as high", Role::Shape, 0, 2400,
                "0: a segment or a four-cornered area");
  }
  if (s == Shape::Ellipse && (f == kFieldX1 || f == kFieldY1)) {
    return Note(f, "centre", kPx, Role::Shape);
  }
  if (s == Shape::Segment && i >= 0 && i <= 4)
    return Note(f, i < 2 ? "end 1" : "end 2", kPx, Role::Shape);
  if (s == Shape::Quad || s == Shape::None) {
    static const char* const kCorners[] = {"corner 1", "corner 1", "",
                                           "corner 2", "corner 2", "corner 3",
                                           "corner 3", "corner 4", "corner 4"};
    return Note(f, kCorners[i], kPx, Role::Shape, 0, -1,
                f >= kFieldX3 ? "corners 3 and 4 cannot be at x = 0" : "");
  }
  return FieldNote{f};
}

bool IsShapeField(Shape s, Field f) {
  switch (s) {
    case Shape::Ellipse:
      return f == kFieldX1 || f == kFieldY1 || f == kFieldR;
    case Shape::Segment:
      return f == kFieldR || (f >= kFieldX1 && f <= kFieldY2 && f != kFieldR);
    default:
      return f >= kFieldX1 && f <= kFieldY4;
  }
}

bool InChoices(const char* choices, const std::string& v) {
  const std::string_view all(choices);
  size_t at = 0;
  while (at <= all.size()) {
    const size_t bar = std::min(all.find('|', at), all.size());
    if (all.substr(at, bar - at) == v) return true;
    at = bar + 1;
  }
  return false;
}

std::string ShapeWord(int shapes) {
  if (shapes == kEllipse) return "round (r at least 1)";
  if (shapes == kSegment) return "a segment (r 0, x3 and x4 0)";
  return "a four-cornered area";
}

}  // namespace

bool IsWall(int k) {
  return (k >= kRisingShallowWall && k <= kHorizontalWall) || k == kRisingDiagonalWall ||
         k == kFallingDiagonalWall;
}

const char* FieldKey(Field f) {
  return f >= 0 && f < kFieldCount ? kKeys[f] : "";
}

bool FieldOfKey(std::string_view key, Field& f) {
  const std::string k = LowerName(key);
  for (int i = 0; i < kFieldCount; ++i) {
    if (k == kKeys[i]) {
      f = static_cast<Field>(i);
      return true;
    }
  }
  return false;
}

int32_t FieldValue(const Area& a, Field f) {
  const int32_t v[kFieldCount] = {a.kind, a.x1, a.y1, a.r,  a.x2, a.y2, a.x3, a.y3,      a.x4,
                                  a.y4,   a.p1, a.p2, a.p3, a.p4, a.p5, a.p6, a.enabled, 0};
  return f >= 0 && f < kFieldCount ? v[f] : 0;
}

void SetFieldValue(Area& a, Field f, int32_t v) {
  int32_t* const p[kFieldCount] = {&a.kind, &a.x1, &a.y1, &a.r,  &a.x2,   &a.y2,
                                   &a.x3,   &a.y3, &a.x4, &a.y4, &a.p1,   &a.p2,
                                   &a.p3,   &a.p4, &a.p5, &a.p6, nullptr, nullptr};
  if (f == kFieldEnabled) a.enabled = v != 0;
  if (f >= 0 && f < kFieldCount && p[f]) *p[f] = v;
}

Shape ShapeOf(const Area& a) {
  if (a.r >= 1) return Shape::Ellipse;
  if (a.x3 == 0 && a.x4 == 0) return Shape::Segment;
  if (a.x3 != 0 && a.x4 != 0) return Shape::Quad;
  return Shape::None;
}

KindInfo Kind(int k) {
  for (const KindInfo& info : kKinds) {
    if (info.kind == k) return info;
  }
  KindInfo none = kNoEffect;
  none.kind = k;
  return none;
}

std::vector<int> AllKinds() {
  std::vector<int> out;
  for (int k = 1; k <= kMaxAreaKind; ++k) out.push_back(k);
  return out;
}

bool KindByName(std::string_view text, int& k) {
  char* end = nullptr;
  const std::string t(text);
  const long n = std::strtol(t.c_str(), &end, 10);
  if (!t.empty() && *end == '\0') {
    if (n < 1 || n > kMaxAreaKind) return false;
    k = static_cast<int>(n);
    return true;
  }
  int found = 0, count = 0;
  const std::string want = LowerName(text);
  for (const KindInfo& info : kKinds) {
    if (want == info.name || want == KindName(info.kind)) found = info.kind, ++count;
  }
  if (count != 1) return false;
  k = found;
  return true;
}

FieldNote NoteFor(const Area& a, Field f) {
  if (f == kFieldKind) return Note(f, "kind", "1..45", Role::Value, 1, kMaxAreaKind);
  if (f == kFieldEnabled) {
    return Note(f, "enabled", "0 or 1", Role::Value, 0, 1, "0: off until a switch enables it");
  }
  const Shape s = ShapeOf(a);
  if (IsShapeField(s, f)) return ShapeNote(s, f);
  for (const FieldNote& n : KindNotes(a.kind)) {
    if (n.field == f) return n;
  }
  return FieldNote{f};
}

std::vector<FieldNote> NotesFor(const Area& a) {
  std::vector<FieldNote> out;
  for (int i = 0; i < kFieldCount; ++i) {
    const FieldNote n = NoteFor(a, static_cast<Field>(i));
    if (n.label) out.push_back(n);
  }
  return out;
}

std::string AreaName(int index, const Area& a) {
  return "area " + std::to_string(index) + " (" + Kind(a.kind).name + ")";
}

std::vector<std::string> FieldProblems(int index, const Area& a) {
  std::vector<std::string> out;
  const std::string who = AreaName(index, a) + ": ";
  const KindInfo info = Kind(a.kind);
  const Shape s = ShapeOf(a);
  if (a.kind < 1 || a.kind > kMaxAreaKind) out.push_back(who + "kinds are 1 to 45");
  if (s == Shape::None) {
    out.push_back(who + "x3 and x4 must both be 0 or both be set");
  } else if (!(info.shapes & (s == Shape::Ellipse   ? kEllipse
                              : s == Shape::Segment ? kSegment
                                                    : kQuad))) {
    out.push_back(who + "must be " + ShapeWord(info.shapes));
  } else if (s == Shape::Segment && IsWall(a.kind) && !WallMatchesKind(a)) {
    out.push_back(who +
                  "the wall's kind must match its slope (1 rising 1 in 2, 2 vertical, "
                  "3 falling 1 in 2, 4 horizontal, 6 rising 45 degrees, 7 falling 45 degrees)");
  }
  for (const FieldNote& n : NotesFor(a)) {
    if (n.field == kFieldComment) {
      if (n.choices && !InChoices(n.choices, a.comment)) {
        std::string words = n.choices;
        std::replace(words.begin(), words.end(), '|', ',');
        out.push_back(who +
                      "comment must be one of: " + (words[0] == ',' ? "(empty)" + words : words));
      }
      continue;
    }
    const int32_t v = FieldValue(a, n.field);
    const bool none = n.role == Role::Picture || (a.kind == kPipe && n.field == kFieldP3);
    if (n.min <= n.max && (v < n.min || v > n.max) && !(none && v == 0) && n.field != kFieldKind) {
      out.push_back(who + FieldKey(n.field) + " (" + n.label + ") must be " +
                    std::to_string(n.min) + " to " + std::to_string(n.max));
    }
  }
  if (a.kind == kRubble && a.p1 != 0 && a.p2 != 0) {
    char* end = nullptr;
    std::strtol(a.comment.c_str(), &end, 10);
    if (a.comment.empty() || *end != '\0') {
      out.push_back(who + "the comment must be the stones picture's item number");
    }
  }
  return out;
}

}  // namespace gp::editor
