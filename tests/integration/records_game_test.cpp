// Records and the unfinished game through the real game window, headless:
// recorded games played back with a records file and a kept game, resumed,
// and the records file damaged, locked or read-only (the game plays exactly
// the same, one message).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/game_window.h"
#include "app/kept_game.h"
#include "app/replay.h"
#include "app/replay_run.h"
#include "app/resume.h"
#include "base/keys.h"
#include "game/state.h"
#include "game/state_digest.h"
#include "platform/headless/headless_platform.h"
#include "records/records_fixture.h"
#include "support/temp_folder.h"
#include "tests/integration/game_driver.h"

namespace gp {
namespace {

using testing::GameDir;

Replay Recording(const std::string& name) {
  Replay r;
  std::string error;
  EXPECT_TRUE(
      ReadReplay(std::string(GALAPUTT_SOURCE_DIR) + "/tests/replays/" + name + ".replay", r, error))
      << error;
  return r;
}

// The recording up to frame `frames`: what a game left (or killed) then had.
Replay Cut(Replay r, int frames) {
  std::erase_if(r.events, [frames](const ReplayEvent& e) { return e.frame > frames; });
  std::erase_if(r.rates, [frames](const ReplayRate& e) { return e.frame > frames; });
  r.frames = frames;
  return r;
}

// The game played back; `state` is the digest of the state it ended in (the
// replay's own digest counts pixels too, and a record's line shows in them).
ReplayResult Play(const Replay& r, uint64_t* state = nullptr) {
  HeadlessPlatform platform;
  ReplayResult out = RunReplay(r, platform, GameDir());
  if (state) *state = StateDigest(gs());
  return out;
}

std::vector<std::string> RecordsMessages(const ReplayResult& r) {
  std::vector<std::string> out;
  for (const std::string& m : r.messages) {
    if (m.find("records") != std::string::npos) out.push_back(m);
  }
  return out;
}

class RecordsGame : public ::testing::Test {
 protected:
  void SetUp() override {
    SetRecordsFile(records());
    SetKeptGameFile(kept());
  }
  void TearDown() override {
    SetRecordsFile("");
    SetKeptGameFile("");
  }
  std::string records() const { return dir.Path("records.sqlite"); }
  std::string kept() const { return dir.Path("unfinished.replay"); }

