#pragma once
// The whole check of a course: its course file read, every hole (main and
// extra) loaded, compiled as the game would compile it, solved by the solver,
// its cup swept for fairness, and the order of the holes checked against
// holes=. `galaputt-lab course check` prints it; the editor shows it.

#include <cstdint>
#include <string>
#include <vector>

namespace gp::lab {

struct HoleReport {
  std::string name;
  int par = 0;
  bool solved = false;   // the solver found a line into the cup (up to par + 2 strokes)
  int strokes = 0;       // that line's strokes (0 without one)
  bool fineaim = false;  // the line needs finer aim than a player can give
  bool faircup = false;  // the fair-cup sweep passed
  std::vector<std::string> problems;
};

struct CourseReport {
  std::string course;                 // its name ("" when course.ini cannot be read)
  std::string folder;                 // ending with '/'
  std::vector<std::string> problems;  // of the course file itself
  std::vector<HoleReport> holes;      // main holes, then extra ones
  bool ok = false;                    // no problem anywhere
};

struct CourseCheckOptions {
  double budget = 60;  // solver seconds per hole
  uint64_t seed = 1;   // the game's random seed while solving
  int beam = 10;       // the solver's beam
};

// `path`: a course folder (its course.ini) or a course file in the folder of
// its holes. `programfolder` holds the game's data and the asset compiler;
// `cachefolder` is where a player's course compiles to (both end with '/').
CourseReport CheckCourse(const std::string& path, const std::string& programfolder,
                         const std::string& cachefolder, const CourseCheckOptions& o);

}  // namespace gp::lab
