#pragma once
// What every field of an area means, kind by kind: names, units, allowed
// values and the defaults a new area gets. The editor's side panel shows this
// table and the checks hold the areas to it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/state.h"

namespace gp::editor {

// An area's fields in the order a hole file lists them.
enum Field : int {
  kFieldKind,
  kFieldX1,
  kFieldY1,
  kFieldR,
  kFieldX2,
  kFieldY2,
  kFieldX3,
  kFieldY3,
  kFieldX4,
  kFieldY4,
  kFieldP1,
  kFieldP2,
  kFieldP3,
  kFieldP4,
  kFieldP5,
  kFieldP6,
  kFieldEnabled,
  kFieldComment,
  kFieldCount
};

// The key of a field in the file ("kind", "x1", ... "comment").
const char* FieldKey(Field f);
// The field of a key (any case); false for other keys.
bool FieldOfKey(std::string_view key, Field& f);
// A numeric field's value (enabled 0/1); comment has none (0).
int32_t FieldValue(const Area& a, Field f);
void SetFieldValue(Area& a, Field f, int32_t v);

// An area's shape, decided as the game decides it.
enum class Shape { None, Segment, Quad, Ellipse };
Shape ShapeOf(const Area& a);
// Shapes allowed for a kind (bits).
inline constexpr int kEllipse = 1, kSegment = 2, kQuad = 4;

// Where a field's value sits: a point of the shape, a point of the area's own
// picture (moves with the area), a point elsewhere on the course (stays when
// the area moves), or a plain value.
enum class Role { Shape, Picture, Place, Value, Text };

struct FieldNote {
  Field field = kFieldKind;
  const char* label = nullptr;  // nullptr: the field means nothing for this kind
  const char* unit = "";
  Role role = Role::Value;
  int32_t min = 0, max = -1;      // allowed range; min > max: any number
  const char* choices = nullptr;  // text fields: allowed words, "|" between ("" = empty)
  const char* help = "";
};

struct KindInfo {
  int kind = 0;
  const char* name = "";              // "water"
  const char* effect = "";            // what it does, one line
  int shapes = 0;                     // allowed shapes (kEllipse | kSegment | kQuad)
  int shape = 0;                      // a new area's shape
  int w = 0, h = 0;                   // a new area's size: radius (w), segment (w, h), quad w x h
  int32_t p[6] = {0, 0, 0, 0, 0, 0};  // a new area's p1..p6
  const char* comment = "";           // a new area's comment
};

// Whether areas of kind k are walls (segments the ball bounces off).
bool IsWall(int k);

// The kind's entry; kinds with no effect share one entry (`kind` set to k).
KindInfo Kind(int k);
// Every kind from 1 to 45 in number order, for palettes.
std::vector<int> AllKinds();
// A kind's number by name or number ("cup", "5"); false when unknown or ambiguous.
bool KindByName(std::string_view text, int& k);

// What field f means on area a (its kind and shape); label nullptr when unused.
FieldNote NoteFor(const Area& a, Field f);
// The fields a designer sets for this area, in file order (shape first).
std::vector<FieldNote> NotesFor(const Area& a);

// Problems of the area against the table: shape, values out of range, walls
// whose kind does not match their slope. Each names the area ("area 12 (water): ...").
std::vector<std::string> FieldProblems(int index, const Area& a);
// "area 12 (water)".
std::string AreaName(int index, const Area& a);

}  // namespace gp::editor
