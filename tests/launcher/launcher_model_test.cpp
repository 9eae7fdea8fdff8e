// The launcher's model: first-run defaults, panel navigation and its sounds,
// the per-player table and its tab page, game-type presets, the ball texture
// sequence, skins, saving, and the setup handed to the game.
#include "launcher/launcher_model.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "launcher/launcher_files.h"
#include "launcher/main_menu.h"
#include "launcher/settings_files.h"
#include "media/bitmap_codec.h"
#include "support/hostile_files.h"

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

TEST_F(LauncherTest, ClickedSpotIsNotLitWhenTheMenuShowsAgain) {
  LauncherModel& m = Model();
  MainMenu menu;
  menu.Load(dir.path().string() + "/", m);
  int x = 0, y = 0;
  ASSERT_TRUE(menu.PointIn(3, x, y));
  menu.Move(x, y);
  ASSERT_EQ(menu.image().HighlightSpot(), 3);
  menu.Down(x, y);
  menu.Up(x, y);
  ASSERT_EQ(m.panel(), Panel::Quit);
  EXPECT_EQ(menu.image().HighlightSpot(), -1);
  EXPECT_FALSE(menu.image().TakeDirty().empty());  // the lit area is painted plain
  m.ClickControl(Control::cancelButton1);
  ASSERT_EQ(m.panel(), Panel::MainMenu);
  EXPECT_EQ(menu.image().Shown().pixels, menu.image().Picture.pixels);
  // The next movement over the spot lights it again, without a second click sound.
  host.played.clear();
  menu.Move(x, y);
  EXPECT_EQ(menu.image().HighlightSpot(), 3);
  EXPECT_TRUE(host.played.empty());
}

TEST_F(LauncherTest, ResolutionGroupShowsTheButtonTheGameGets) {
  const std::string app = "HKEY_CURRENT_USER\\Software\\zorbel games\\Galaputt SE v1.1\\";
  auto saved = [&](std::vector<std::pair<const char*, int>> flags) {
    std::string text =
        "Windows Registry Editor Version 5.00\n[" + app + "RunOnce]\n\"RunOnce\"=dword:00000001\n";
    for (const auto& [name, on] : flags) {
      text += "[" + app + name + "]\n\"" + name + "\"=dword:0000000" + std::to_string(on) + "\n";
    }
    test::WriteBytes(dir / "config" / "user.reg", text);
    return &NextRun();
  };
  struct Case {
    std::vector<std::pair<const char*, int>> flags;
    Control shown;  // quitbutton: none of the three visible buttons
    int width;
  };
  const Case cases[] = {
      {{{"Screen 640", 1}, {"Screen 800", 1}}, Control::screen640, 640},
      {{{"Screen 1024", 1}, {"Screen 800", 1}}, Control::screen800, 800},
      {{{"Screen 1024", 1}}, Control::screen1024, 1024},
      {{}, Control::screen640, 640},  // none saved: 640 x 480, as the game gets
      {{{"Screen 512", 1}, {"Screen 800", 1}}, Control::quitbutton, 512},
  };
  for (const Case& c : cases) {
    LauncherModel& m = *saved(c.flags);
    int checked = 0;
    for (Control r : {Control::screen640, Control::screen800, Control::screen1024}) {
      checked += m.Checked(r);
      EXPECT_EQ(m.Checked(r), r == c.shown) << ControlName(r) << " for " << c.width;
    }
    EXPECT_LE(checked, 1);
    EXPECT_EQ(m.Handover().displaywidth, c.width);
  }
}

TEST_F(LauncherTest, SkinFoldersAreListedByTheirOwnModeAndShownInUtf8) {
  const std::filesystem::path locked = dir / "skins" / "Locked";
  std::filesystem::create_directories(locked);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  std::filesystem::create_directories(dir / "skins" / "Caf\xC3\xA9");
  LauncherModel& m = Model();
  // Read-only is left out even for root, who may write anywhere.
  EXPECT_EQ(m.skins(), (std::vector<std::string>{"[default interface]", "Caf\xC3\xA9", "Nebula"}));
  EXPECT_EQ(m.ShownItem(Control::skin, 1), "Caf\xC3\xA9");
  EXPECT_EQ(m.ShownItem(Control::frameskip, 3), "none");
  EXPECT_EQ(m.ShownItem(Control::skin, 3), "");
  m.SpotClicked(2);
  m.Select(Control::skin, 1);
  m.ClickControl(Control::OkButton1);
  EXPECT_EQ(m.Handover().skin, "Caf\xC3\xA9");  // the folder's name, byte for byte
  EXPECT_EQ(NextRun().ListIndex(Control::skin), 1);
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
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

// Spot files that would freeze the menu (a polygon of 20 000 corners) or never end
// (pipes in place of the files) leave the built-in spots; so does one over 16 MB.
TEST_F(LauncherTest, HostileSpotFilesLeaveTheBuiltInSpots) {
  LauncherModel& m = Model();
  const std::string folder = dir.path().string() + "/";
  const auto loaded = [&]() {
    MainMenu menu;
    menu.Load(folder, m);
    return menu.image().HotSpots;
  };
  dir.Write("menu.maskitems", {});  // no mask items
  dir.Write("menu.spots", test::ManyCornerSpots(20000));
  EXPECT_EQ(loaded(), LauncherSpots());
  const test::Bytes one = test::ManyCornerSpots(8);
  dir.Write("menu.spots", one);
  EXPECT_EQ(loaded().items.at(0).points.size(), 16u);  // a fair file is taken
  std::filesystem::resize_file(dir.Write("menu.maskitems", {}), kMaxLauncherFileBytes + 1);
  EXPECT_EQ(loaded(), LauncherSpots());
  std::filesystem::remove(dir.Path("menu.maskitems"));
  std::filesystem::remove(dir.Path("menu.spots"));
  ASSERT_EQ(mkfifo(dir.Path("menu.spots").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(dir.Path("mainmenu.bmp").c_str(), 0600), 0);
  EXPECT_EQ(loaded(), LauncherSpots());
  MainMenu menu;
  menu.Load(folder, m);
  EXPECT_EQ(menu.image().Picture.width, kMenuPictureW);  // the plain picture
}

}  // namespace
}  // namespace gp
