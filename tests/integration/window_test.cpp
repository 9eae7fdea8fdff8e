// The game window's start-up on the headless platform: assets, skin, ball
// textures, failures, and leaving.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/game_loop.h"
#include "app/game_window.h"
#include "game/setup.h"
#include "game/sound.h"
#include "game/state.h"
#include "media/bitmap_codec.h"
#include "media/rgb565.h"
#include "platform/headless/headless_platform.h"
#include "sim/progression.h"
#include "tests/integration/game_driver.h"

namespace gp {
namespace {

namespace fs = std::filesystem;
using testing::GameDir;
using testing::MissingData;

// A scratch program folder that links the real data files.
class ScratchFolder {
 public:
  ScratchFolder() {
    dir_ = fs::temp_directory_path() / ("galaputt_window_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~ScratchFolder() { fs::remove_all(dir_); }
  std::string path() const { return dir_.string() + "/"; }
  void LinkGameData() {
    for (const auto& e : fs::directory_iterator(GameDir())) {
      if (e.is_regular_file()) fs::create_symlink(e.path(), dir_ / e.path().filename());
    }
  }
  void WriteBitmap(const std::string& rel, const Picture& pic) {
    fs::create_directories((dir_ / rel).parent_path());
    const auto bytes = EncodeBitmapFile(pic);
    std::ofstream(dir_ / rel, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

 private:
  fs::path dir_;
};

Picture Solid(int w, int h, uint32_t colour) {
  Picture p;
  p.width = w;
  p.height = h;
  p.pixels.assign(static_cast<size_t>(w) * h, colour);
  return p;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameState();
    setup() = GameSetup{};
  }
  void TearDown() override {
    if (GameWindowOpen()) CloseGameWindow();
  }
  bool Open(const std::string& folder, const std::string& hole = "course1hole1") {
    platform_.SetBaseDir(folder);
    return OpenGameWindow(platform_, GameStart{7, hole});
  }
  void Key(int key) {
    InputEvent ev;
    ev.type = InputEvent::Type::KeyDown;
    ev.key = key;
    platform_.Push(ev);
  }
  HeadlessPlatform platform_;
};

// After the message the window has closed: nothing is left frozen on screen.
void ExpectClosedAfter(const HeadlessPlatform& p, const std::string& message) {
  const std::vector<std::string> errors = testing::StartErrors(p);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], message);
  EXPECT_FALSE(GameWindowOpen());
  EXPECT_TRUE(gamewin().failed);
  EXPECT_FALSE(gamewin().timer.enabled);
  EXPECT_FALSE(gamewin().display.Running());
  EXPECT_FALSE(gamewin().mixer.Running());
}

// Opens course1hole1 from a copy of the game data whose `file` is removed, or
// replaced by `contents` when given.
bool OpenWithDamagedFile(HeadlessPlatform& p, ScratchFolder& folder, const char* file,
                         const char* contents) {
  ResetGameState();
  folder.LinkGameData();
  fs::remove(fs::path(folder.path()) / file);
  if (contents) std::ofstream(fs::path(folder.path()) / file) << contents;
  p.SetBaseDir(folder.path());
  return OpenGameWindow(p, GameStart{7, "course1hole1"});
}

TEST_F(WindowTest, EachMissingFileIsReportedAndClosesTheWindow) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty()) FAIL() << "data missing:" << m;
  for (const char* file : {"menu.dxg", "sound.dxw", "gui.dxg", "course1hole1.dxw",
                           "course1hole1.dxg", "course1hole1.hole"}) {
    SCOPED_TRACE(file);
    HeadlessPlatform p;
    ScratchFolder folder;
    EXPECT_FALSE(OpenWithDamagedFile(p, folder, file, nullptr));
    ExpectClosedAfter(p, "Cannot open file " + folder.path() + file);
  }
}

TEST_F(WindowTest, BrokenFilesAndAMissingHoleCloseTheWindow) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty()) FAIL() << "data missing:" << m;
  for (const char* file : {"gui.dxg", "sound.dxw", "course1hole1.dxg", "course1hole1.dxw"}) {
    SCOPED_TRACE(file);
    HeadlessPlatform p;
    ScratchFolder folder;
    EXPECT_FALSE(OpenWithDamagedFile(p, folder, file, "not a list"));
    ASSERT_EQ(testing::StartErrors(p).size(), 1u);
    EXPECT_FALSE(GameWindowOpen());
    EXPECT_TRUE(gamewin().failed);
  }
  // --play with a hole that does not exist.
  ResetGameState();
  HeadlessPlatform p;
  p.SetBaseDir(GameDir());
  EXPECT_FALSE(OpenGameWindow(p, GameStart{7, "nosuchhole"}));
  ExpectClosedAfter(p, "Cannot open file " + GameDir() + "nosuchhole.dxw");
  EXPECT_FALSE(RunGameWindow(p, GameStart{7, "nosuchhole"}));  // the exit code is 1
}

