// The Course list: its order, courses that cannot be played with their
// reasons, the saved position, and the course a started game is handed.
#include "launcher/course_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/course_play.h"
#include "game/course_file.h"
#include "launcher/launcher_model.h"
#include "launcher/settings_store.h"
#include "support/course_files.h"
#include "support/game_dir.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

namespace fs = std::filesystem;

struct QuietHost : LauncherHost {
  void PlaySound(int) override {}
  void LoopSound(int) override {}
  void StopSound(int) override {}
  void PanelTransition() override {}
};

class CourseListTest : public ::testing::Test {
 protected:
  // The program folder holds the asset compiler, as an installed game does.
  void SetUp() override {
    fs::create_directories(Program());
    fs::create_symlink(test::kGameDir + "galaputt-assets", Program() + "galaputt-assets");
  }

  std::string Program() const { return tmp.Path("program") + "/"; }
  std::string Data() const { return tmp.Path("data") + "/"; }
  std::string Cache() const { return tmp.Path("cache") + "/"; }

  // A built-in course, compiled as the build leaves it (the list reads no picture).
  void BuiltIn(const std::string& folder, const std::string& name) {
    const std::string dir = Program() + "courses/" + folder + "/";
    test::WriteEasyCourse(dir, name, {"b1"});
    test::WriteText(dir + "b1.dxg", "compiled");
    test::WriteText(dir + "b1.dxw", "compiled");
  }
  void Own(const std::string& folder, const std::string& name,
           const std::vector<std::string>& holes = {"h1", "h2"}) {
    test::WriteEasyCourse(Data() + "courses/" + folder, name, holes);
  }
  std::vector<CourseEntry> List() const { return ListCourses(Program(), Data(), Cache()); }

  // The launcher on the test's folders (its program folder has no pictures:
  // the model needs none).
  LauncherModel& Model() {
    if (!model) {
      store = std::make_unique<SettingsStore>(tmp / "config" / "user.reg");
      model = std::make_unique<LauncherModel>(Program(), *store, host, Data(), Cache());
      model->Create();
      model->Show();
    }
    return *model;
  }
  LauncherModel& NextRun() {
    model.reset();
    store.reset();
    return Model();
  }
  int Position(const std::string& name) {
    const std::vector<CourseEntry>& list = Model().courses();
    for (size_t i = 0; i < list.size(); ++i) {
      if (list[i].name == name) return static_cast<int>(i);
    }
    return -1;
  }

  test::TempFolder tmp;
  QuietHost host;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<LauncherModel> model;
};

TEST_F(CourseListTest, SeCourseThenBuiltInThenThePlayersOwnEachInNameOrder) {
  BuiltIn("z", "Zeta Dunes");
  BuiltIn("a", "alpha");
  Own("mine", "b course");
  Own("yours", "A course");
  Own("same", "A course");  // the same name twice: both listed, by folder
  fs::create_directories(Data() + "courses/.hidden");
  test::WriteText(Data() + "courses/notes.txt", "not a course");
  const std::vector<CourseEntry> list = List();
  std::vector<std::string> names, folders;
  for (const CourseEntry& e : list) {
    names.push_back(e.name);
    folders.push_back(e.folder);
    EXPECT_TRUE(e.available) << e.name << ": " << e.reason;
    EXPECT_EQ(e.reason, "");
  }
  EXPECT_EQ(names, (std::vector<std::string>{"SE Course", "alpha", "Zeta Dunes", "A course",
                                             "A course", "b course"}));
  EXPECT_EQ(folders,
            (std::vector<std::string>{"", Program() + "courses/a/", Program() + "courses/z/",
                                      Data() + "courses/same/", Data() + "courses/yours/",
                                      Data() + "courses/mine/"}));
  EXPECT_TRUE(list[1].builtin && !list[3].builtin);
  // No data folder (no home): only the program's courses.
  EXPECT_EQ(ListCourses(Program(), "", Cache()).size(), 3u);
}

