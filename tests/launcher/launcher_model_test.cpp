// The launcher's model: first-run defaults, panel navigation and its sounds,
// the per-player table and its tab page, game-type presets, the ball texture
// sequence, skins, saving, and the setup handed to the game.
#include "launcher/launcher_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/main_menu.h"
#include "launcher/settings_files.h"
#include "media/bitmap_codec.h"

namespace gp {
namespace {

struct Host : LauncherHost {
  std::vector<int> played, looped, stopped;
  int transitions = 0;
  void PlaySound(int p) override { played.push_back(p); }
  void LoopSound(int p) override { looped.push_back(p); }
  void StopSound(int p) override { stopped.push_back(p); }
  void PanelTransition() override { ++transitions; }
};

// A 16 x 16 bitmap of one colour.
void WriteTexture(const std::filesystem::path& path, uint32_t colour) {
  Picture p;
  p.width = p.height = 16;
  p.pixels.assign(256, colour);
  const Bytes bytes = EncodeBitmapFile(p);
  test::WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* t : {"b.bmp", "c.bmp", "a.bmp"}) {
      WriteTexture(dir / "textures" / t, static_cast<uint32_t>(t[0]));
    }
    std::filesystem::create_directories(dir / "skins" / "Nebula");
    std::filesystem::create_directories(dir / "skins" / ".hidden");
  }
  LauncherModel& Model() {
    if (!model) {
      store = std::make_unique<SettingsStore>(dir / "config" / "user.reg");
      model = std::make_unique<LauncherModel>(dir.path().string() + "/", *store, host);
      model->Create();
      model->Show();
    }
    return *model;
  }
  // A fresh launcher on the same folder and hive: the next run of the program.
  LauncherModel& NextRun() {
    model.reset();
    store.reset();
    host = Host{};
    return Model();
  }
  std::string Hive() { return test::ReadBytes(dir / "config" / "user.reg"); }

  test::TempFolder dir;
  Host host;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<LauncherModel> model;
};

TEST_F(LauncherTest, FirstRunShowsTheDefaultsAndTheMainMenuWithItsLoop) {
  LauncherModel& m = Model();
  EXPECT_EQ(m.panel(), Panel::MainMenu);
  EXPECT_TRUE(m.Checked(Control::screen640));
  EXPECT_TRUE(m.Checked(Control::soundon) && m.Checked(Control::bgsounds));
  EXPECT_TRUE(m.Checked(Control::fastwrite) && m.Checked(Control::forceinterface));
  EXPECT_FALSE(m.Checked(Control::noflip) || m.Checked(Control::skipintro));
  for (Control c : {Control::frameskip, Control::players, Control::gametype, Control::course,
                    Control::startplayer, Control::nextplayer, Control::whencollide,
                    Control::scoring, Control::strokelimit, Control::skin}) {
    EXPECT_EQ(m.ListIndex(c), 0) << ControlName(c);
  }
  EXPECT_FALSE(m.Checked(Control::plus1) || m.Checked(Control::minus1));
  EXPECT_EQ(m.skins(), (std::vector<std::string>{"[default interface]", "Nebula"}));
  EXPECT_EQ(m.controls().player[3], "Player 4");
  EXPECT_EQ(host.looped, std::vector<int>{kMenuLoop});
  EXPECT_EQ(Hive(), "<missing>");  // nothing is written by looking
}

TEST_F(LauncherTest, PanelsChangeThroughTheTransitionWithItsSoundUnlessFlippingIsOff) {
  LauncherModel& m = Model();
  m.SpotClicked(2);
  EXPECT_EQ(m.panel(), Panel::Setup);
  EXPECT_EQ(host.transitions, 1);
  EXPECT_EQ(host.played, std::vector<int>{kMenuTransition});
  m.ClickControl(Control::noflip);  // press clicks; the change applies at once
  m.ClickControl(Control::OkButton1);
  EXPECT_EQ(m.panel(), Panel::MainMenu);
  EXPECT_EQ(host.transitions, 1);
  EXPECT_EQ(host.played, (std::vector<int>{kMenuTransition, kMenuClick, kMenuClick}));
  EXPECT_TRUE(m.written());

  // Sound off: no clicks, no transition sound; lists and forceinterface never click.
  m.SpotClicked(2);
  m.ClickControl(Control::soundoff);
  host.played.clear();
  m.ClickControl(Control::screen800);
  m.Select(Control::frameskip, 1);
  m.ClickControl(Control::forceinterface);
  EXPECT_TRUE(host.played.empty());
  EXPECT_TRUE(m.Checked(Control::screen800) && !m.Checked(Control::screen640));
}

