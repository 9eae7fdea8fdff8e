// A course's holes made ready: where the player's folders are, the cache a
// player's course compiles into (missing, stale, up to date, failed), what
// makes a course unplayable, and the game window playing a course's own holes.
#include "app/course_play.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/game_loop.h"
#include "app/game_window.h"
#include "game/course_file.h"
#include "game/setup.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "support/course_files.h"
#include "support/env_var.h"
#include "support/game_dir.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

namespace fs = std::filesystem;

using test::EnvVar;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(UserFolders, FromTheXdgVariablesOrUnderHome) {
  EnvVar home("HOME", "/home/p");
  {
    EnvVar data("XDG_DATA_HOME", "/x/data");
    EnvVar cache("XDG_CACHE_HOME", "/x/cache");
    EXPECT_EQ(UserDataFolder(), "/x/data/galaputt/");
    EXPECT_EQ(UserCacheFolder(), "/x/cache/galaputt/");
  }
  // Unset, empty or relative: under the home folder.
  EnvVar data("XDG_DATA_HOME", "relative/data");
  EnvVar cache("XDG_CACHE_HOME", "");
  EXPECT_EQ(UserDataFolder(), "/home/p/.local/share/galaputt/");
  EXPECT_EQ(UserCacheFolder(), "/home/p/.cache/galaputt/");
}

class CoursePlayTest : public ::testing::Test {
 protected:
  std::string Cache() const { return tmp.Path("cache") + "/"; }
  std::string Dir(const std::string& name) const { return tmp.Path("data/" + name) + "/"; }
  CourseBuild Plan(const std::string& dir, const std::string& program = test::kGameDir) const {
    return PlanCourse(dir, program, Cache());
  }
  Course Read(const std::string& dir) const {
    Course c;
    EXPECT_EQ(ReadCourse(dir, c), "");
    return c;
  }
  static fs::file_time_type Stamp(const std::string& path) { return fs::last_write_time(path); }

  test::TempFolder tmp;
};

TEST_F(CoursePlayTest, APlayersCourseCompilesIntoACacheFolderOfItsOwn) {
  const CourseBuild a = Plan(Dir("one/run"));
  EXPECT_FALSE(a.builtin);
  EXPECT_EQ(a.source, Dir("one/run"));
  EXPECT_EQ(a.compiler, test::kGameDir + "galaputt-assets");
  EXPECT_EQ(a.holes.rfind(Cache() + "courses/run-", 0), 0u) << a.holes;
  EXPECT_EQ(a.holes.back(), '/');
  // A course of the same folder name elsewhere never shares it; the same
  // folder named another way does.
  EXPECT_NE(Plan(Dir("two/run")).holes, a.holes);
  EXPECT_EQ(Plan(tmp.Path("data/one/../one/run")).holes, a.holes);
  // A course inside the program folder is read where it is.
  const std::string program = tmp.Path("program") + "/";
  const CourseBuild b = Plan(program + "courses/nebula/", program);
  EXPECT_TRUE(b.builtin);
  EXPECT_EQ(b.holes, program + "courses/nebula/");
}

