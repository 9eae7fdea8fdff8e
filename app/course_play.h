#pragma once
// A course's holes made ready to play. A built-in course (a folder inside the
// program folder) comes compiled by the build and is read where it is. A
// player's own course is compiled by the asset compiler (the program folder's
// galaputt-assets, run as a child process: the game never draws artwork itself)
// into a folder of its own in the cache, hole by hole, whenever the cached copy
// of the hole's source differs from the source, a compiled file is missing, or
// the compiler is newer. A hole that fails to compile leaves a record of why, so
// the launcher can list the course as unavailable without compiling again.

#include <functional>
#include <string>
#include <vector>

namespace gp {

struct Course;

// $XDG_DATA_HOME/galaputt/ and $XDG_CACHE_HOME/galaputt/ ($HOME/.local/share/
// and $HOME/.cache/ when the variable is unset, empty or not an absolute path),
// ending with '/'; "" when neither is known.
std::string UserDataFolder();
std::string UserCacheFolder();

// Where one course's holes are read from and compiled to.
struct CourseBuild {
  std::string source;    // the course folder: course.ini and the .hole sources
  std::string holes;     // where the game reads NAME.hole, NAME.dxg and NAME.dxw
  std::string compiler;  // the asset compiler's path
  bool builtin = false;  // inside the program folder: compiled by the build, never written
};

// The plan for the course in `coursefolder`; a player's course compiles into
// `cachefolder`courses/FOLDERNAME-HASH/ (HASH of the course folder's path, so
// two courses of one name never share a cache). Folders end with '/'.
CourseBuild PlanCourse(const std::string& coursefolder, const std::string& programfolder,
                       const std::string& cachefolder);

enum class HoleState {
  Ready,   // compiled and current
  Stale,   // must be compiled (again)
  Failed,  // the last compile of this very source failed: `reason`
};
struct HoleStatus {
  HoleState state = HoleState::Stale;
  std::string reason;
};
HoleStatus CompiledState(const CourseBuild& b, const std::string& hole);

// Called now and then while the compiler runs (the game window keeps its
// events flowing).
using IdleCall = std::function<void()>;

// Compiles one hole into the plan's hole folder (the files appear together,
// never half written). "" when it compiled, else why not; the reason is kept
// for CompiledState.
std::string CompileHole(const CourseBuild& b, const std::string& hole, const IdleCall& idle = {});

// Why the course cannot be played, without compiling anything: a hole file
// that is missing, a hole compiled at a fault before (or, for a built-in
// course, not compiled), no compiler for holes that need it, or a cup or switch
// that leads out of the course. "" when it can be played.
std::string CourseUnplayable(const Course& c, const CourseBuild& b);

// Readies every hole of the course: compiles those not ready. "" when all
// holes can be played, else the first reason ("nebula2: ...").
std::string PrepareCourse(const Course& c, const CourseBuild& b, const IdleCall& idle = {});

}  // namespace gp
