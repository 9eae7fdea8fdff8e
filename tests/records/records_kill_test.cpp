// Games killed with SIGKILL at random moments: the lab's bot plays whole games
// into one records file and keeps its unfinished game, and is killed while it
// plays. Every time the records file passes integrity_check and holds every
// hole result the game had up to its last stroke, and the kept game resumes
// to that stroke through the real game window.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/game_window.h"
#include "app/kept_game.h"
#include "app/resume.h"
#include "game/state.h"
#include "platform/headless/headless_platform.h"
#include "records/records_fixture.h"
#include "support/game_dir.h"
#include "support/temp_folder.h"

namespace gp {
namespace {

// Starts the bot on a whole game of two players; returns its process id.
pid_t StartBot(const test::TempFolder& dir, int seed) {
  const pid_t pid = fork();
  if (pid == 0) {
    const std::string lab = test::GameFile("galaputt-lab");
    const std::string s = std::to_string(seed);
    execl(lab.c_str(), lab.c_str(), "autoplay", "--out", dir.Path("bot.replay").c_str(),
          "--players", "2", "--seed", s.c_str(), "--botseed", s.c_str(), "--records",
          dir.Path("records.sqlite").c_str(), "--unfinished", dir.Path("unfinished.replay").c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Waits (at most 30 s) until the kept game is on hole `hole` or later; true
// when the bot has ended first (and has been waited for).
bool WaitForKeptHole(const std::string& kept, int hole, pid_t bot) {
  for (int i = 0; i < 3000; ++i) {
    if (waitpid(bot, nullptr, WNOHANG) == bot) return true;
    Replay r;
    std::string why;
    if (ReadKeptGame(kept, r, why) && r.hole >= hole) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The results of game `uid` in the records file: "slot number hole strokes holed" each.
std::set<std::string> ResultsInFile(const std::string& file, const std::string& uid) {
  std::set<std::string> out;
  sql::Database db(file, sql::Database::Access::ReadWrite);
  sql::Statement st(db,
                    "SELECT h.slot, h.number, h.hole, h.strokes, h.holed FROM holes h "
                    "JOIN games g ON g.id = h.game WHERE g.uid = ?");
  st.BindAll(uid);
  while (st.Step()) {
    out.insert(st.Text(0) + " " + st.Text(1) + " " + st.Text(2) + " " + st.Text(3) + " " +
               st.Text(4));
  }
  return out;
}

TEST(KilledGames, LeaveWholeRecordsAndAGameThatResumes) {
  test::TempFolder dir;
  const std::string records = dir.Path("records.sqlite");
  std::mt19937 rng(22);
  int resumed = 0, withresults = 0;
  for (int kill = 0; kill < 12; ++kill) {
    SCOPED_TRACE("kill " + std::to_string(kill));
    std::filesystem::remove(dir.Path("unfinished.replay"));
    const pid_t bot = StartBot(dir, 100 + kill);
    ASSERT_GT(bot, 0);
    // A random moment on a hole from the first to the fifth, soon after the
    // kept game reached it: the bot plays a whole game in about a second, so
    // the moment is measured from the game's own progress, not the clock.
    const int delay = std::uniform_int_distribution<int>(0, 60)(rng);
    if (!WaitForKeptHole(dir.Path("unfinished.replay"), 1 + kill % 5, bot)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      ::kill(bot, SIGKILL);
      int status = 0;
      ASSERT_EQ(waitpid(bot, &status, 0), bot);
    }
    if (!std::filesystem::exists(records)) continue;  // killed before its first result
    // The next open rolls back a transaction the kill cut short.
    EXPECT_EQ(test::Scalar(records, "PRAGMA integrity_check"), "ok");
    Replay kept;
    std::string why;
    if (!ReadKeptGame(dir.Path("unfinished.replay"), kept, why)) {
      // No stroke yet, or the game ended and took its kept file with it.
      EXPECT_EQ(why, "") << "the kept file must always be a readable replay";
      continue;
    }
    // The kept game through the real game window, headless and recording
    // nothing: it plays back to its last stroke.
    HeadlessPlatform platform;
    platform.SetBaseDir(test::kGameDir);
    SetRecordsFile("");
    SetKeptGameFile("");
    ASSERT_TRUE(ResumeGameWindow(platform, kept, why)) << why;
    ++resumed;
    std::set<std::string> played;
    for (const HoleResult& r : gamerecords().results()) {
      played.insert(std::to_string(r.slot) + " " + std::to_string(r.number) + " " + r.hole + " " +
                    std::to_string(r.strokes) + " " + std::to_string(r.holed));
    }
    CloseGameWindow();
    const std::set<std::string> infile = ResultsInFile(records, kept.gameuid);
    for (const std::string& r : played) EXPECT_TRUE(infile.count(r)) << "missing result " << r;
    withresults += !played.empty();
  }
  // Most kills leave a game to resume, and those after a hole results to hold.
  EXPECT_GE(resumed, 8);
  EXPECT_GE(withresults, 4);
}

}  // namespace
}  // namespace gp
