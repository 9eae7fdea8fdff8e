// The launcher in a real window under Xvfb, clicked and typed at with xdotool:
// the intro movies on a first run, the main menu and its panels, a game
// started with the chosen setup and left again, the settings kept for the next
// run, and the exit picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "x11_session.h"

namespace gp::e2e {
namespace {

// Canvas points of the launcher (a 640 x 480 window, the canvas at 1:1).
constexpr int kPanelX = 150, kPanelY = 177;
// A point on the main menu panel's margin, and one in the dark space of its picture.
constexpr int kMenuMarginX = kPanelX + 2, kMenuMarginY = kPanelY + 2;
constexpr int kMenuSpaceX = kPanelX + 58, kMenuSpaceY = kPanelY + 47;
// The main menu's spots (a point inside each, canvas pixels).
constexpr int kPlayX = kPanelX + 126, kPlayY = kPanelY + 89;
constexpr int kSetupX = kPanelX + 208, kSetupY = kPanelY + 87;
constexpr int kQuitX = kPanelX + 188, kQuitY = kPanelY + 107;
constexpr int kRecordsX = kPanelX + 322, kRecordsY = kPanelY + 93;

class LauncherE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    config = std::filesystem::temp_directory_path() /
             ("galaputt_launcher_e2e_" + std::to_string(getpid()));
    std::filesystem::remove_all(config);
    std::filesystem::create_directories(config);
  }
  void TearDown() override { std::filesystem::remove_all(config); }