TEST_F(CoursePlayTest, HolesCompileWhenMissingOrStaleAndNotWhenUpToDate) {
  test::WriteEasyCourse(Dir("run"), "Run", {"h1", "h2"});
  const Course c = Read(Dir("run"));
  const CourseBuild b = Plan(Dir("run"));
  EXPECT_EQ(CompiledState(b, "h1").state, HoleState::Stale);  // never compiled
  ASSERT_EQ(PrepareCourse(c, b), "");
  for (const char* f : {"h1.hole", "h1.dxg", "h1.dxw", "h2.hole", "h2.dxg", "h2.dxw"}) {
    EXPECT_TRUE(fs::is_regular_file(b.holes + f)) << f;
  }
  EXPECT_EQ(CompiledState(b, "h2").state, HoleState::Ready);
  // Nothing is written beside the sources, and no build folder is left.
  size_t files = 0;
  for (const auto& e : fs::directory_iterator(Dir("run"))) files += e.is_regular_file();
  EXPECT_EQ(files, 3u);
  for (const auto& e : fs::directory_iterator(b.holes)) {
    EXPECT_TRUE(e.is_regular_file()) << e.path();
  }

  // Up to date: ready again without compiling.
  const fs::file_time_type compiled = Stamp(b.holes + "h1.dxg");
  ASSERT_EQ(PrepareCourse(c, b), "");
  EXPECT_EQ(Stamp(b.holes + "h1.dxg"), compiled);

  // A changed source is stale, and compiles again; the other hole does not.
  const fs::file_time_type other = Stamp(b.holes + "h2.dxg");
  test::WriteText(Dir("run") + "h1.hole", test::EasyHoleSource("h2", 3, 330));
  EXPECT_EQ(CompiledState(b, "h1").state, HoleState::Stale);
  ASSERT_EQ(PrepareCourse(c, b), "");
  EXPECT_EQ(ReadFile(b.holes + "h1.hole"), test::EasyHoleSource("h2", 3, 330));
  EXPECT_EQ(Stamp(b.holes + "h2.dxg"), other);
  // A compiled file gone: stale.
  fs::remove(b.holes + "h2.dxw");
  EXPECT_EQ(CompiledState(b, "h2").state, HoleState::Stale);
}

TEST_F(CoursePlayTest, ANewerCompilerCompilesTheHolesAgain) {
  const std::string program = tmp.Path("program") + "/";
  fs::create_directories(program);
  fs::copy_file(test::kGameDir + "galaputt-assets", program + "galaputt-assets");
  test::WriteEasyCourse(Dir("run"), "Run", {"h1"});
  const CourseBuild b = Plan(Dir("run"), program);
  ASSERT_EQ(CompileHole(b, "h1"), "");
  EXPECT_EQ(CompiledState(b, "h1").state, HoleState::Ready);
  fs::last_write_time(program + "galaputt-assets",
                      fs::file_time_type::clock::now() + std::chrono::hours(1));
  EXPECT_EQ(CompiledState(b, "h1").state, HoleState::Stale);
}

TEST_F(CoursePlayTest, AHoleThatFailsToCompileIsRememberedUntilItsSourceChanges) {
  test::WriteEasyCourse(Dir("run"), "Run", {"h1", "bad"});
  test::WriteText(Dir("run") + "bad.hole", "[ball]\nx=100\n[course]\npar=3\n");
  const Course c = Read(Dir("run"));
  const CourseBuild b = Plan(Dir("run"));
  EXPECT_EQ(CompileHole(b, "bad"), "bad: no [floor1] section");
  EXPECT_FALSE(fs::exists(b.holes + "bad.dxg"));
  const HoleStatus s = CompiledState(b, "bad");
  EXPECT_EQ(s.state, HoleState::Failed);
  EXPECT_EQ(s.reason, "bad: no [floor1] section");
  // The reason is given without compiling again, and the course is unplayable.
  const fs::file_time_type record = Stamp(b.holes + "bad.error");
  EXPECT_EQ(CourseUnplayable(c, b), "bad: no [floor1] section");
  EXPECT_EQ(PrepareCourse(c, b), "bad: no [floor1] section");
  EXPECT_EQ(Stamp(b.holes + "bad.error"), record);
  // Mended, it compiles and the record goes.
  test::WriteText(Dir("run") + "bad.hole", test::EasyHoleSource("h1"));
  EXPECT_EQ(CompiledState(b, "bad").state, HoleState::Stale);
  EXPECT_EQ(PrepareCourse(c, b), "");
  EXPECT_FALSE(fs::exists(b.holes + "bad.error"));
}

