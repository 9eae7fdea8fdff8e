// The editor's session without its window: opening holes and courses,
// pictures compiled again once changes settle, saving behind the checks, the
// program folder never written.
#include "tools/editor/editor_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "game/area_kind.h"
#include "support/game_dir.h"
#include "support/temp_folder.h"
#include "tests/editor/editor_files.h"

namespace gp::editor {
namespace {

using test::kGameDir;

// Ticks the session (on a clock of its own) until `done` or a minute passes.
template <typename F>
bool TickUntil(EditorSession& s, uint32_t& now, F done) {
  for (int i = 0; i < 6000 && !done(); ++i) {
    s.Tick(now += 10, false);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

TEST(EditorSession, ANewHoleIsARoomThatIsNotYetSaved) {
  test::TempFolder dir;
  EditorSession s(kGameDir);
  ASSERT_EQ(s.OpenHole(dir.Path("moon.hole")), "");
  EXPECT_EQ(s.name(), "moon");
  EXPECT_TRUE(s.Modified());
  EXPECT_EQ(s.CompileError(), "");
  const Picture& p = s.Overlay();
  EXPECT_EQ(p.width, 960);
  EXPECT_EQ(s.Problems(), std::vector<Problem>{});
  std::string error;
  ASSERT_TRUE(s.Save(error)) << error;
  EXPECT_FALSE(s.Modified());
  EXPECT_EQ(test::ReadText(dir.Path("moon.hole")), s.model().Text());
  EXPECT_NE(s.OpenHole(dir.Path("bad name.hole")), "");
  EXPECT_EQ(s.name(), "moon");  // still open
}

TEST(EditorSession, CompilesAgainOnceChangesSettle) {
  test::TempFolder dir;
  EditorSession s(kGameDir);
  ASSERT_EQ(s.OpenHole(dir.Path("room.hole")), "");
  uint32_t now = 1000;
  s.Tick(now, false);
  const int serial = s.OverlaySerial();
  ASSERT_GT(s.model().Add(kWater, {{300, 300}}), 0);
  s.Tick(now += 10, true);  // a drag under way: nothing yet
  s.Tick(now += kCompileDelayMs, true);
  EXPECT_FALSE(s.Compiling());
  s.Tick(now += 10, false);
  EXPECT_TRUE(s.Compiling());
  ASSERT_TRUE(TickUntil(s, now, [&] { return !s.Compiling(); }));
  EXPECT_EQ(s.CompileError(), "");
  s.Overlay();
  EXPECT_GT(s.OverlaySerial(), serial);
  // A hole the compiler refuses: its message among the problems.
  ASSERT_TRUE(s.model().SetLook("floor1", "points", "1,1"));
  ASSERT_TRUE(TickUntil(s, now, [&] { return !s.CompileError().empty(); }));
  bool named = false;
  for (const Problem& p : s.Problems())
    named |= p.text.find("cannot be compiled") != std::string::npos;
  EXPECT_TRUE(named);
}

TEST(EditorSession, SavesWhenTheChecksFindNothingAndNotOtherwise) {
  test::TempFolder dir;
  EditorSession s(kGameDir);
  ASSERT_EQ(s.OpenHole(dir.Path("room.hole")), "");
  uint32_t now = 0;
  // A belt over the cup carries careful putts past it.
  ASSERT_GT(s.model().Add(kConveyorDown, {{660, 300}, {780, 420}}), 0);
  s.BeginSave();
  EXPECT_TRUE(s.SavePending());
  ASSERT_TRUE(TickUntil(s, now, [&] { return !s.SavePending(); }));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("room.hole")));
  EXPECT_TRUE(s.HasSolve() && s.HasFair());
  bool unfair = false;
  for (const Problem& p : s.Problems()) unfair |= p.text.find("is not fair") != std::string::npos;
  EXPECT_TRUE(unfair);
  // Without it, with the par the solver found honest, the file is written.
  ASSERT_TRUE(s.model().Undo());
  EXPECT_FALSE(s.ResultsCurrent());
  s.BeginSave();
  ASSERT_TRUE(TickUntil(s, now, [&] { return !s.SavePending(); }));
  ASSERT_TRUE(s.Solved().Honest()) << s.Solved().Summary();
  EXPECT_EQ(s.Problems(), std::vector<Problem>{});
  EXPECT_EQ(test::ReadText(dir.Path("room.hole")), s.model().Text());
}

TEST(EditorSession, NeverWritesTheProgramFolder) {
  EditorSession s(kGameDir);
  ASSERT_EQ(s.OpenHole(kGameDir + "course1hole1.hole"), "");
  ASSERT_TRUE(s.model().SetPar(5));
  std::string error;
  EXPECT_FALSE(s.Save(error));
  EXPECT_NE(error.find("program folder"), std::string::npos);
  EXPECT_EQ(test::ReadText(kGameDir + "course1hole1.hole").find("par=5"), std::string::npos);
  // Named from inside the program folder, too.
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(kGameDir);
  ASSERT_EQ(s.OpenHole("course1hole1.hole"), "");
  ASSERT_TRUE(s.model().SetPar(5));
  EXPECT_FALSE(s.Save(error));
  std::filesystem::current_path(here);
}

TEST(EditorSession, ACourseFolderOpensOnItsFirstHoleAndTakesNewHolesInOrder) {
  test::TempFolder dir;
  const std::string ini = "[course]\nname=Dunes\nholes=a,b\n";
  dir.Write("course.ini", {ini.begin(), ini.end()});
  EditorSession s(kGameDir);
  ASSERT_EQ(s.OpenCourse(dir.path().string()), "");
  EXPECT_TRUE(s.InCourse());
  EXPECT_EQ(s.name(), "a");
  EXPECT_EQ(s.model().NextHole(), "b");  // a new hole's cup names the next
  EXPECT_EQ(*s.model().Value("canvas", "number"), "1");
  ASSERT_EQ(s.OpenCourseHole("c"), "");  // not yet in the list: it joins at the end
  EXPECT_EQ(s.course().holes(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(*s.model().Value("canvas", "number"), "3");
  ASSERT_EQ(s.MoveCourseHole(2, 0), "");
  ASSERT_EQ(s.RemoveCourseHole(2), "");
  EXPECT_EQ(test::ReadText(dir.Path("course.ini")), "[course]\nname=Dunes\nholes=c,a\n");
}

}  // namespace
}  // namespace gp::editor