  std::unique_ptr<Child> Start(const XServer& x) {
    return std::make_unique<Child>(
        std::vector<std::string>{kGameDir + "galaputt", "--windowed"}, x.name(),
        std::vector<std::pair<std::string, std::string>>{{"XDG_CONFIG_HOME", config.string()}});
  }
  std::string Hive() const {
    std::ifstream in(config / "galaputt" / "user.reg", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Clicks a canvas point of the launcher window at (wx, wy).
  static void At(const XServer& x, int wx, int wy, int cx, int cy) { x.Click(wx + cx, wy + cy); }
  // The main menu: the panel colour on its margin, space inside its picture.
  static bool MenuShows(const XServer& x, int wx, int wy) {
    const Shot s = x.Screenshot();
    return ColourDistance(s.at(wx + kMenuMarginX, wy + kMenuMarginY), 224, 216, 207) < 12 &&
           Brightness(s, wx + kMenuSpaceX, wy + kMenuSpaceY, 6) < 100;
  }

  std::filesystem::path config;
};

TEST_F(LauncherE2E, FirstRunIntroGameAndBackThenExit) {
  XServer x;
  ASSERT_TRUE(x.ok()) << "Xvfb did not start";
  auto game = Start(x);
  int wx = 0, wy = 0;
  ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
  // The logo plays after the 1.5 s wait: light in the middle of the window.
  Sleep(3000);
  const Shot logo = x.Screenshot();
  EXPECT_GT(Brightness(logo, wx + 320, wy + 240, 120), 4.0) << "no logo movie";
  // Then "intro.avi" (the logo lasts about 3 seconds).
  Sleep(3500);
  const Shot intro = x.Screenshot();
  EXPECT_GT(Brightness(intro, wx + 320, wy + 240, 200), 4.0) << "no intro movie";
  EXPECT_FALSE(MenuShows(x, wx, wy)) << "the intro should still be playing";
  x.Xdo("mousemove " + std::to_string(wx + 320) + " " + std::to_string(wy + 240));
  x.Key("space");  // skips both movies
  Sleep(1500);
  ASSERT_TRUE(MenuShows(x, wx, wy)) << "no main menu after the intro";

  // Two players, "Croquet Rules", then start.
  At(x, wx, wy, kPlayX, kPlayY);  // the "Play" planet
  Sleep(1500);
  At(x, wx, wy, kPanelX + 120, kPanelY + 18);  // "Players" list
  Sleep(300);
  At(x, wx, wy, kPanelX + 120, kPanelY + 28 + 21);  // its second item
  Sleep(300);
  At(x, wx, wy, kPanelX + 120, kPanelY + 42);  // "Game" list
  Sleep(300);
  At(x, wx, wy, kPanelX + 120, kPanelY + 52 + 35);  // its third item
  Sleep(300);
  At(x, wx, wy, kPanelX + 53, kPanelY + 123);  // "Start Game"
  int gx = 0, gy = 0;
  ASSERT_TRUE(x.WindowAt("^Galaputt Demo$", gx, gy)) << "no game window";
  Sleep(2000);
  EXPECT_NE(Hive().find("\"Players\"=dword:00000001"), std::string::npos) << Hive();
  EXPECT_NE(Hive().find("\"Game Type\"=dword:00000002"), std::string::npos);
  // Leave the game: ESC, then ENTER; the launcher's main menu comes back.
  x.Xdo("mousemove " + std::to_string(gx + 320) + " " + std::to_string(gy + 240));
  x.Key("Escape");
  Sleep(300);
  x.Key("Escape");  // the first key closes the hole card
  Sleep(300);
  x.Key("Return");
  Sleep(2500);
  ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
  EXPECT_TRUE(MenuShows(x, wx, wy)) << "the main menu did not come back";

  // "Quit", then "Exit": the exit picture until a click, then the end.
  At(x, wx, wy, kQuitX, kQuitY);  // the "Quit" spot
  Sleep(1500);
  At(x, wx, wy, kPanelX + 221, kPanelY + 78);  // "Exit"
  Sleep(1000);
  EXPECT_TRUE(game->Running()) << "the exit picture waits for a key or a click";
  EXPECT_GT(Brightness(x.Screenshot(), wx + 320, wy + 240, 200), 4.0) << "no exit picture";
  At(x, wx, wy, 320, 240);
  EXPECT_EQ(game->Wait(5000), 0);

  // The next run shows the same choices (the launcher model on the same hive).
  const std::string next = Shell(kGameDir + "galaputt-lab launcher --hive " +
                                 (config / "galaputt" / "user.reg").string());
  EXPECT_NE(next.find("\"players\":1,"), std::string::npos) << next;
  EXPECT_NE(next.find("\"gametype\":2,"), std::string::npos) << next;
}

TEST_F(LauncherE2E, SavedChoicesComeBackAndSkipTheIntro) {
  // A first run that saves "Skip Intro Movies" through the setup panel.
  {
    XServer x;
    ASSERT_TRUE(x.ok());
    auto game = Start(x);
    int wx = 0, wy = 0;
    ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
    Sleep(500);
    x.Key("Escape");  // during the wait: skips both movies once the wait is over
    Sleep(2500);
    ASSERT_TRUE(MenuShows(x, wx, wy));
    At(x, wx, wy, kSetupX, kSetupY);  // the "Setup" spot
    Sleep(1500);
    At(x, wx, wy, kPanelX + 14, kPanelY + 96);   // "Skip Intro Movies"
    At(x, wx, wy, kPanelX + 38, kPanelY + 123);  // "Ok"
    Sleep(1500);
    EXPECT_NE(Hive().find("\"Skip Intro\"=dword:00000001"), std::string::npos) << Hive();
  }
  // The next run goes straight to the main menu.
  XServer x;
  ASSERT_TRUE(x.ok());
  auto game = Start(x);
  int wx = 0, wy = 0;
  ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
  Sleep(1200);  // well before the logo could even start
  EXPECT_TRUE(MenuShows(x, wx, wy)) << "the intro played although it was skipped";

  // Alt+Enter: the whole screen; F11: a window again, still on the main menu.
  const auto width = [&x] {
    const std::string g = x.Xdo("search --onlyvisible --name 'Galaputt Demo LaunchPad' "
                                "getwindowgeometry --shell");
    const size_t at = g.find("WIDTH=");
    return at == std::string::npos ? -1 : std::atoi(g.c_str() + at + 6);
  };
  x.Key("alt+Return");
  for (int t = 0; t < 5000 && width() != 800; t += 100) Sleep(100);
  EXPECT_EQ(width(), 800);
  x.Key("F11");
  for (int t = 0; t < 5000 && width() != 640; t += 100) Sleep(100);
  ASSERT_EQ(width(), 640);
  ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
  bool menu = false;
  for (int t = 0; t < 3000 && !(menu = MenuShows(x, wx, wy)); t += 100) Sleep(100);
  EXPECT_TRUE(menu) << "the main menu did not come back in the window";
}

TEST_F(LauncherE2E, RecordsPanelAndTheGameLeftUnfinished) {
  // A game left after a few strokes, and its records, where the launcher finds
  // them (played by the lab's bot).
  const std::filesystem::path kept = config / "state" / "galaputt" / "unfinished.replay";
  const std::filesystem::path records = config / "data" / "galaputt" / "records.sqlite";
  Shell(kGameDir +
        "galaputt-lab autoplay --out /dev/null --players 2 --names Ann,Bob --strokes 6 " +
        "--unfinished " + kept.string() + " --records " + records.string() + " >/dev/null");
  ASSERT_TRUE(std::filesystem::exists(kept));
  XServer x;
  ASSERT_TRUE(x.ok());
  Child game({kGameDir + "galaputt", "--windowed"}, x.name(),
             {{"XDG_CONFIG_HOME", config.string()},
              {"XDG_STATE_HOME", (config / "state").string()},
              {"XDG_DATA_HOME", (config / "data").string()}});
  int wx = 0, wy = 0;
  ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
  Sleep(500);
  x.Key("Escape");  // no intro movies
  Sleep(2500);
  ASSERT_TRUE(MenuShows(x, wx, wy));
  // A panel over the menu: the panel colour where the menu shows space.
  const auto panel_shows = [&] {
    return ColourDistance(x.Screenshot().at(wx + kMenuSpaceX, wy + kMenuSpaceY + 40), 224, 216,
                          207) < 12;
  };
  At(x, wx, wy, kRecordsX, kRecordsY);  // the ringed planet
  Sleep(1500);
  EXPECT_TRUE(panel_shows()) << "no Records panel";
  At(x, wx, wy, kPanelX + 38, kPanelY + 123);  // "Back"
  Sleep(1500);
  EXPECT_TRUE(MenuShows(x, wx, wy)) << "Back did not lead to the main menu";

  // The planet offers the game left unfinished; "Resume" goes on with it.
  At(x, wx, wy, kPlayX, kPlayY);
  Sleep(1500);
  EXPECT_TRUE(panel_shows()) << "the unfinished game was not offered";
  At(x, wx, wy, kPanelX + 149, kPanelY + 82);  // "Resume"
  int gx = 0, gy = 0;
  ASSERT_TRUE(x.WindowAt("^Galaputt Demo$", gx, gy)) << "no game window";
  Sleep(2500);
  x.Xdo("mousemove " + std::to_string(gx + 320) + " " + std::to_string(gy + 240));
  x.Key("Escape");
  Sleep(300);
  x.Key("Return");  // left again: it stays kept
  ASSERT_TRUE(x.WindowAt("Galaputt Demo LaunchPad", wx, wy));
  Sleep(2500);
  EXPECT_TRUE(std::filesystem::exists(kept));
  // "New Game": the start panel, and the kept game goes when the new one starts.
  At(x, wx, wy, kPlayX, kPlayY);
  Sleep(1500);
  At(x, wx, wy, kPanelX + 221, kPanelY + 82);  // "New Game"
  Sleep(1500);
  EXPECT_TRUE(std::filesystem::exists(kept)) << "dropped before a new game started";
  At(x, wx, wy, kPanelX + 53, kPanelY + 123);  // "Start Game"
  ASSERT_TRUE(x.WindowAt("^Galaputt Demo$", gx, gy)) << "no game window";
  Sleep(1500);
  EXPECT_FALSE(std::filesystem::exists(kept));
}

TEST_F(LauncherE2E, NoScreenEndsWithTheMessage) {
  // An X display that does not exist: the launcher cannot set up its screen.
  const std::string out = Shell("DISPLAY=:1999 SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy " +
                                kGameDir + "galaputt 2>&1; echo \"exit=$?\"");
  EXPECT_NE(out.find("Requires DirectX 6.0 or later"), std::string::npos) << out;
  EXPECT_NE(out.find("exit=1"), std::string::npos) << out;
}

}  // namespace
}  // namespace gp::e2e
