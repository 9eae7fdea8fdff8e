#pragma once
// Where a hole stands in its course. The order of holes is data: each hole file
// names the holes that can follow it (its cup's comment; a text switch that
// rewrites the next hole; the hidden area's bonus hole).

#include <string>
#include <vector>

namespace gp {

class Profile;
struct Course;

// The names of the holes that can follow the hole described by `f`, without
// repeats: the cup's comment first (with several cups, the last one's), then
// those of text switches writing the next hole, then the bonus hole when the
// hole has a hidden area. Empty names are left out.
std::vector<std::string> NextHoles(const Profile& f);

// The place of `hole` in the course that starts with `first` (1 = `first`),
// counted along the fewest hole changes, looking no further than `places`;
// 0 when it is not found there. The hole files are read from `folder`
// (ending with '/'); a missing one ends its branch of the course.
int CoursePlace(const std::string& folder, const std::string& first, const std::string& hole,
                int places);

// One fault in the order of a course's holes.
struct ChainProblem {
  std::string hole;  // the hole whose file is at fault
  std::string text;
  bool leaves = false;  // it names a hole outside the course: a game would stop there
};

// What is wrong with the order of the holes of `c`, whose hole files are read
// from `folder` (ending with '/'): a hole whose cup or switches name a hole
// outside the course; a main hole (not the last) whose cup does not name the
// next one in holes=; an extra hole that no hole leads to, or whose cup does not
// lead back to the main hole after the place it takes. In the course's hole order.
std::vector<ChainProblem> CourseChainProblems(const Course& c, const std::string& folder);

}  // namespace gp
