// The launcher's Records panel (the fifth spot) and the panel that offers the
// unfinished game before the start panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/launcher_model.h"
#include "launcher/main_menu.h"
#include "launcher/settings_files.h"
#include "records/records_store.h"

namespace gp {
namespace {

struct PanelsHost : LauncherHost {
  std::vector<int> played;
  void PlaySound(int p) override { played.push_back(p); }
  void LoopSound(int) override {}
  void StopSound(int) override {}
  void PanelTransition() override {}
};

class RecordsPanels : public ::testing::Test {
 protected:
  RecordsPanels()
      : settings(dir / "config" / "user.reg"), model(dir.path().string() + "/", settings, host) {
    model.Create();
    model.SetRecordsFile(dir / "records.sqlite");
    model.Show();
  }
  void Record(const std::string& uid, const std::string& course, const std::string& name,
              int computer, int strokes, bool finish) {
    RecordsStore store;
    ASSERT_TRUE(store.Open(dir / "records.sqlite", {}));
    RecordedGame g;
    g.uid = uid;
    g.started = "2024-05-01 10:00:00";
    g.course = course;
    g.players = {RecordedPlayer{name, computer}};
    HoleResult h;
    h.hole = course == "Training" ? "training1" : "course1hole1";
    h.par = 2;
    h.strokes = strokes;
    h.date = "2024-05-0" + std::to_string(strokes) + " 10:05:00";
    const std::vector<FinalResult> final = {FinalResult{1, strokes + 20, strokes + 2, 0}};
    ASSERT_TRUE(store.Write(g, {h}, finish ? &final : nullptr, "2024-05-01 11:00:00"));
  }

  test::TempFolder dir;
  PanelsHost host;
  SettingsStore settings;
  LauncherModel model;
};

TEST_F(RecordsPanels, TheFifthSpotShowsTheRecordsAndBack) {
  Record("a", "SE Course", "Ann", kPerson, 3, true);
  Record("b", "SE Course", "Rook", kRookie, 1, true);
  Record("c", "Training", "Bob", kPerson, 2, false);
  MainMenu menu;
  menu.Load(dir.path().string() + "/", model);  // the built-in spots
  int x = 0, y = 0;
  ASSERT_TRUE(menu.PointIn(4, x, y));
  menu.Move(x, y);
  menu.Down(x, y);
  menu.Up(x, y);
  ASSERT_EQ(model.panel(), Panel::Records);
  EXPECT_STREQ(PanelName(model.panel()), "records");
  const RecordsPanelData& r = model.records();
  ASSERT_EQ(r.courses.size(), 2u);
  EXPECT_EQ(r.courses[0].title, "SE Course");
  EXPECT_EQ(r.courses[1].title, "Training");
  // SE Course: the hole, Ann's record with the computer's better score beside
  // it, then the course; Training: Bob's hole, no finished round.
  ASSERT_EQ(r.courses[0].rows.size(), 2u);
  const RecordsRow& hole = r.courses[0].rows[0];
  EXPECT_EQ(hole.what, "course1hole1");
  EXPECT_EQ(hole.par, "2");
  EXPECT_EQ(hole.best, "3");
  EXPECT_EQ(hole.by, "Ann");
  EXPECT_EQ(hole.date, "2024-05-03");
  EXPECT_EQ(hole.computer, "1 Rookie");
  EXPECT_EQ(r.courses[0].rows[1].what, "Course");
  EXPECT_EQ(r.courses[0].rows[1].best, "23");
  EXPECT_EQ(r.courses[0].rows[1].computer, "21 Rookie");
  ASSERT_EQ(r.courses[1].rows.size(), 2u);
  EXPECT_EQ(r.courses[1].rows[0].by, "Bob");
  EXPECT_EQ(r.courses[1].rows[1].best, "-");
  ASSERT_EQ(r.players.size(), 3u);
  EXPECT_EQ(r.players[0].name, "Ann");
  EXPECT_EQ(r.players[0].average, "+1.00");
  EXPECT_EQ(r.players[1].name, "Rook (Rookie)");
  EXPECT_EQ(r.players[1].average, "-1.00");
  EXPECT_EQ(r.players[2].games, "0") << "a game left before its end";
  model.SelectRecordsTab(9);
  EXPECT_EQ(model.recordstab(), 2) << "the players' tab is the last";
  host.played.clear();
  model.ClickControl(Control::recordsback);
  EXPECT_EQ(model.panel(), Panel::MainMenu);
  EXPECT_EQ(host.played.front(), kMenuClick);
}

TEST_F(RecordsPanels, NoRecordsFileYetIsAnEmptyPanelAndNoFile) {
  model.SpotClicked(4);
  ASSERT_EQ(model.panel(), Panel::Records);
  EXPECT_EQ(model.records().notice, "");
  EXPECT_EQ(model.records().courses[0].rows.size(), 1u);
  EXPECT_EQ(model.records().courses[0].rows[0].best, "-");
  EXPECT_TRUE(model.records().players.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "records.sqlite"));
  // A damaged one is set aside, and the panel says so.
  model.ClickControl(Control::recordsback);
  test::WriteBytes(dir / "records.sqlite", "scribbles");
  model.SpotClicked(4);
  EXPECT_NE(model.records().notice.find("records.sqlite.bad"), std::string::npos);
  EXPECT_EQ(test::ReadBytes(dir / "records.sqlite.bad"), "scribbles");
}

TEST_F(RecordsPanels, AnUnfinishedGameIsOfferedBeforeTheStartPanel) {
  KeptGameInfo kept;
  kept.hole = 3;
  kept.names = {"Ann", "Bob"};
  model.SetKeptGame(kept);
  for (const int spot : {0, 1}) {
    SCOPED_TRACE(spot);
    model.SpotClicked(spot);
    ASSERT_EQ(model.panel(), Panel::Resume);
    EXPECT_EQ(model.ResumeQuestion(), "Resume the game left on hole 3?");
    EXPECT_EQ(model.ResumePlayers(), "Ann, Bob");
    EXPECT_EQ(model.Text(Control::resumebutton), "Resume");
    EXPECT_EQ(model.Text(Control::newgamebutton), "New Game");
    // "New Game": the start panel as the spot would have opened it.
    model.ClickControl(Control::newgamebutton);
    EXPECT_EQ(model.panel(), Panel::Start);
    EXPECT_EQ(model.training(), spot == 1);
    EXPECT_FALSE(model.ResumePending());
    model.ClickControl(Control::FlatButton1);
  }
  model.SpotClicked(0);
  model.ClickControl(Control::resumebutton);
  EXPECT_EQ(model.panel(), Panel::None);
  EXPECT_FALSE(model.GamePending());
  EXPECT_TRUE(model.TakeResume());
  EXPECT_FALSE(model.TakeResume());
  // Without a kept game the spots open the start panel at once.
  model.GameEnded();
  model.SetKeptGame(std::nullopt);
  model.SpotClicked(1);
  EXPECT_EQ(model.panel(), Panel::Start);
}

}  // namespace
}  // namespace gp