TEST_F(WindowTest, NextHoleThatCannotBeLoadedClosesTheWindow) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty()) FAIL() << "data missing:" << m;
  ASSERT_TRUE(Open(GameDir()));
  ASSERT_TRUE(testing::StartErrors(platform_).empty());
  GameState& g = gs();
  // The last ball is in and the result has faded; the cup names no hole we have.
  g.nexthole = "nosuchhole";
  g.gamestate = kHoleFinished;
  g.bigmessagefade = 0;
  platform_.Advance(17);
  EXPECT_FALSE(PumpGameWindow(platform_));
  ExpectClosedAfter(platform_, "Cannot open file " + GameDir() + "nosuchhole.dxw");
}

// A platform whose clock runs while the game window waits, so that the real
// loop (RunGameWindow) goes on by itself; `each_wait` may change the game.
class ClockedPlatform : public HeadlessPlatform {
 public:
  void Wait(uint32_t ms) override {
    Advance(ms > 0 ? ms : 1);
    if (each_wait) each_wait();
  }
  std::function<void()> each_wait;
};

TEST_F(WindowTest, PlayEndsWithAFailureWhenTheNextHoleCannotBeLoaded) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty()) FAIL() << "data missing:" << m;
  ClockedPlatform p;
  p.SetBaseDir(GameDir());
  p.each_wait = [] {
    GameState& g = gs();
    if (g.gamestate != kHoleCard) return;
    g.nexthole = "nosuchhole";
    g.gamestate = kHoleFinished;
    g.bigmessagefade = 0;
  };
  EXPECT_FALSE(RunGameWindow(p, GameStart{7, "course1hole1"}));
  ExpectClosedAfter(p, "Cannot open file " + GameDir() + "nosuchhole.dxw");
  // A game left normally is no failure.
  ResetGameState();
  ClockedPlatform q;
  q.SetBaseDir(GameDir());
  q.each_wait = [] { gs().leaverequest = true; };
  EXPECT_TRUE(RunGameWindow(q, GameStart{7, "course1hole1"}));
  EXPECT_FALSE(gamewin().failed);
}

TEST_F(WindowTest, UnreadableSkinPicturesKeepTheDefaults) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty()) FAIL() << "data missing:" << m;
  ScratchFolder folder;
  folder.LinkGameData();
  folder.WriteBitmap("skins/Broken/panel.bmp", Solid(40, 30, 0x00FF00));
  folder.WriteBitmap("skins/Broken/target.bmp", Solid(5, 7, 0x0000FF));
  const std::string panel = folder.path() + "skins/Broken/panel.bmp";
  fs::resize_file(panel, fs::file_size(panel) / 2);  // truncated
  std::ofstream(folder.path() + "skins/Broken/gauge.bmp") << "garbage, not a bitmap";
  setup().skin = "Broken";
  ImageList reference;
  LoadImageList(reference, GameDir() + "gui.dxg", false);
  ::testing::internal::CaptureStderr();
  const bool opened = Open(folder.path());
  const std::string err = ::testing::internal::GetCapturedStderr();
  ASSERT_TRUE(opened);
  EXPECT_TRUE(testing::StartErrors(platform_).empty());
  EXPECT_TRUE(gamewin().timer.enabled);
  const ImageList& gui = gamewin().gui;
  EXPECT_EQ(gui.Item(1)->picture.pixels, reference.Item(1)->picture.pixels);  // panel
  EXPECT_EQ(gui.Item(5)->picture.pixels, reference.Item(5)->picture.pixels);  // gauge
  EXPECT_EQ(gui.Item(6)->picture.width, 5);  // the good target is used
  // Each unreadable picture is named once.
  for (const char* name : {"skins/Broken/panel.bmp", "skins/Broken/gauge.bmp"}) {
    const std::string path = folder.path() + name;
    const size_t at = err.find(path);
    EXPECT_NE(at, std::string::npos) << err;
    EXPECT_EQ(err.find(path, at + 1), std::string::npos) << err;
  }
  EXPECT_EQ(err.find("target.bmp"), std::string::npos) << err;
}

