// Courses played whole: a player's own course, listed by the launcher from the
// data folder, handed over and played to its score details by solved lines;
// and `course check` passing on the SE Course, the training round and the
// Comet Reef.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/setup.h"
#include "game/state.h"
#include "launcher/launcher_model.h"
#include "launcher/settings_store.h"
#include "support/course_files.h"
#include "support/env_var.h"
#include "support/lab_run.h"
#include "support/temp_folder.h"
#include "tests/integration/game_driver.h"
#include "tools/lab/solve_game.h"

namespace gp {
namespace {

struct SilentHost : LauncherHost {
  void PlaySound(int) override {}
  void LoopSound(int) override {}
  void StopSound(int) override {}
  void PanelTransition() override {}
};

// The setup the launcher hands over for the course named `name`, chosen in its list.
GameSetup Chosen(const test::TempFolder& tmp, const std::string& name) {
  SettingsStore store(tmp / "config" / "user.reg");
  SilentHost host;
  LauncherModel m(testing::GameDir(), store, host, tmp.Path("data") + "/",
                  tmp.Path("cache") + "/galaputt/");
  m.Create();
  m.Show();
  m.SpotClicked(0);
  for (size_t i = 0; i < m.courses().size(); ++i) {
    if (m.courses()[i].name == name) m.Select(Control::course, static_cast<int>(i));
  }
  m.ClickControl(Control::launch);
  const std::optional<GameSetup> s = m.TakeGame();
  return s ? *s : GameSetup{};
}

TEST(OwnCourse, ListedHandedOverAndPlayedToItsScoreDetails) {
  test::TempFolder tmp;
  test::EnvVar cache("XDG_CACHE_HOME", tmp.Path("cache").c_str());
  const std::vector<std::string> holes{"trip1", "trip2", "trip3"};
  test::WriteEasyCourse(tmp / "data/courses/trip", "Day Trip", holes);
  const GameSetup s = Chosen(tmp, "Day Trip");
  ASSERT_EQ(s.coursefolder, tmp.Path("data/courses/trip") + "/");

  lab::SolveGame game;
  ASSERT_EQ(game.Open(testing::GameDir(), "", 1, s), "");
  GameState& g = gs();
  EXPECT_EQ(g.holecount, 3);
  int strokes = 0;
  for (int number = 1; number <= 3; ++number) {
    ASSERT_EQ(g.holename, holes[static_cast<size_t>(number - 1)]);
    ASSERT_EQ(g.holenumber, number);
    ai::SolveOptions o;
    o.checkaim = false;
    ai::Solution line;
    ASSERT_EQ(game.SolveAndPlay(o, &line), "") << "on " << g.holename;
    strokes += line.strokes;
    if (number < 3) {
      ASSERT_TRUE(game.NextHole()) << "no hole after " << g.holename;
    }
  }
  // The score details after the third hole, with the course's three pars.
  ASSERT_TRUE(g.gameover);
  EXPECT_EQ(g.gamestate, kScoreDetails);
  for (int h = 1; h <= kMaxHoles; ++h) EXPECT_EQ(g.holepar[h], h <= 3 ? 2 : 0) << h;
  EXPECT_EQ(g.totalpar, 6);
  EXPECT_EQ(g.players[1].total, strokes);
  EXPECT_EQ(g.players[1].holestrokes[4], 0);
}

// `course check` through the lab, as a designer runs it.
void ExpectCoursePasses(const std::string& path, const std::vector<std::string>& holes) {
  const test::LabOutput out = test::RunLab("course check " + path + " --budget 150");
  ::testing::Test::RecordProperty("report", out.text);
  EXPECT_EQ(out.status, 0) << out.text;
  EXPECT_NE(out.text.find("\"ok\":true"), std::string::npos) << out.text;
  for (const std::string& h : holes) {
    const size_t at = out.text.find("{\"name\":\"" + h + "\"");
    ASSERT_NE(at, std::string::npos) << h << " not checked: " << out.text;
    const std::string entry = out.text.substr(at, out.text.find('}', at) - at);
    EXPECT_NE(entry.find("\"solved\":true"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\"faircup\":true"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\"problems\":[]"), std::string::npos) << entry;
  }
}

TEST(CourseCheck, TheSeCoursePasses) {
  ExpectCoursePasses(testing::GameDir(),
                     {"course1hole1", "course2hole1", "course1hole3", "course1hole4",
                      "course2hole9", "course3hole6", "course5hole1", "course4hole4"});
}

TEST(CourseCheck, TheTrainingRoundPasses) {
  ExpectCoursePasses(testing::GameDir() + "training.ini",
                     {"training1", "course1hole2", "course2hole5", "course1hole5", "course3hole9",
                      "course4hole3"});
}

TEST(CourseCheck, TheCometReefPasses) {
  ExpectCoursePasses(
      testing::GameDir() + "courses/reef",
      {"reef1", "reef2", "reef3", "reef4", "reef5", "reef6", "reef7", "reef8", "reef9"});
}

}  // namespace
}  // namespace gp
