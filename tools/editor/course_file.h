#pragma once
// A course folder's `course.ini` as the editor changes it: the hole list
// (`holes=`, the main holes in playing order) reordered, extended and
// shortened, the rest of the file kept as written. New holes start from a
// small playable room.

#include <string>
#include <vector>

#include "tools/editor/hole_text.h"

namespace gp::editor {

class CourseFile {
 public:
  // Reads FOLDER/course.ini; a missing file is an empty course named after
  // the folder. False with `error` when it exists and cannot be read.
  bool Load(const std::string& folder, std::string& error);
  bool Save(std::string& error) const;

  const std::string& folder() const { return folder_; }  // ends with '/'
  std::string name() const;
  const std::vector<std::string>& holes() const { return holes_; }
  // The .hole files of the folder, by name (without ".hole").
  std::vector<std::string> HoleFiles() const;

  void MoveHole(size_t from, size_t to);
  void InsertHole(size_t at, const std::string& hole);
  void RemoveHole(size_t at);

 private:
  void Store();

  std::string folder_;
  HoleText text_;
  std::vector<std::string> holes_;
  std::string separator_ = ",";
};

// A new hole: a walled room with its floor, a ball start and a cup naming
// `next` as the next hole; par 2.
std::string NewHoleText(const std::string& title, const std::string& next);

// Whether `name` can be a hole's file name (letters, digits, '-' and '_').
bool GoodHoleName(const std::string& name);

}  // namespace gp::editor
