#pragma once
// A course: a folder that holds "course.ini" and its holes' ".hole" files.
//
//   [course]
//   name=Nebula Run                  shown in the launcher's Course list
//   holes=nebula1, nebula2, nebula3  the main holes in playing order, 1 to 9
//   extra=nebula9                    holes only switches lead to (bonus, secret); may be left out
//
// The file is read strictly: a fault anywhere makes the course unplayable, with
// a message that says where, rather than a course that plays half.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gp {

inline constexpr const char* kCourseFile = "course.ini";
inline constexpr size_t kMaxCourseFileBytes = 64 * 1024;
inline constexpr size_t kMaxCourseName = 40;  // characters (bytes of UTF-8)
inline constexpr size_t kMaxHoleName = 64;
inline constexpr int kMaxExtraHoles = 20;
// A hole source larger than this is not read (the largest made here are 20 KB).
inline constexpr size_t kMaxHoleFileBytes = 1024 * 1024;

struct Course {
  std::string name;
  std::vector<std::string> holes;  // main holes, playing order
  std::vector<std::string> extra;  // reached only through switches
  std::string folder;              // where it was read from, ending with '/'

  // The main holes, then the extra ones.
  std::vector<std::string> AllHoles() const;
  bool Has(const std::string& hole) const;
};

// A name a hole file may have: 1 to 64 letters, digits, '_' or '-' (so a name
// never leaves its folder).
bool ValidHoleName(std::string_view name);

// Parses course.ini text into `out` (its folder untouched). Returns "" when the
// text is a good course, else what is wrong ("line 3: ...", "holes= names ...").
std::string ParseCourse(std::string_view text, Course& out);
// The text ParseCourse reads back as `c`.
std::string FormatCourse(const Course& c);

// Reads `folder`/course.ini (folder ending with '/'); `out.folder` := folder.
// The error starts with "course.ini: ".
std::string ReadCourse(const std::string& folder, Course& out);
// The same from a course file of any name; its folder holds the holes.
std::string ReadCourseFile(const std::string& path, Course& out);

// Every hole of the course has a readable ".hole" file in its folder that is
// not too large; the first fault otherwise ("nebula2.hole is missing").
std::string CheckHoleFiles(const Course& c);

}  // namespace gp
