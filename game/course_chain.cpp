#include "game/course_chain.h"

#include <algorithm>

#include "base/profile.h"
#include "game/area_kind.h"
#include "game/course_file.h"
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

// The comment of the hole's cup (the last cup's, as when the hole loads); "" without one.
std::string CupComment(const Profile& f) {
  std::string cup;
  for (int i = 1; i <= kMaxAreas; ++i) {
    const std::string s = "area" + std::to_string(i);
    if (f.ReadInteger(s, "kind", 0) == kCup) cup = f.ReadString(s, "comment", "");
  }
  return cup;
}

// The place each hole of the course takes in a game (1-based, 0 = never
// reached): the main holes theirs, an extra hole one after the first place
// that names it.
std::vector<int> Places(const Course& c, const std::vector<std::vector<std::string>>& next) {
  const std::vector<std::string> all = c.AllHoles();
  std::vector<int> place(all.size(), 0);
  for (size_t i = 0; i < c.holes.size(); ++i) place[i] = static_cast<int>(i) + 1;
  for (size_t round = 0; round < all.size(); ++round) {
    for (size_t i = 0; i < all.size(); ++i) {
      if (place[i] == 0) continue;
      for (const std::string& n : next[i]) {
        const auto it = std::find(all.begin() + static_cast<long>(c.holes.size()), all.end(), n);
        if (it == all.end()) continue;
        int& p = place[static_cast<size_t>(it - all.begin())];
        if (p == 0 || p > place[i] + 1) p = place[i] + 1;
      }
    }
  }
  return place;
}

}  // namespace

std::vector<ChainProblem> CourseChainProblems(const Course& c, const std::string& folder) {
  const std::vector<std::string> all = c.AllHoles();
  std::vector<std::vector<std::string>> next;
  std::vector<std::string> cups;
  for (const std::string& hole : all) {
    const Profile f = Profile::FromFile(folder + hole + ".hole");
    next.push_back(NextHoles(f));
    cups.push_back(CupComment(f));
  }
  const std::vector<int> place = Places(c, next);
  const int count = static_cast<int>(c.holes.size());
  std::vector<ChainProblem> out;
  for (size_t i = 0; i < all.size(); ++i) {
    const std::string& hole = all[i];
    for (const std::string& n : next[i]) {
      if (!c.Has(n)) {
        out.push_back({hole, "leads to " + n + ", which is not a hole of the course", true});
      }
    }
    if (place[i] == 0) {
      out.push_back({hole, "no hole of the course leads to it"});
      continue;
    }
    // After the last place the game is over, so that cup may name any hole of the course.
    if (place[i] >= count) continue;
    const std::string& want = c.holes[static_cast<size_t>(place[i])];
    if (cups[i] != want) {
      const std::string cup = cups[i].empty() ? "names no hole" : "names " + cups[i];
      out.push_back({hole, "its cup " + cup + "; hole " + std::to_string(place[i] + 1) +
                               " of holes= is " + want});
    }
  }
  return out;
}

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
