#include "launcher/course_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/course_play.h"
#include "game/course_file.h"

namespace gp {

namespace fs = std::filesystem;

namespace {

// More folders than this below one "courses/" are not looked at.
constexpr size_t kMaxListedCourses = 200;

std::string CaseFolded(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Name order without regard to case; folders part equal names.
bool NameBefore(const CourseEntry& a, const CourseEntry& b) {
  const std::string x = CaseFolded(a.name), y = CaseFolded(b.name);
  return x != y ? x < y : a.folder < b.folder;
}

CourseEntry Entry(const fs::path& dir, bool builtin, const std::string& programfolder,
                  const std::string& cachefolder) {
  CourseEntry e;
  e.folder = dir.string() + "/";
  e.builtin = builtin;
  e.name = dir.filename().string();
  Course c;
  std::string why = ReadCourse(e.folder, c);
  if (why.empty()) {
    e.name = c.name;
    why = CourseUnplayable(c, PlanCourse(e.folder, programfolder, cachefolder));
  }
  e.available = why.empty();
  e.reason = why;
  return e;
}

// The courses below `root`courses/, in name order; hidden folders left out.
std::vector<CourseEntry> CoursesBelow(const std::string& root, bool builtin,
                                      const std::string& programfolder,
                                      const std::string& cachefolder) {
  std::vector<CourseEntry> out;
  if (root.empty()) return out;
  std::vector<fs::path> dirs;
  std::error_code ec;
  for (const fs::directory_entry& d : fs::directory_iterator(root + "courses", ec)) {
    const std::string name = d.path().filename().string();
    std::error_code ec2;
    if (name.empty() || name[0] == '.' || !d.is_directory(ec2)) continue;
    dirs.push_back(d.path());
  }
  std::sort(dirs.begin(), dirs.end());
  if (dirs.size() > kMaxListedCourses) dirs.resize(kMaxListedCourses);
  for (const fs::path& d : dirs) out.push_back(Entry(d, builtin, programfolder, cachefolder));
  std::stable_sort(out.begin(), out.end(), NameBefore);
  return out;
}

}  // namespace

std::vector<CourseEntry> ListCourses(const std::string& programfolder,
                                     const std::string& datafolder,
                                     const std::string& cachefolder) {
  std::vector<CourseEntry> list;
  list.push_back(CourseEntry{kSeCourseName, "", true, true, ""});
  for (bool builtin : {true, false}) {
    for (CourseEntry& e :
         CoursesBelow(builtin ? programfolder : datafolder, builtin, programfolder, cachefolder)) {
      list.push_back(std::move(e));
    }
  }
  return list;
}

}  // namespace gp