TEST_F(WindowTest, StartsFromTheRecord) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty())
    FAIL() << "data missing:" << m;
  GameSetup& s = setup();
  s.displaywidth = 512;
  s.displayheight = 384;
  s.numplayers = 3;
  s.playername[3] = "Dora";
  s.pull[1] = false;
  s.easy[2] = true;
  s.bgsoundon = false;
  s.frameinterval = 33;
  s.ballpicture[1].present = true;
  s.ballpicture[1].texels.fill(0x0000FF);  // red
  ASSERT_TRUE(Open(GameDir()));
  ASSERT_TRUE(testing::StartErrors(platform_).empty()) << testing::StartErrors(platform_)[0];
  const GameWindow& w = gamewin();
  const GameState& g = gs();
  EXPECT_EQ(w.display.SurfaceWidth(), 512);
  EXPECT_EQ(w.display.SurfaceHeight(), 384);
  EXPECT_EQ(w.timer.interval, 33);
  EXPECT_TRUE(w.timer.enabled);  // the hole set-up started it
  EXPECT_EQ(g.numplayers, 3);
  EXPECT_EQ(g.players[4].name, "Dora");  // copied, though player 4 does not play
  EXPECT_FALSE(g.players[2].pull);
  EXPECT_TRUE(g.players[3].easy);
  EXPECT_FALSE(g.bgsoundon);
  EXPECT_EQ(g.holename, "course1hole1");
  EXPECT_EQ(g.holenumber, 1);
  EXPECT_EQ(g.timescale, 1);
  // Player 2's ball texture in display pixels; the others keep the list's.
  const ImageItem* ball = w.gui.Item(12);
  ASSERT_NE(ball, nullptr);
  ASSERT_EQ(ball->native.size(), 256u);
  EXPECT_EQ(ball->native[0], ToNative(0x0000FF));
  EXPECT_EQ(ball->native[255], ToNative(0x0000FF));
  for (const Floater& f : g.floaters) {
    EXPECT_GE(f.x, 0);
    EXPECT_LT(f.x, 512);
    EXPECT_GE(f.y, 0);
    EXPECT_LT(f.y, 384);
    EXPECT_GE(f.image, 5);
    EXPECT_LE(f.image, 7);
  }
}

TEST_F(WindowTest, SkinWithOnlyAPointerChangesOnlyThePointer) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty())
    FAIL() << "data missing:" << m;
  ScratchFolder folder;
  folder.LinkGameData();
  folder.WriteBitmap("skins/Mine/pointer.bmp", Solid(5, 7, 0x00FF00));
  setup().skin = "Mine";
  ImageList reference;
  LoadImageList(reference, GameDir() + "gui.dxg", false);
  ASSERT_TRUE(Open(folder.path()));
  ASSERT_TRUE(testing::StartErrors(platform_).empty()) << testing::StartErrors(platform_)[0];
  const ImageList& gui = gamewin().gui;
  EXPECT_EQ(gui.Item(0)->picture.width, 5);
  EXPECT_EQ(gui.Item(0)->picture.height, 7);
  EXPECT_EQ(gui.Item(0)->picture.at(2, 3), 0x00FF00u);
  for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 18}) {
    EXPECT_EQ(gui.Item(i)->picture.pixels, reference.Item(i)->picture.pixels) << "item " << i;
  }
}

TEST_F(WindowTest, DefaultInterfaceReplacesNothing) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty())
    FAIL() << "data missing:" << m;
  ImageList reference;
  LoadImageList(reference, GameDir() + "gui.dxg", false);
  ASSERT_TRUE(Open(GameDir()));
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 18}) {
    EXPECT_EQ(gamewin().gui.Item(i)->picture.pixels, reference.Item(i)->picture.pixels);
  }
}