  test::TempFolder dir;
};

TEST_F(RecordsGame, AWholeGameIsRecordedAndItsRecordsMarked) {
  const Replay r = Recording("se-course-1p");
  uint64_t firststate = 0, againstate = 0;
  const ReplayResult first = Play(r, &firststate);
  ASSERT_TRUE(first.gameover);
  EXPECT_TRUE(RecordsMessages(first).empty());
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM holes"), "6");
  EXPECT_EQ(test::Scalar(records(), "SELECT finished IS NOT NULL FROM games"), "1");
  EXPECT_EQ(test::Scalar(records(), "SELECT total FROM players"), "43");
  // A first game holds every record it set: the holes the ball dropped on
  // (two were over the stroke limit, nine strokes: no record) and the course.
  const RecordsView& v = gamerecords().view();
  EXPECT_TRUE(v.course[1]);
  int marked = 0;
  for (int j = 1; j <= 6; ++j) marked += v.hole[1][static_cast<size_t>(j)];
  EXPECT_EQ(marked, 3);
  EXPECT_EQ(v.line, "NEW HOLE RECORD");
  // The game reached its score details: nothing is kept to resume.
  EXPECT_FALSE(std::filesystem::exists(kept()));

  // The same game again ties every record: the first keeps them.
  Play(r, &againstate);
  EXPECT_EQ(againstate, firststate) << "records never change the game";
  EXPECT_FALSE(gamerecords().view().course[1]);
  EXPECT_EQ(gamerecords().view().line, "");
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM games"), "2");
}

TEST_F(RecordsGame, ComputerPlayersAreRecordedButTakeNoRecord) {
  SetKeptGameFile("");
  Replay r = Recording("se-course-1p");
  r.setup.computer[0] = kAce;
  Play(r);
  EXPECT_EQ(test::Scalar(records(), "SELECT computer FROM players"), "3");
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM holes"), "6");
  EXPECT_FALSE(gamerecords().view().course[1]);
  EXPECT_EQ(gamerecords().view().line, "");
  RecordsStore store;
  ASSERT_TRUE(store.Open(records(), {}));
  EXPECT_TRUE(store.HoleRecords(Who::kPeople).empty());
  EXPECT_EQ(store.HoleRecords(Who::kComputers).size(), 3u);
}

TEST_F(RecordsGame, TheLeftGameResumesWhereItWasAndPlaysOnTheSame) {
  const Replay whole = Recording("se-course-1p");
  SetRecordsFile("");
  SetKeptGameFile("");
  const ReplayResult reference = Play(whole);
  SetRecordsFile(records());
  SetKeptGameFile(kept());
  // The game left half way: kept after its last stroke, with what it holed.
  Play(Cut(whole, whole.frames / 2));
  Replay left;
  std::string why;
  ASSERT_TRUE(ReadKeptGame(kept(), left, why)) << why;
  EXPECT_LE(left.frames, whole.frames / 2);
  EXPECT_GE(left.hole, 2);
  const std::string holes = test::Scalar(records(), "SELECT COUNT(*) FROM holes");
  EXPECT_NE(holes, "0");

  HeadlessPlatform platform;
  platform.SetBaseDir(GameDir());
  ASSERT_TRUE(ResumeGameWindow(platform, left, why)) << why;
  EXPECT_TRUE(platform.messages().empty());
  EXPECT_EQ(gs().holenumber, left.hole);
  EXPECT_EQ(GameWindowFrames(), left.frames);
  // Then on live: the rest of the recording gives the recorded game.
  size_t event = 0, nextrate = 0;
  while (event < whole.events.size() && whole.events[event].frame <= left.frames) ++event;
  int rate = RateAt(whole, left.frames, nextrate, 60);
  for (int f = left.frames + 1; f <= whole.frames && GameWindowOpen(); ++f) {
    for (; event < whole.events.size() && whole.events[event].frame <= f; ++event) {
      DispatchInput(whole.events[event].ev);
    }
    gamewin().timer.rate = rate = RateAt(whole, f, nextrate, rate);
    TickGameWindow();
  }
  ASSERT_TRUE(gs().gameover);
  std::string strokes;
  for (int h = 1; h <= 6; ++h) strokes += std::to_string(gs().players[1].holestrokes[h]) + " ";
  std::string want;
  for (const ReplayHole& h : reference.holes) want += std::to_string(h.strokes[0]) + " ";
  EXPECT_EQ(strokes, want);
  CloseGameWindow();
  // One game in the records, finished, each result once; nothing left to resume.
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM games"), "1");
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM holes"), "6");
  EXPECT_EQ(test::Scalar(records(), "SELECT finished IS NOT NULL FROM games"), "1");
  EXPECT_FALSE(std::filesystem::exists(kept()));
}

TEST_F(RecordsGame, AKeptGameThatNoLongerPlaysBackIsNeverHalfResumed) {
  const Replay whole = Recording("se-course-1p");
  Play(Cut(whole, whole.frames / 3));
  Replay left;
  std::string why;
  ASSERT_TRUE(ReadKeptGame(kept(), left, why)) << why;
  const std::string before = test::Scalar(records(), "SELECT COUNT(*) FROM holes");

  // Played differently (as holes that have changed would play): refused, closed.
  Replay changed = left;
  for (ReplayEvent& e : changed.events) {
    if (e.ev.type == InputEvent::Type::ButtonUp) e.ev.x += 9;
  }
  HeadlessPlatform platform;
  platform.SetBaseDir(GameDir());
  EXPECT_FALSE(ResumeGameWindow(platform, changed, why));
  EXPECT_NE(why.find("no longer plays back"), std::string::npos) << why;
  EXPECT_FALSE(GameWindowOpen());
  EXPECT_TRUE(platform.messages().empty()) << "the caller tells the player, once";
  // Holes that are not there any more.
  Replay gone = left;
  gone.firsthole = "nosuchhole";
  EXPECT_FALSE(ResumeGameWindow(platform, gone, why));
  EXPECT_NE(why.find("nosuchhole"), std::string::npos) << why;
  EXPECT_FALSE(GameWindowOpen());
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM holes"), before);
  EXPECT_TRUE(std::filesystem::exists(kept())) << "kept until set aside";

  // Damaged bytes: not read; set aside with a message naming where it went.
  std::string text;
  {
    std::ifstream in(kept(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
  }
  text.replace(text.size() / 2, 12, "\x01garbage\x02!!!");
  std::ofstream(kept(), std::ios::binary) << text;
  EXPECT_FALSE(ReadKeptGame(kept(), left, why));
  EXPECT_NE(why, "");
  const std::string told = SetKeptGameAside(kept(), 0, why);
  EXPECT_NE(told.find("unfinished.replay.bad"), std::string::npos) << told;
  EXPECT_FALSE(std::filesystem::exists(kept()));
  EXPECT_TRUE(std::filesystem::exists(kept() + ".bad"));
  // No kept game is no reason.
  EXPECT_FALSE(ReadKeptGame(kept(), left, why));
  EXPECT_EQ(why, "");
}

TEST_F(RecordsGame, DamagedOrLockedRecordsLeaveTheGameAsItIsWithOneMessage) {
  const Replay r = Recording("se-course-1p");
  SetRecordsFile("");
  SetKeptGameFile("");
  uint64_t reference = 0, state = 0;
  Play(r, &reference);
  SetRecordsFile(records());

  std::ofstream(records(), std::ios::binary) << "not a database at all" << std::string(3000, '!');
  const ReplayResult damaged = Play(r, &state);
  EXPECT_EQ(state, reference);
  ASSERT_EQ(RecordsMessages(damaged).size(), 1u);
  EXPECT_NE(RecordsMessages(damaged)[0].find("records.sqlite.bad"), std::string::npos);
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM holes"), "6") << "begun anew";

  sql::Database other(records(), sql::Database::Access::ReadWrite);
  other.Exec("BEGIN EXCLUSIVE");
  const ReplayResult locked = Play(r, &state);
  other.Exec("ROLLBACK");
  EXPECT_EQ(state, reference);
  EXPECT_EQ(RecordsMessages(locked).size(), 1u);
  EXPECT_EQ(test::Scalar(records(), "SELECT COUNT(*) FROM games"), "1");
}

// As a user who may only read the records (root is made "nobody" for it).
TEST_F(RecordsGame, ReadOnlyRecordsLeaveTheGameAsItIsWithOneMessage) {
  const Replay r = Recording("se-course-1p");
  SetRecordsFile("");
  SetKeptGameFile("");
  uint64_t reference = 0;
  Play(r, &reference);
  SetRecordsFile(records());
  Play(Cut(r, 100));  // makes the file
  ASSERT_EQ(::chmod(records().c_str(), 0444), 0);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) _exit(10);
    uint64_t state = 0;
    const ReplayResult readonly = Play(r, &state);
    if (state != reference) _exit(11);
    if (RecordsMessages(readonly).size() != 1) _exit(12);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ::chmod(dir.path().c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "failed check " << WEXITSTATUS(status);
}

TEST_F(RecordsGame, F2ShowsTheRecordsOfTheHoleAndTheCourse) {
  SetKeptGameFile("");
  Play(Recording("se-course-1p"));
  testing::GameDriver game;
  ASSERT_TRUE(game.Open(GameSetup{}));
  game.ClickAway();  // the hole card
  ASSERT_EQ(gs().gamestate, kPlay);
  InputEvent key;
  key.type = InputEvent::Type::KeyDown;
  key.key = kKeyF2;
  DispatchInput(key);
  EXPECT_EQ(gs().gamestate, kRecordsPage);
  const std::vector<std::string>& page = gamerecords().view().page;
  ASSERT_GE(page.size(), 5u);
  EXPECT_EQ(page[0], "HOLE 1 - COURSE1HOLE1 - PAR 2");
  EXPECT_NE(page[1].find("NO RECORD YET"), std::string::npos) << "nine strokes, over the limit";
  EXPECT_EQ(page[3], "SE COURSE");
  EXPECT_NE(page[4].find("BEST TOTAL"), std::string::npos);
  EXPECT_NE(page[4].find("43"), std::string::npos);
  game.Frame();
  // Any key goes back to play, as from the other pages.
  key.key = kKeySpace;
  DispatchInput(key);
  EXPECT_EQ(gs().gamestate, kPlay);
}

}  // namespace
}  // namespace gp
