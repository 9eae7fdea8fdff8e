#pragma once
// Where a hole stands in its course. The order of holes is data: each hole file
// names the holes that can follow it (its cup's comment; a text switch that
// rewrites the next hole; the hidden area's bonus hole).

#include <string>
#include <vector>

namespace gp {

class Profile;

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

}  // namespace gp
