// The Comet Reef, the second built-in course: every hole is what the hole
// editor makes of its edit script, the build puts the holes where the game
// reads them, the cups chain the nine holes in playing order with rising pars,
// and together with the SE Course it plays every area kind that does something.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/profile.h"
#include "game/area_kind.h"
#include "game/course_file.h"
#include "game/hole_file.h"
#include "game/state.h"
#include "support/game_dir.h"
#include "support/lab_run.h"
#include "support/temp_folder.h"
#include "tests/editor/editor_files.h"

namespace gp {
namespace {

namespace fs = std::filesystem;

const std::string kSource = std::string(GALAPUTT_SOURCE_DIR) + "/content/courses/reef/";
const std::string kBuilt = test::kGameDir + "courses/reef/";

Course ReadOrFail(const std::string& folder) {
  Course c;
  const std::string e = ReadCourse(folder, c);
  EXPECT_EQ(e, "") << folder;
  return c;
}

// The kinds of the areas of a hole file, read by the game's own reader.
std::set<int> KindsOf(const std::string& path) {
  ResetGameState();
  gs().numplayers = 1;
  LoadHoleFile(path);
  std::set<int> kinds;
  for (int i = 1; i <= kMaxAreas; ++i) {
    if (gs().areas[i].kind != 0) kinds.insert(gs().areas[i].kind);
  }
  return kinds;
}

TEST(CometReef, EveryHoleIsWhatItsEditScriptMakes) {
  const Course c = ReadOrFail(kSource);
  ASSERT_EQ(c.holes.size(), 9u);
  test::TempFolder tmp;
  for (const std::string& hole : c.holes) {
    const std::string script = kSource + "scripts/" + hole + ".edit";
    ASSERT_TRUE(fs::exists(script)) << script;
    const std::string out = tmp.Path(hole + ".hole");
    const test::LabOutput r = test::Lab("edit --new --script " + script + " --out " + out);
    ASSERT_EQ(r.status, 0) << hole << ": " << r.text;
    const std::string committed = test::ReadText(kSource + hole + ".hole");
    ASSERT_FALSE(committed.empty()) << hole << ".hole is missing";
    EXPECT_TRUE(test::ReadText(out) == committed)
        << hole << ".hole is not what its script makes: run scripts/make-reef";
    // The build copies the source where the game reads it, as it is.
    EXPECT_TRUE(test::ReadText(kBuilt + hole + ".hole") == committed) << hole;
    for (const char* ext : {".dxg", ".dxw"}) {
      EXPECT_TRUE(fs::exists(kBuilt + hole + ext)) << hole << ext << " not built";
    }
  }
}

TEST(CometReef, CupsChainTheHolesInOrderWithRisingPars) {
  const Course c = ReadOrFail(kBuilt);
  EXPECT_EQ(c.name, "Comet Reef");
  EXPECT_TRUE(c.extra.empty());
  ASSERT_EQ(c.holes.size(), 9u);
  int lastpar = 0;
  for (size_t i = 0; i < c.holes.size(); ++i) {
    const std::string path = kBuilt + c.holes[i] + ".hole";
    ResetGameState();
    gs().numplayers = 1;
    LoadHoleFile(path);
    // The last cup names the first hole again, as the SE Course's does.
    EXPECT_EQ(gs().nexthole, c.holes[(i + 1) % c.holes.size()]) << c.holes[i];
    EXPECT_GE(gs().par, lastpar) << c.holes[i] << ": the pars rise through the course";
    lastpar = gs().par;
    const Profile p = Profile::FromFile(path);
    EXPECT_EQ(p.ReadInteger("canvas", "number", 0), static_cast<int>(i + 1)) << c.holes[i];
    EXPECT_EQ(p.ReadInteger("canvas", "scheme", 0), 6) << c.holes[i] << ": the reef's colours";
    EXPECT_NE(p.ReadString("canvas", "title", ""), "") << c.holes[i];
  }
  EXPECT_EQ(Profile::FromFile(kBuilt + c.holes.front() + ".hole").ReadInteger("course", "par", 0),
            2);
  EXPECT_GE(lastpar, 4);
}

// The SE Course as a player plays it (its six main holes) and the reef
// together use every kind that acts; the kinds the SE Course leaves out are
// the reef's.
TEST(CometReef, WithTheSeCourseEveryAreaKindThatActsIsPlayed) {
  Course se;
  ASSERT_EQ(ReadCourseFile(test::kGameDir + "course.ini", se), "");
  ASSERT_EQ(se.holes.size(), 6u);
  std::set<int> sekinds, reefkinds;
  for (const std::string& h : se.holes) {
    ASSERT_TRUE(fs::exists(test::kGameDir + h + ".hole")) << h;
    for (int k : KindsOf(test::kGameDir + h + ".hole")) sekinds.insert(k);
  }
  const Course reef = ReadOrFail(kBuilt);
  ASSERT_EQ(reef.holes.size(), 9u);
  for (const std::string& h : reef.holes) {
    ASSERT_TRUE(fs::exists(kBuilt + h + ".hole")) << h;
    for (int k : KindsOf(kBuilt + h + ".hole")) reefkinds.insert(k);
  }
  std::string missing, sonly;
  for (int k = 1; k <= kMaxAreaKind; ++k) {
    if (!KindHasEffect(k)) continue;
    if (!sekinds.count(k) && !reefkinds.count(k)) missing += " " + std::to_string(k);
    if (!sekinds.count(k)) sonly += " " + std::to_string(k);
  }
  EXPECT_EQ(missing, "") << "kinds neither course plays";
  EXPECT_NE(sonly, "") << "the SE Course alone plays every kind: the check has no teeth";
  // The reef is more than the kinds it adds: walls, the cup, water and devices too.
  EXPECT_GE(reefkinds.size(), 25u);
}

}  // namespace
}  // namespace gp
