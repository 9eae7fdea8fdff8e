#include "game/course_chain.h"

#include <algorithm>

#include "base/profile.h"
#include "game/area_kind.h"
#include "game/hole_tables.h"
#include "game/state.h"

namespace gp {

namespace {

// Text switches with this first parameter write the next hole's name.
constexpr int kNextHoleSlot = 0;

void AddName(std::vector<std::string>& names, const std::string& name) {
  if (name.empty() || std::find(names.begin(), names.end(), name) != names.end()) return;
  names.push_back(name);
}

}  // namespace

std::vector<std::string> NextHoles(const Profile& f) {
  std::string cup;
  std::vector<std::string> others;
  bool hidden = false;
  for (int i = 1; i <= kMaxAreas; ++i) {
    const std::string s = "area" + std::to_string(i);
    const int kind = f.ReadInteger(s, "kind", 0);
    const std::string comment = f.ReadString(s, "comment", "");
    if (kind == kCup) cup = comment;  // the last cup wins, as when the hole loads
    if (kind == kTextSwitch && f.ReadInteger(s, "p1", 0) == kNextHoleSlot) {
      others.push_back(comment);
    }
    if (kind == kCannonOrHidden && comment == "hidden") hidden = true;
  }
  std::vector<std::string> names;
  AddName(names, cup);
  for (const std::string& n : others) AddName(names, n);
  if (hidden) AddName(names, kBonusHole);
  return names;
}

int CoursePlace(const std::string& folder, const std::string& first, const std::string& hole,
                int places) {
  std::vector<std::string> level{first}, seen{first};
  for (int place = 1; place <= places && !level.empty(); ++place) {
    if (std::find(level.begin(), level.end(), hole) != level.end()) return place;
    if (place == places) break;
    std::vector<std::string> next;
    for (const std::string& name : level) {
      for (const std::string& n : NextHoles(Profile::FromFile(folder + name + ".hole"))) {
        if (std::find(seen.begin(), seen.end(), n) != seen.end()) continue;
        seen.push_back(n);
        next.push_back(n);
      }
    }
    level = std::move(next);
  }
  return 0;
}

}  // namespace gp