TEST_F(WindowTest, PlayOnALaterHoleNumbersItByItsPlace) {
  const std::vector<std::pair<std::string, int>> places{
      {"course1hole1", 1}, {"course2hole1", 2}, {"course1hole3", 3}, {"course1hole4", 4},
      {"course5hole1", 4}, {"course2hole9", 5}, {"course3hole6", 6}};
  for (const auto& [hole, place] : places) {
    SCOPED_TRACE(hole);
    if (const auto m = MissingData({hole}); !m.empty()) FAIL() << "data missing:" << m;
    ResetGameState();
    ASSERT_TRUE(Open(GameDir(), hole));
    const GameState& g = gs();
    EXPECT_EQ(g.holename, hole);
    EXPECT_EQ(g.holenumber, place);
    EXPECT_EQ(g.holepar[place], g.par);
    EXPECT_EQ(g.totalpar, g.par);  // only the holes played count
    CloseGameWindow();
  }
  // A hole outside the course's first six: hole 1, as before.
  ResetGameState();
  setup().training = true;
  ASSERT_TRUE(Open(GameDir(), "course1hole3"));
  EXPECT_EQ(gs().holenumber, 1);
}

}  // namespace
}  // namespace gp

namespace gp {
namespace {

class NoDisplayPlatform : public HeadlessPlatform {
 public:
  bool OpenDisplay(int, int, bool) override { return false; }
};

TEST(WindowFailures, DisplayModeThatCannotBeSetIsReported) {
  ResetGameState();
  setup() = GameSetup{};
  setup().displaywidth = 800;
  setup().displayheight = 600;
  NoDisplayPlatform p;
  p.SetBaseDir(GameDir());
  EXPECT_FALSE(OpenGameWindow(p, GameStart{1, "course1hole1"}));
  ASSERT_FALSE(p.messages().empty());
  EXPECT_EQ(p.messages().back(), "Display mode cannot be changed (800x600 16bit)");
  EXPECT_FALSE(GameWindowOpen());
  EXPECT_FALSE(gamewin().timer.enabled);
}

TEST(WindowFailures, SilentWhenTheSoundDeviceFails) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty())
    FAIL() << "data missing:" << m;
  ResetGameState();
  setup() = GameSetup{};
  HeadlessPlatform p;
  p.SetAudioFails(true);
  p.SetBaseDir(GameDir());
  ASSERT_TRUE(OpenGameWindow(p, GameStart{1, "course1hole1"}));
  ASSERT_EQ(p.messages().size(), 1u);
  EXPECT_NE(p.messages()[0].find("cannot be made"), std::string::npos);
  GameWindow& w = gamewin();
  EXPECT_FALSE(w.mixer.Running());
  EXPECT_TRUE(w.timer.enabled);  // the game goes on
  PlaySound(5);                    // ignored, not a crash
  ASSERT_NE(w.sounds.Item(5), nullptr);
  EXPECT_EQ(w.mixer.PlayingCount(*w.sounds.Item(5)), 0);
  CloseGameWindow();
}

TEST(WindowFailures, SoundRequestsReachTheMixerAndBadIndicesAreIgnored) {
  if (const auto m = MissingData({"course1hole1"}); !m.empty())
    FAIL() << "data missing:" << m;
  ResetGameState();
  setup() = GameSetup{};
  HeadlessPlatform p;
  p.SetBaseDir(GameDir());
  ASSERT_TRUE(OpenGameWindow(p, GameStart{1, "course1hole1"}));
  GameWindow& w = gamewin();
  ASSERT_TRUE(w.mixer.Running());
  PlaySound(5);
  EXPECT_EQ(w.mixer.PlayingCount(*w.sounds.Item(5)), 1);
  RequestSound(SoundList::Effects, 5, SoundOp::Stop);
  EXPECT_EQ(w.mixer.PlayingCount(*w.sounds.Item(5)), 0);
  RequestSound(SoundList::Effects, w.sounds.Count(), SoundOp::Play);
  RequestSound(SoundList::Background, -1, SoundOp::SetVolume, -500);
  RequestSound(SoundList::Background, 999, SoundOp::Play);
  CloseGameWindow();
  EXPECT_FALSE(w.mixer.Running());
  PlaySound(5);  // after leaving: nowhere to go
}

}  // namespace
}  // namespace gp
