// The editor's work on the real game and the real asset compiler: a hole
// compiled into a workshop folder, checks before saving, the solver's verdict,
// the fair-cup sweep and "Try" putting through the game's own input.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "game/area_kind.h"
#include "support/game_dir.h"
#include "support/temp_folder.h"
#include "tests/editor/editor_files.h"
#include "tools/editor/course_file.h"
#include "tools/editor/fair_cup.h"
#include "tools/editor/hole_build.h"
#include "tools/editor/hole_checks.h"
#include "tools/editor/hole_model.h"
#include "tools/editor/try_session.h"

namespace gp::editor {
namespace {

using test::kGameDir;

// A new room (as the editor makes them), compiled under a name of its own.
struct Room {
  HoleModel model{NewHoleText("Test Room", "")};
  HoleBuild build;
  explicit Room(const std::string& name = "editortestroom") {
    EXPECT_TRUE(build.Open(kGameDir, name)) << build.error();
  }
  bool Compile() {
    const bool ok = build.Compile(model.Text());
    EXPECT_TRUE(ok) << build.error();
    return ok;
  }
};

bool Has(const std::vector<Problem>& ps, int area, const std::string& words) {
  for (const Problem& p : ps) {
    if (p.area == area && p.text.find(words) != std::string::npos) return true;
  }
  return false;
}

TEST(EditorBuild, CompilesIntoItsOwnFolderAndKeepsTheLastGoodPictures) {
  Room r;
  ASSERT_TRUE(r.Compile());
  const std::string folder = r.build.GameFolder();
  EXPECT_TRUE(std::filesystem::exists(folder + "editortestroom.dxg"));
  EXPECT_TRUE(std::filesystem::exists(folder + "gui.dxg"));  // the program folder's data
  EXPECT_FALSE(std::filesystem::exists(kGameDir + "editortestroom.dxg"));
  const auto first = std::filesystem::last_write_time(folder + "editortestroom.dxg");
  // A wall whose kind does not match its slope: the compiler says which.
  ASSERT_TRUE(r.model.SetCorner(2, 2, 864, 110));
  EXPECT_FALSE(r.build.Compile(r.model.Text()));
  EXPECT_NE(r.build.error().find("[area2]"), std::string::npos) << r.build.error();
  EXPECT_EQ(std::filesystem::last_write_time(folder + "editortestroom.dxg"), first);
  // In the background: running, then done.
  ASSERT_TRUE(r.model.Undo());
  r.build.Start(r.model.Text());
  const int before = r.build.compiled();
  while (r.build.Running()) {
  }
  EXPECT_EQ(r.build.compiled(), before + 1);
  EXPECT_EQ(r.build.error(), "");
}

TEST(EditorBuild, ClearsWorkshopsLeftByEditorsThatAreGone) {
  // A workshop of a process that cannot exist, and one of this very process.
  const std::string tmp = std::filesystem::temp_directory_path().string();
  const std::string gone = tmp + "/galaputt-editor-2147483646-test";
  const std::string mine = tmp + "/galaputt-editor-" + std::to_string(getpid()) + "-test";
  std::filesystem::create_directories(gone + "/game");
  std::filesystem::create_directories(mine);
  {
    HoleBuild b;
    ASSERT_TRUE(b.Open(kGameDir, "editortestroom")) << b.error();
    EXPECT_TRUE(std::filesystem::exists(b.GameFolder()));
  }
  EXPECT_FALSE(std::filesystem::exists(gone));
  EXPECT_TRUE(std::filesystem::exists(mine));
  std::filesystem::remove_all(mine);
}

TEST(EditorChecks, ContentHolesPassTheQuickChecks) {
  for (const auto& [name, bytes] : test::ContentHoles()) {
    EXPECT_EQ(QuickChecks(HoleModel(bytes)), std::vector<Problem>{}) << name;
  }
}

TEST(EditorChecks, NameTheAreaAtFault) {
  HoleModel m(NewHoleText("Bad", ""));
  EXPECT_EQ(QuickChecks(m), std::vector<Problem>{});
  ASSERT_TRUE(m.Delete(1));
  EXPECT_TRUE(Has(QuickChecks(m), 0, "no cup"));
  ASSERT_TRUE(m.Undo());
  const int second = m.Duplicate(1, 40, 0);
  EXPECT_TRUE(Has(QuickChecks(m), second, "second cup"));
  ASSERT_TRUE(m.Undo());
  ASSERT_TRUE(m.SetStart(20, 20));  // in the picture, off the floor
  EXPECT_TRUE(Has(QuickChecks(m), 0, "ball start (20, 20) lies outside the course"));
  ASSERT_TRUE(m.SetStart(2000, 20));
  EXPECT_TRUE(Has(QuickChecks(m), 0, "outside the course picture"));
  ASSERT_TRUE(m.SetStart(240, 360));
  const int mine = m.Add(kMine, {{955, 300}});
  EXPECT_TRUE(Has(QuickChecks(m), mine, "lies outside the course picture"));
  ASSERT_TRUE(m.Move(mine, -300, 0));
  EXPECT_EQ(QuickChecks(m), std::vector<Problem>{});
  const int sw = m.Add(kAreaSwitch, {{400, 300}});
  ASSERT_TRUE(m.SetField(sw, kFieldP1, "40"));
  EXPECT_TRUE(Has(QuickChecks(m), sw, "p1 names area 40, which is empty"));
  const int pipe = m.Add(kPipe, {{300, 200}});
  ASSERT_TRUE(m.SetLook("images", "item" + std::to_string(m.GetArea(pipe).p3), ""));
  EXPECT_TRUE(Has(QuickChecks(m), pipe, "is not in [images]"));
  ASSERT_TRUE(m.SetLook("canvas", "width", "1000"));
  EXPECT_TRUE(Has(QuickChecks(m), 0, "multiple of 24"));
}

TEST(EditorChecks, TheSolverSaysWhetherTheParIsHonest) {
  Room r;
  ASSERT_TRUE(r.Compile());
  const SolveVerdict v = SolveHole(r.build.GameFolder(), "editortestroom", r.model.Par(), 60);
  ASSERT_TRUE(v.ran) << v.error;
  ASSERT_TRUE(v.found);
  ASSERT_FALSE(v.line.empty());
  EXPECT_NEAR(v.line.front().fromx, 240, 31);  // from the scattered ball start
  SolveVerdict tight = v;
  tight.par = v.strokes - 1;
  EXPECT_FALSE(tight.Honest());
  EXPECT_NE(SolveProblems(tight)[0].text.find("cannot reach the cup within par"),
            std::string::npos);
  SolveVerdict generous = v;
  generous.par = v.strokes + 2;
  EXPECT_NE(SolveProblems(generous)[0].text.find("generous"), std::string::npos);
  SolveVerdict honest = v;
  honest.par = v.strokes;
  EXPECT_EQ(SolveProblems(honest), std::vector<Problem>{});
  EXPECT_NE(honest.Summary().find("is honest"), std::string::npos);
  // A hole that cannot be played says why.
  const SolveVerdict none = SolveHole(r.build.GameFolder(), "nosuchhole", 3, 5);
  EXPECT_FALSE(none.ran);
  EXPECT_NE(SolveProblems(none)[0].text.find("could not be played"), std::string::npos);
}

TEST(EditorChecks, FairCupSweep) {
  Room r;
  ASSERT_TRUE(r.Compile());
  const FairCupReport open = SweepCup(r.build.GameFolder(), "editortestroom", r.model);
  ASSERT_TRUE(open.ran) << open.error;
  EXPECT_TRUE(open.fair) << open.detail;
  EXPECT_EQ(open.allowed, 8) << open.detail;
  // The cup on a belt that carries every ball past it.
  ASSERT_GT(r.model.Add(kConveyorDown, {{660, 300}, {780, 420}}), 0);
  ASSERT_TRUE(r.build.WriteHole(r.model.Text()));
  const FairCupReport belt = SweepCup(r.build.GameFolder(), "editortestroom", r.model);
  ASSERT_TRUE(belt.ran) << belt.error;
  EXPECT_FALSE(belt.fair) << belt.detail;
}

TEST(EditorTry, PutsTheBallAnywhereAndPuttsWithTheGamesOwnInput) {
  Room r;
  ASSERT_TRUE(r.Compile());
  TrySession t;
  ASSERT_EQ(t.Open(r.build.GameFolder(), "editortestroom", 620, 360), "");
  for (int i = 0; i < 200 && !t.ready(); ++i) t.Advance(17);
  ASSERT_TRUE(t.ready());
  EXPECT_EQ(t.width(), 800);
  // Press on the ball, drag 40 pixels away from the cup, release: speed 1.
  t.PointerTo(620 - t.viewx(), 360 - t.viewy());
  t.Button(true, true);
  EXPECT_EQ(t.pointerx(), 400);  // the press parked the pointer at the centre
  EXPECT_EQ(t.pointery(), 300);
  t.PointerBy(-40, 0);
  t.Advance(17);
  t.Button(true, false);
  for (int i = 0; i < 1200 && !t.holed(); ++i) t.Advance(17);
  EXPECT_TRUE(t.holed());
  EXPECT_EQ(t.strokes(), 1);
  EXPECT_FALSE(t.PutBall(300, 300));  // the hole is over
  // Again, from elsewhere.
  ASSERT_EQ(t.Open(r.build.GameFolder(), "editortestroom", 300, 500), "");
  for (int i = 0; i < 200 && !t.ready(); ++i) t.Advance(17);
  EXPECT_TRUE(t.PutBall(500, 200));
  t.Advance(17);
  EXPECT_EQ(t.strokes(), 0);
  EXPECT_FALSE(t.frame().empty());
}

TEST(EditorCourse, KeepsTheFileAndChangesTheHoleList) {
  test::TempFolder dir;
  const std::string ini = "; my course\n[course]\nname=Moon Walk\nholes=a, b,c\nextra=z\n";
  dir.Write("course.ini", {ini.begin(), ini.end()});
  dir.Write("a.hole", {});
  dir.Write("d.hole", {});
  CourseFile c;
  std::string error;
  ASSERT_TRUE(c.Load(dir.path().string(), error)) << error;
  EXPECT_EQ(c.name(), "Moon Walk");
  EXPECT_EQ(c.holes(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(c.HoleFiles(), (std::vector<std::string>{"a", "d"}));
  c.MoveHole(2, 0);
  c.InsertHole(1, "d");
  c.RemoveHole(3);
  ASSERT_TRUE(c.Save(error));
  EXPECT_EQ(test::ReadText(dir.Path("course.ini")),
            "; my course\n[course]\nname=Moon Walk\nholes=c,d,a\nextra=z\n");
  CourseFile fresh;
  std::filesystem::create_directories(dir.Path("Sand Dunes"));
  ASSERT_TRUE(fresh.Load(dir.Path("Sand Dunes"), error));
  EXPECT_TRUE(fresh.holes().empty());
  fresh.InsertHole(0, "dune1");
  ASSERT_TRUE(fresh.Save(error));
  EXPECT_EQ(test::ReadText(dir.Path("Sand Dunes/course.ini")),
            "[course]\nname=Sand Dunes\nholes=dune1\n");
  EXPECT_TRUE(GoodHoleName("moon-walk_1"));
  EXPECT_FALSE(GoodHoleName("../x"));
}

}  // namespace
}  // namespace gp::editor