TEST_F(CoursePlayTest, ACourseCannotBePlayedWithAHoleMissingOrAChainOutOfIt) {
  test::WriteEasyCourse(Dir("run"), "Run", {"h1", "h2"});
  Course c = Read(Dir("run"));
  const CourseBuild b = Plan(Dir("run"));
  EXPECT_EQ(CourseUnplayable(c, b), "");  // stale holes compile when the game starts
  test::WriteText(Dir("run") + "h2.hole", test::EasyHoleSource("elsewhere"));
  EXPECT_EQ(CourseUnplayable(c, b), "h2: leads to elsewhere, which is not a hole of the course");
  EXPECT_NE(PrepareCourse(c, b), "");
  fs::remove(Dir("run") + "h2.hole");
  EXPECT_EQ(CourseUnplayable(c, b), "h2.hole is missing");
  // Holes to compile without the compiler.
  test::WriteText(Dir("run") + "h2.hole", test::EasyHoleSource("h1"));
  const std::string bare = tmp.Path("bare") + "/";
  EXPECT_EQ(CourseUnplayable(c, Plan(Dir("run"), bare)),
            "its holes need compiling and the asset compiler (galaputt-assets) is missing");
  // A built-in course that was not built.
  const std::string program = tmp.Path("program") + "/";
  test::WriteEasyCourse(program + "courses/in", "In", {"h1"});
  const Course in = Read(program + "courses/in/");
  EXPECT_EQ(CourseUnplayable(in, Plan(program + "courses/in/", program)),
            "h1.dxg is missing: not built");
}

// The game window on a course: the setup names the course folder.
class CourseGameTest : public CoursePlayTest {
 protected:
  void SetUp() override { platform.SetBaseDir(test::kGameDir); }
  void TearDown() override {
    if (GameWindowOpen()) CloseGameWindow();
    gamewin().platform = nullptr;
  }
  bool Open(const std::string& coursefolder, const std::string& hole = "") {
    ResetGameState();
    setup() = GameSetup{};
    setup().coursefolder = coursefolder;
    return OpenGameWindow(platform, GameStart{1, hole});
  }

  EnvVar cachehome{"XDG_CACHE_HOME", tmp.Path("cache").c_str()};
  HeadlessPlatform platform;
};

TEST_F(CourseGameTest, ACourseStartsOnItsFirstHoleFromItsOwnCompiledHoles) {
  // A hole named like a built-in one: the course's own is played.
  test::WriteEasyCourse(Dir("run"), "Run", {"course1hole1", "second", "third"});
  test::WriteText(Dir("run") + "course1hole1.hole", test::EasyHoleSource("second", 5, 300));
  ASSERT_TRUE(Open(Dir("run")));
  const GameState& g = gs();
  EXPECT_EQ(g.holename, "course1hole1");
  EXPECT_EQ(g.par, 5);
  EXPECT_EQ(g.cupx, 300);
  EXPECT_EQ(g.nexthole, "second");
  EXPECT_EQ(g.holecount, 3);
  EXPECT_EQ(g.holenumber, 1);
  EXPECT_EQ(g.gamestate, kHoleCard);
  EXPECT_EQ(gamewin().holefolder, PlanCourse(Dir("run"), test::kGameDir, UserCacheFolder()).holes);
  EXPECT_EQ(g.coursewidth, 480);
  // Started on a later hole, it takes that hole's place in the course.
  CloseGameWindow();
  ASSERT_TRUE(Open(Dir("run"), "third"));
  EXPECT_EQ(gs().holenumber, 3);
  // The next game of the SE Course plays the program folder's holes again.
  CloseGameWindow();
  ASSERT_TRUE(Open(""));
  EXPECT_EQ(gs().holename, "course1hole1");
  EXPECT_EQ(gs().holecount, kHolesPerGame);
  EXPECT_NE(gs().par, 5);
}

TEST_F(CourseGameTest, ACourseThatCannotBePlayedNeverStarts) {
  test::WriteEasyCourse(Dir("run"), "Run", {"h1", "h2"});
  test::WriteText(Dir("run") + "h2.hole", "[course]\npar=3\n");
  EXPECT_FALSE(Open(Dir("run")));
  EXPECT_FALSE(GameWindowOpen());
  EXPECT_TRUE(gamewin().failed);
  ASSERT_FALSE(platform.messages().empty());
  EXPECT_EQ(platform.messages().back(),
            "The course \"Run\" cannot be played: h2: no [floor1] section");
  EXPECT_TRUE(gs().holename.empty());  // no hole was set up
  // A course file that cannot be read names the folder.
  test::WriteText(Dir("run") + "course.ini", "[course]\nname=Run\n");
  EXPECT_FALSE(Open(Dir("run")));
  EXPECT_EQ(platform.messages().back(),
            "The course in " + Dir("run") + " cannot be played: course.ini: holes= is missing");
}

}  // namespace
}  // namespace gp