TEST_F(LauncherTest, BackgroundSoundBoxStartsAndStopsTheLoop) {
  LauncherModel& m = Model();
  m.SpotClicked(2);
  host.looped.clear();
  m.ClickControl(Control::bgsounds);
  EXPECT_EQ(host.stopped, std::vector<int>{kMenuLoop});
  m.ClickControl(Control::bgsounds);
  EXPECT_EQ(host.looped, std::vector<int>{kMenuLoop});
  // Switching the sound off and on starts or stops nothing by itself.
  m.ClickControl(Control::soundoff);
  m.ClickControl(Control::soundon);
  EXPECT_EQ(host.looped.size(), 1u);
  EXPECT_EQ(host.stopped.size(), 1u);
  // With the sound off, ticking the box starts nothing.
  m.ClickControl(Control::soundoff);
  m.ClickControl(Control::bgsounds);
  m.ClickControl(Control::bgsounds);
  EXPECT_EQ(host.looped.size(), 1u);
}

TEST_F(LauncherTest, CroquetPresetsAndDefaultsKeepTheStrokeLimit) {
  LauncherModel& m = Model();
  m.SpotClicked(0);
  m.Select(Control::strokelimit, 2);
  m.Select(Control::gametype, 2);
  m.ClickControl(Control::showrules);
  EXPECT_EQ(m.panel(), Panel::Rules);
  EXPECT_EQ(m.ListIndex(Control::startplayer), 1);
  EXPECT_EQ(m.ListIndex(Control::nextplayer), 0);
  EXPECT_EQ(m.ListIndex(Control::whencollide), 1);
  EXPECT_EQ(m.ListIndex(Control::scoring), 1);
  EXPECT_TRUE(m.Checked(Control::plus1));
  EXPECT_FALSE(m.Checked(Control::minus1));
  EXPECT_EQ(m.ListIndex(Control::strokelimit), 2);

  m.Select(Control::whencollide, 0);
  m.ClickControl(Control::rulesok);
  EXPECT_EQ(m.Handover().whencollide, 0);  // the customised rule is handed over
  m.ClickControl(Control::showrules);
  m.ClickControl(Control::FlatButton4);  // "Defaults"
  EXPECT_EQ(m.ListIndex(Control::whencollide), 1);
  EXPECT_EQ(m.ListIndex(Control::strokelimit), 2);

  // Reselecting the same game type changes nothing; Hole Winner presets anew.
  m.Select(Control::whencollide, 0);
  m.Select(Control::gametype, 2);
  EXPECT_EQ(m.ListIndex(Control::whencollide), 0);
  m.Select(Control::gametype, 1);
  EXPECT_EQ(m.ListIndex(Control::nextplayer), 1);
  EXPECT_TRUE(m.Checked(Control::minus1));
  EXPECT_EQ(Hive(), "<missing>");  // the rules panel's Ok saves nothing
}

TEST_F(LauncherTest, TheTabPageShowsAndFeedsThePerPlayerTable) {
  LauncherModel& m = Model();
  m.SpotClicked(0);
  m.SelectTab(2);
  m.Type(Control::name, "Stella");
  m.SelectTab(0);
  EXPECT_EQ(m.nametext(), "Player 1");
  m.SelectTab(2);
  EXPECT_EQ(m.nametext(), "Stella");

  // Push on tab 2 by the mouse: only player 2 pushes.
  m.SelectTab(1);
  m.ClickControl(Control::pushputt);
  m.ClickControl(Control::easytarget);
  EXPECT_EQ(m.controls().pull, (std::array<bool, 4>{true, false, true, true}));
  EXPECT_EQ(m.controls().easy, (std::array<bool, 4>{false, true, false, false}));
  // Set without a mouse release, the radio does not reach the table.
  m.SelectTab(3);
  m.SetCheck(Control::pushputt, true);
  m.SetCheck(Control::pullputt, false);
  EXPECT_TRUE(m.controls().pull[3]);

  // Characters outside the Western code page become "?".
  m.Type(Control::name, "Zoë \xE2\x9C\x93");
  EXPECT_EQ(m.controls().player[3], "Zo\xEB ?");
}

