#pragma once
// The launcher's Course list: "SE Course" first, then the other built-in
// courses (folders below "courses/" in the program folder), then the player's
// own (folders below "courses/" in the data folder), each group in name order.
// A course that cannot be played stays in the list, marked unavailable with
// the reason, so that the player sees why; it can never be started.

#include <string>
#include <vector>

namespace gp {

inline constexpr const char* kSeCourseName = "SE Course";

struct CourseEntry {
  std::string name;     // UTF-8: the course's name, or its folder's when course.ini is bad
  std::string folder;   // the course folder, ending with '/'; empty for the SE Course
  bool builtin = true;  // from the program folder
  bool available = true;
  std::string reason;  // why it cannot be played; empty when available
};

// Folders end with '/'. `datafolder` and `cachefolder` are the player's
// (UserDataFolder(), UserCacheFolder()); an empty one has no courses.
std::vector<CourseEntry> ListCourses(const std::string& programfolder,
                                     const std::string& datafolder, const std::string& cachefolder);

}  // namespace gp
