// The replay text format: what the recorder writes reads back the same, and
// damaged files are refused with the line that is wrong.
#include "app/replay.h"
#include "app/frame_tick.h"
#include "base/frame_timer.h"
#include "app/replay_run.h"
#include "platform/headless/headless_platform.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/replay_run.h"
#include "platform/headless/headless_platform.h"

namespace gp {
namespace {

InputEvent Ev(InputEvent::Type t, int x = 0, int y = 0, MouseButton b = MouseButton::Left,
              int key = 0) {
  InputEvent e;
  e.type = t;
  e.x = x;
  e.y = y;
  e.button = b;
  e.key = key;
  return e;
}

TEST(ReplayFormat, RoundTripKeepsSetupEventsAndRates) {
  Replay r;
  r.seed = 987654321012ull;
  r.firsthole = "course3hole6";
  r.setup.numplayers = 3;
  r.setup.playername[1] = "Zoë 100% \t tab";  // bytes outside plain text survive
  r.setup.pull[2] = false;
  r.setup.easy[0] = true;
  r.setup.skin = "Nebula";
  r.setup.strokelimit = "7";
  r.setup.ballpicture[3].present = true;
  for (int i = 0; i < 256; ++i)
    r.setup.ballpicture[3].texels[static_cast<size_t>(i)] = 0x010203u * i;
  r.setup.computer = {kPerson, kAce, kPerson, kRookie};
  using T = InputEvent::Type;
  r.events = {{1, Ev(T::MouseMove, 10, 20)},
              {1, Ev(T::ButtonDown, 10, 20)},
              {5, Ev(T::ButtonUp, 11, 21, MouseButton::Right)},
              {6, Ev(T::DoubleClick, 3, 4)},
              {9, Ev(T::KeyDown, 0, 0, MouseButton::Left, 119)},
              {9, Ev(T::KeyUp, 0, 0, MouseButton::Left, 119)},
              {10, Ev(T::PointerLeave)},
              {11, Ev(T::PointerEnter)},
              {11, Ev(T::ScreenshotSaved)},
              {12, Ev(T::ScreenshotFailed)},
              {12, Ev(T::Quit)}};
  r.rates = {{3, 30}, {8, 60}};
  r.frames = 12;
  EXPECT_EQ(FormatEvent(r.events[8]), "11 screenshot saved");
  EXPECT_EQ(FormatEvent(r.events[9]), "12 screenshot failed");

  Replay back;
  std::string error;
  ASSERT_TRUE(ParseReplay(FormatReplay(r), back, error)) << error;
  EXPECT_EQ(back.seed, r.seed);
  EXPECT_EQ(back.firsthole, r.firsthole);
  EXPECT_EQ(back.setup.numplayers, 3);
  EXPECT_EQ(back.setup.playername, r.setup.playername);
  EXPECT_EQ(back.setup.pull, r.setup.pull);
  EXPECT_EQ(back.setup.easy, r.setup.easy);
  EXPECT_EQ(back.setup.skin, "Nebula");
  EXPECT_EQ(back.setup.strokelimit, "7");
  EXPECT_TRUE(back.setup.ballpicture[3].present);
  EXPECT_EQ(back.setup.ballpicture[3].texels, r.setup.ballpicture[3].texels);
  EXPECT_FALSE(back.setup.ballpicture[0].present);
  EXPECT_EQ(back.setup.computer, r.setup.computer);
  // People's players are not written, so people's games keep their bytes.
  EXPECT_EQ(FormatReplay(r).find("setup computer1"), std::string::npos);
  EXPECT_NE(FormatReplay(r).find("setup computer2 3\n"), std::string::npos);
  ASSERT_EQ(back.events.size(), r.events.size());
  for (size_t i = 0; i < r.events.size(); ++i) {
    EXPECT_EQ(back.events[i].ev.type, r.events[i].ev.type) << i;
    EXPECT_EQ(FormatEvent(back.events[i]), FormatEvent(r.events[i])) << i;
  }
  EXPECT_EQ(FormatEvent(r.events[6]), "10 leave");
  EXPECT_EQ(FormatEvent(r.events[7]), "11 enter");
  ASSERT_EQ(back.rates.size(), 2u);
  EXPECT_EQ(back.rates[0].frame, 3);
  EXPECT_EQ(back.rates[0].rate, 30);
  EXPECT_EQ(back.frames, 12);
}

TEST(ReplayFormat, ACourseOfOnesOwnIsWrittenAndTheSeCourseKeepsItsBytes) {
  Replay r;
  const std::string se = FormatReplay(r);
  EXPECT_EQ(se.find("coursefolder"), std::string::npos);
  r.setup.course = 2;
  r.setup.coursefolder = "/home/p/.local/share/galaputt/courses/My 100% Run/";
  const std::string own = FormatReplay(r);
  EXPECT_NE(own.find("setup coursefolder /home/p/.local/share/galaputt/courses/My 100%25 Run/\n"),
            std::string::npos);
  Replay back;
  std::string error;
  ASSERT_TRUE(ParseReplay(own, back, error)) << error;
  EXPECT_EQ(back.setup.coursefolder, r.setup.coursefolder);
  EXPECT_EQ(back.setup.course, 2);
}

TEST(ReplayFormat, ScriptStyleButtonsUseTheLastMove) {
  int px = 0, py = 0;
  ReplayEvent e;
  ASSERT_TRUE(ParseEventLine("4 move 100 200", px, py, e));
  ASSERT_TRUE(ParseEventLine("5 down left   # a comment", px, py, e));
  EXPECT_EQ(e.ev.type, InputEvent::Type::ButtonDown);
  EXPECT_EQ(e.ev.x, 100);
  EXPECT_EQ(e.ev.y, 200);
  ASSERT_TRUE(ParseEventLine("6 dblclick", px, py, e));
  EXPECT_EQ(e.ev.type, InputEvent::Type::DoubleClick);
  EXPECT_EQ(e.ev.button, MouseButton::Left);
  ASSERT_TRUE(ParseEventLine("7 up right 5 6", px, py, e));
  EXPECT_EQ(e.ev.button, MouseButton::Right);
  EXPECT_EQ(e.ev.x, 5);
}

TEST(ReplayFormat, BadFilesNameTheLine) {
  const std::string head = "galaputt replay 1\nseed 1\n";
  struct Case {
    std::string text, where;
  };
  const Case cases[] = {
      {"", "empty"},
      {"galaputt replay 2\n", "line 1"},
      {head + "setup numplayers x\n", "line 3"},
      {head + "setup nosuchfield 1\n", "line 3"},
      {head + "setup ball1 00FF\n", "line 3"},
      {head + "setup computer2 4\n", "line 3"},
      {head + "3 jump 1 2\n", "line 3"},
      {head + "3 move 1\n", "line 3"},
      {head + "3 leave 1 2\n", "line 3"},
      {head + "3 screenshot\n", "line 3"},
      {head + "3 screenshot maybe\n", "line 3"},
      {head + "-3 move 1 2\n", "line 3"},
      {head + "3 rate 0\n", "line 3"},
      {head + "end 5\n4 move 1 2\n", "line 4"},
      {head + "setup name1 bad%zz\n", "line 3"},
      {"galaputt replay 1\nseed 12x\n", "line 2"},
  };
  for (const Case& c : cases) {
    Replay r;
    std::string error;
    EXPECT_FALSE(ParseReplay(c.text, r, error)) << c.text;
    EXPECT_NE(error.find(c.where), std::string::npos) << error;
  }
}

// Files that are no replay at all: missing, a folder, a pipe nobody writes to,
// one over 16 MB; each refused at once with one line.
TEST(ReplayFormat, OnlyRegularFilesUpTo16MBAreRead) {
  const std::string dir = ::testing::TempDir() + "galaputt_replay_files/";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  ASSERT_EQ(mkfifo((dir + "pipe.replay").c_str(), 0600), 0);
  std::ofstream(dir + "big.replay") << "galaputt replay 1\n";
  std::filesystem::resize_file(dir + "big.replay", kMaxReplayBytes + 1);
  const std::pair<std::string, std::string> cases[] = {
      {dir + "missing.replay", "Cannot open file " + dir + "missing.replay"},
      {dir, "Cannot open file " + dir},
      {dir + "pipe.replay", "Cannot open file " + dir + "pipe.replay"},
      {dir + "big.replay", "File " + dir + "big.replay is larger than 16 MB"},
  };
  for (const auto& [path, message] : cases) {
    Replay r;
    std::string error;
    EXPECT_FALSE(ReadReplay(path, r, error)) << path;
    EXPECT_EQ(error, message);
  }
  std::filesystem::remove_all(dir);
}

// A frame after a long pause (a message box over the game) measures a rate the
// recording can hold and read back.
TEST(ReplayFormat, ARecordingAcrossALongPauseReadsBack) {
  const std::string file = test::TempPath("galaputt_pause.replay");
  {
    ReplayRecorder rec;
    ASSERT_TRUE(rec.Open(file, 1, "", GameSetup{}));
    rec.Tick(1, 60);
    rec.Tick(2, MeasuredRate(5000));
    rec.Tick(3, MeasuredRate(17));
  }
  Replay r;
  std::string error;
  ASSERT_TRUE(ReadReplay(file, r, error)) << error;
  ASSERT_EQ(r.rates.size(), 2u);
  EXPECT_EQ(r.rates[0].rate, 1);
  EXPECT_EQ(TimescaleForRate(r.rates[0].rate), TimescaleForRate(0));
}

TEST(ReplayFormat, ACutShortRecordingRunsToItsLastEvent) {
  Replay r;
  std::string error;
  ASSERT_TRUE(ParseReplay("galaputt replay 1\nseed 3\n2 move 1 1\n40 key 13\n", r, error)) << error;
  EXPECT_EQ(r.frames, 40);
}

TEST(ReplayRecorder, WritesHeaderEventsRateChangesAndEnd) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "galaputt_recorder_test.replay").string();
  {
    ReplayRecorder rec;
    GameSetup s;
    s.numplayers = 2;
    ASSERT_TRUE(rec.Open(path, 77, "training1", s));
    rec.Event(1, Ev(InputEvent::Type::MouseMove, 4, 5));
    rec.Tick(1, 60);  // unchanged: no line
    rec.Tick(2, 31);
    rec.Event(3, Ev(InputEvent::Type::KeyDown, 0, 0, MouseButton::Left, 27));
    rec.Tick(3, 31);
  }  // closing writes the end line
  Replay r;
  std::string error;
  ASSERT_TRUE(ReadReplay(path, r, error)) << error;
  EXPECT_EQ(r.seed, 77u);
  EXPECT_EQ(r.firsthole, "training1");
  EXPECT_EQ(r.setup.numplayers, 2);
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[1].ev.key, 27);
  ASSERT_EQ(r.rates.size(), 1u);
  EXPECT_EQ(r.rates[0].frame, 2);
  EXPECT_EQ(r.rates[0].rate, 31);
  EXPECT_EQ(r.frames, 3);
  std::filesystem::remove(path);
}

// Drawing straight into the platform's frame buffer or presenting by copy
// gives the same presented frames: the screen cleared after the loading
// picture, say, is always drawn over before the next present.
TEST(ReplayFrames, AreTheSameDrawnStraightIntoTheFrameBufferOrCopied) {
  for (const char* name : {"se-course-1p", "keys-panel-2p"}) {
    SCOPED_TRACE(name);
    Replay r;
    std::string error;
    ASSERT_TRUE(ReadReplay(std::string(GALAPUTT_SOURCE_DIR) + "/tests/replays/" + name + ".replay",
                           r, error))
        << error;
    const std::string folder = std::string(GALAPUTT_GAME_DIR) + "/";
    HeadlessPlatform direct, copying;
    copying.SetDirectDrawing(false);
    const ReplayResult a = RunReplay(r, direct, folder);
    const ReplayResult b = RunReplay(r, copying, folder);
    ASSERT_TRUE(a.opened);
    EXPECT_GT(a.frames, 600);
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ(a.digest, b.digest);
    EXPECT_EQ(direct.frame(), copying.frame());
  }
}

}  // namespace
}  // namespace gp