// "Played by" belongs to the per-player table: each tab shows its own
// player's choice, the game gets all four, the next run shows them again.
TEST_F(LauncherTest, PlayedByFollowsTheTabAndIsHandedOverAndSaved) {
  LauncherModel& m = Model();
  m.SpotClicked(0);
  EXPECT_EQ(
      m.ListItems(Control::playedby),
      (std::vector<std::string>{"Person", "Computer: Rookie", "Computer: Pro", "Computer: Ace"}));
  EXPECT_EQ(m.ListIndex(Control::playedby), 0);
  m.SelectTab(1);
  m.Select(Control::playedby, 3);
  m.SelectTab(3);
  m.Select(Control::playedby, 1);
  m.SelectTab(2);
  m.Select(Control::playedby, -1);  // nothing selected: a person
  EXPECT_EQ(m.ListIndex(Control::playedby), -1);
  m.SelectTab(1);
  EXPECT_EQ(m.ListIndex(Control::playedby), 3);
  host.played.clear();
  m.Select(Control::playedby, 2);
  EXPECT_TRUE(host.played.empty());  // lists make no sound
  m.Select(Control::players, 3);
  m.ClickControl(Control::launch);
  ASSERT_TRUE(m.GamePending());
  EXPECT_EQ(m.TakeGame()->computer, (std::array<int, 4>{0, 2, 0, 1}));

  LauncherModel& again = NextRun();
  again.SpotClicked(0);
  again.SelectTab(3);
  EXPECT_EQ(again.ListIndex(Control::playedby), 1);
  EXPECT_EQ(again.Handover().computer, (std::array<int, 4>{0, 2, 0, 1}));
}

TEST_F(LauncherTest, ChangeBallGoesThroughTheTexturesInOrderForAnyTab) {
  LauncherModel& m = Model();
  m.SpotClicked(0);
  std::vector<std::string> shown;
  for (int press = 0; press < 5; ++press) {
    m.SelectTab(press % 4);
    host.played.clear();
    m.ClickControl(Control::tex_inc);
    EXPECT_EQ(host.played, std::vector<int>{kMenuClick});  // it clicks by itself, once
    shown.push_back(m.TabBall().file);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"b.bmp", "c.bmp", "a.bmp", "b.bmp", "c.bmp"}));
  EXPECT_EQ(m.PlayerBall(0).file, "c.bmp");  // the fifth press was on tab 1
  EXPECT_EQ(m.PlayerBall(3).file, "b.bmp");
  EXPECT_EQ(m.Handover().ballpicture[3].texels[0], static_cast<uint32_t>('b'));
}

TEST_F(LauncherTest, ChangeBallWithoutTexturesKeepsThePicture) {
  std::filesystem::remove_all(dir / "textures");
  LauncherModel& m = Model();
  m.SpotClicked(0);
  m.ClickControl(Control::tex_inc);
  EXPECT_EQ(m.TabBall().file, "builtin1");
}

TEST_F(LauncherTest, StartingSavesHidesAndHandsTheChoicesOver) {
  LauncherModel& m = Model();
  m.SpotClicked(1);  // training
  EXPECT_EQ(m.Text(Control::launch), "Start Training");
  EXPECT_FALSE(m.Visible(Control::course));
  m.Select(Control::players, 2);
  m.SpotClicked(0);  // not from the start panel: nothing happens
  EXPECT_EQ(m.panel(), Panel::Start);
  host.played.clear();
  m.ClickControl(Control::launch);
  EXPECT_EQ(host.played, (std::vector<int>{kMenuClick, kMenuClick}));
  EXPECT_EQ(m.panel(), Panel::None);
  ASSERT_TRUE(m.GamePending());
  const GameSetup s = *m.TakeGame();
  EXPECT_TRUE(s.training);
  EXPECT_EQ(s.numplayers, 3);
  EXPECT_EQ(s.strokelimit, "9");
  EXPECT_NE(Hive(), "<missing>");

  m.GameEnded();  // back to the main menu, not the start panel
  EXPECT_EQ(m.panel(), Panel::MainMenu);
  m.SpotClicked(0);
  EXPECT_EQ(m.Text(Control::launch), "Start Game");
  EXPECT_TRUE(m.Visible(Control::course));
}

