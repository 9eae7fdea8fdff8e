#pragma once
// The hole being edited: a hole file kept as its designer wrote it (section
// order, comments, area numbers, keys the game does not read), the plain
// changes an editor makes, each undone and redone as a whole, and the file it
// saves. Reading goes through the game's own hole reader, so what the model
// says is what the game will play.
//
// Saving writes the file as it was read except for what changed: a changed
// area's section lists its keys in the file's order (kind, x1, y1, r, x2 ...
// enabled, comment), its comments above the keys they stood above.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/profile.h"
#include "game/state.h"
#include "tools/editor/area_fields.h"
#include "tools/editor/hole_text.h"

namespace gp::editor {

struct Point {
  int x = 0, y = 0;
};

// The sections only the asset compiler reads.
bool IsLookSection(std::string_view name);

class HoleModel {
 public:
  HoleModel();
  explicit HoleModel(std::string_view text);
  // Reads a file; false with `error` set when it cannot be read.
  static bool Load(const std::string& path, HoleModel& out, std::string& error);
  // Writes the file (through a temporary file, then renamed); false with `error`.
  bool Save(const std::string& path, std::string& error) const;

  // The file as it would be saved.
  std::string Text() const { return doc_.Write(); }
  const Profile& profile() const { return *profile_; }

  // Reading, as the game reads the file.
  Area GetArea(int n) const;  // 1..99; kind 0: no area
  bool HasArea(int n) const { return GetArea(n).kind != 0; }
  std::vector<int> Areas() const;  // the numbers that hold an area, ascending
  int BallX() const;
  int BallY() const;
  int Par() const;
  int Cup() const;  // the cup the game uses (the last kind-5 area); 0: none
  std::string NextHole() const;
  int CourseWidth() const;  // the picture's size ([canvas], as the compiler reads it)
  int CourseHeight() const;
  // The value of a key as written, or nullptr.
  const std::string* Value(std::string_view section, std::string_view key) const;
  // The look sections in file order, and a section's keys and values.
  std::vector<std::string> LookSections() const;
  std::vector<std::pair<std::string, std::string>> Keys(std::string_view section) const;

  // Changes. Each is one undo step; a refused change leaves the hole alone and
  // returns false (0 for those that return a number) with error() saying why.
  //
  // A new area of `kind` at the lowest free number, with the kind's defaults.
  // One point: the kind's usual shape placed there; two: a segment, a box by
  // its corners or a circle by centre and rim, as the kind is drawn; four: a quad.
  int Add(int kind, const std::vector<Point>& points);
  // Moves the shape and the area's own pictures (not its exits or returns).
  bool Move(int n, int dx, int dy);
  // Corner k (1..4) of a segment or quad, the centre (k 1) of a circle.
  bool SetCorner(int n, int k, int x, int y);
  // A field from its text: a number (as the file writes numbers) or, for the
  // comment, any text on one line.
  bool SetField(int n, Field f, const std::string& value);
  bool Delete(int n);
  // A copy at the lowest free number, moved by (dx, dy); its number.
  int Duplicate(int n, int dx, int dy);
  bool SetStart(int x, int y);
  bool SetPar(int par);
  bool SetNext(const std::string& hole);  // the cup's comment
  // A key of a look section; an empty value removes the key.
  bool SetLook(const std::string& section, const std::string& key, const std::string& value);
  // A new "floor" or "paint" section after the last of its kind; its name.
  std::string AddLookSection(const std::string& family);
  // Removes a look section; later floors or paints move down one number.
  bool DeleteLookSection(const std::string& section);

  bool Undo();
  bool Redo();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Changes between BeginGroup and EndGroup are undone as one. RestartGroup
  // puts the hole back as it was at BeginGroup (a drag recomputes from there).
  void BeginGroup();
  void RestartGroup();
  void EndGroup();

  const std::string& error() const { return error_; }
  // Counts every change, undo and redo; the view redraws when it moves.
  int revision() const { return revision_; }

 private:
  bool Fail(const std::string& why);
  // Runs a change on the document: kept (with an undo step) when it returns true.
  template <typename F>
  bool Change(F&& f);
  void Reparse();
  Section* AreaSection(int n);
  Section& EnsureSection(const std::string& name);
  int FreeNumber() const;
  void WriteArea(int n, const Area& a);
  bool MoveArea(Area& a, int dx, int dy);
  void AddCompanions(int n, Area& a);
  void DropCompanions(int n, const Area& a);
  std::string ImageItemFor(const std::string& picture, bool shared);

  HoleText doc_;
  std::shared_ptr<const Profile> profile_;
  std::vector<std::string> undo_, redo_;  // the file's text before and after each step
  HoleText group_;  // the document at BeginGroup
  int grouping_ = 0;
  bool groupchanged_ = false;
  std::string error_;
  int revision_ = 0;
};

}  // namespace gp::editor