TEST_F(CourseListTest, CoursesThatCannotBePlayedAreListedWithTheirReasons) {
  BuiltIn("unbuilt", "Unbuilt");
  fs::remove(Program() + "courses/unbuilt/b1.dxw");
  test::WriteText(Data() + "courses/garbled/course.ini", "[course]\nname=Garbled\nholes=a,,b\n");
  fs::create_directories(Data() + "courses/empty");
  Own("missing", "Missing Hole");
  fs::remove(Data() + "courses/missing/h2.hole");
  Own("leaves", "Leaves");
  test::WriteText(Data() + "courses/leaves/h1.hole", test::EasyHoleSource("course1hole2"));
  Own("failed", "Failed");
  test::WriteText(Data() + "courses/failed/h2.hole", "[course]\npar=3\n");
  // The game tried to compile it (with the player's cache) and it failed.
  const CourseBuild b = PlanCourse(Data() + "courses/failed/", test::kGameDir, Cache());
  ASSERT_NE(CompileHole(b, "h2"), "");

  std::vector<std::string> lines;
  for (const CourseEntry& e : List()) {
    lines.push_back(e.name + (e.available ? "" : " - " + e.reason));
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "SE Course",
                       "Unbuilt - b1.dxw is missing: not built",
                       "empty - course.ini: missing",
                       "Failed - h2: no [floor1] section",
                       "garbled - course.ini: holes= has an empty name between commas",
                       "Leaves - h1: leads to course1hole2, which is not a hole of the course",
                       "Missing Hole - h2.hole is missing",
                   }));
}

TEST_F(CourseListTest, TheSavedPositionComesBackAndPastTheEndReadsAsTheSeCourse) {
  Own("mine", "Mine");
  Own("other", "Other");
  LauncherModel& m = Model();
  const int other = Position("Other");
  ASSERT_EQ(other, 2);
  m.SpotClicked(0);
  m.Select(Control::course, other);
  m.ClickControl(Control::launch);  // saves the settings
  ASSERT_TRUE(m.TakeGame().has_value());
  EXPECT_EQ(NextRun().ListIndex(Control::course), other);
  // The course is gone: its position is past the list's end.
  fs::remove_all(Data() + "courses/other");
  EXPECT_EQ(NextRun().ListIndex(Control::course), 0);
  EXPECT_EQ(Model().Handover().coursefolder, "");
}

TEST_F(CourseListTest, AnUnavailableCourseCannotBeChosenOrStarted) {
  Own("good", "Good");
  Own("bad", "Bad");
  test::WriteText(Data() + "courses/bad/course.ini", "[course]\nname=Bad\n");
  LauncherModel& m = Model();
  m.SpotClicked(0);
  const int good = Position("Good");
  m.Select(Control::course, good);
  m.Select(Control::course, Position("bad"));  // listed by its folder's name
  EXPECT_EQ(m.ListIndex(Control::course), good);
  // The chosen course breaks while the launcher runs: after the game it is
  // listed as it now is, and the SE Course is chosen.
  m.ClickControl(Control::launch);
  const std::optional<GameSetup> s = m.TakeGame();
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->course, good);
  EXPECT_EQ(s->coursefolder, Data() + "courses/good/");
  fs::remove(Data() + "courses/good/h1.hole");
  m.GameEnded();
  EXPECT_FALSE(m.courses()[static_cast<size_t>(good)].available);
  EXPECT_EQ(m.ListIndex(Control::course), 0);
  EXPECT_EQ(m.Handover().coursefolder, "");
}

TEST_F(CourseListTest, TrainingIgnoresTheCourseAndNewCoursesShowWhenTheStartPanelOpens) {
  Own("good", "Good");
  LauncherModel& m = Model();
  m.SpotClicked(0);
  m.Select(Control::course, Position("Good"));
  m.ClickControl(Control::FlatButton1);
  m.SpotClicked(1);  // training
  EXPECT_EQ(m.Handover().coursefolder, "");
  EXPECT_TRUE(m.Handover().training);
  m.ClickControl(Control::FlatButton1);
  Own("later", "Later");
  m.SpotClicked(0);
  EXPECT_EQ(Position("Later"), 2);
  EXPECT_EQ(m.ListItems(Control::course).size(), 3u);
  EXPECT_EQ(m.Handover().coursefolder, Data() + "courses/good/");
}

}  // namespace
}  // namespace gp