TEST_F(LauncherTest, HandoverFollowsTheControls) {
  LauncherModel& m = Model();
  m.SpotClicked(2);
  m.ClickControl(Control::screen1024);
  m.Select(Control::frameskip, 1);
  m.ClickControl(Control::fastwrite);
  m.Select(Control::skin, 1);
  GameSetup s = m.Handover();
  EXPECT_EQ(s.displaywidth, 1024);
  EXPECT_EQ(s.frameinterval, 33);
  EXPECT_FALSE(s.fastwrites);
  EXPECT_EQ(s.skin, "Nebula");
  m.Select(Control::frameskip, 3);
  EXPECT_EQ(m.Handover().frameinterval, 0);  // "none"
  m.Select(Control::frameskip, 2);
  EXPECT_EQ(m.Handover().frameinterval, 66);

  // A name typed for player 3 is handed over although two play.
  m.SpotClicked(0);
  m.ClickControl(Control::FlatButton1);
  m.SpotClicked(0);
  m.Select(Control::players, 1);
  m.SelectTab(2);
  m.Type(Control::name, "Third");
  s = m.Handover();
  EXPECT_EQ(s.numplayers, 2);
  EXPECT_EQ(s.playername[2], "Third");
  EXPECT_TRUE(s.ballpicture[0].present);  // the built-in pictures are handed over too
}

TEST_F(LauncherTest, CancellingAndQuittingWriteNothing) {
  LauncherModel& m = Model();
  m.SpotClicked(0);
  m.Select(Control::players, 3);
  m.ClickControl(Control::FlatButton1);
  m.SpotClicked(3);
  m.ClickControl(Control::cancelButton1);
  EXPECT_EQ(m.panel(), Panel::MainMenu);
  m.SpotClicked(3);
  m.ClickControl(Control::quitbutton);
  EXPECT_TRUE(m.ExitRequested());
  EXPECT_EQ(Hive(), "<missing>");
}

TEST_F(LauncherTest, SettingsComeBackOnTheNextRunWithTheSkinMatchedWithoutCase) {
  LauncherModel& m = Model();
  m.SpotClicked(2);
  m.Select(Control::skin, 1);
  m.ClickControl(Control::skipintro);
  m.ClickControl(Control::OkButton1);
  std::filesystem::rename(dir / "skins" / "Nebula", dir / "skins" / "NEBULA");
  LauncherModel& again = NextRun();
  EXPECT_EQ(again.ListIndex(Control::skin), 1);
  EXPECT_TRUE(again.Checked(Control::skipintro));
  std::filesystem::remove_all(dir / "skins" / "NEBULA");
  EXPECT_EQ(NextRun().ListIndex(Control::skin), 0);  // removed: "[default interface]"
}

TEST_F(LauncherTest, HotSpotsClickOnEntryAndOpenOnlyWhereTheButtonWentDown) {
  LauncherModel& m = Model();
  MainMenu menu;
  menu.Load(dir.path().string() + "/", m);  // no pictures or spot files: the built-in spots
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  ASSERT_TRUE(menu.PointIn(1, x1, y1));
  ASSERT_TRUE(menu.PointIn(2, x2, y2));
  menu.Move(x1, y1);
  menu.Move(x2, y2);
  EXPECT_EQ(host.played, (std::vector<int>{kMenuClick, kMenuClick}));
  // Pressed on spot 2, released on spot 1: nothing opens.
  menu.Down(x2, y2);
  menu.Move(x1, y1);
  menu.Up(x1, y1);
  EXPECT_EQ(m.panel(), Panel::MainMenu);
  menu.Move(x2, y2);
  menu.Down(x2, y2);
  menu.Up(x2, y2);
  EXPECT_EQ(m.panel(), Panel::Setup);
  // Inside spot 0's box but outside its ellipse: no spot, so no click sound.
  host.played.clear();
  menu.Leave();
  menu.Move(88, 48);
  EXPECT_TRUE(host.played.empty());
}

}  // namespace
}  // namespace gp
