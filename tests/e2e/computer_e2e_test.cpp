// One person and three computers in a real window under Xvfb, the last hole
// of the course, to the score sheet: the person taps the ball by mouse until
// the stroke limit takes it out, the computers putt by themselves, a click on
// the final score sheet ends the game. The game's own recording, played back,
// says who struck what.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "x11_session.h"

namespace gp::e2e {
namespace {

// The game: the person against Ace, Pro and Rookie, with its recording.
std::vector<std::string> GameArgs(const std::string& replay) {
  return {kGameDir + "galaputt",
          "--play",
          "course3hole6",
          "--players",
          "4",
          "--computer",
          "2:ace",
          "--computer",
          "3:pro",
          "--computer",
          "4:rookie",
          "--windowed",
          "--seed",
          "1",
          "--record",
          replay};
}

TEST(ComputerE2E, OnePersonAndThreeComputersPlayToTheScoreSheet) {
  ASSERT_TRUE(std::filesystem::exists(kGameDir + "course3hole6.hole")) << "course3hole6 not built";
  const std::string stem = "/tmp/galaputt_computer_e2e_" + std::to_string(getpid());
  // Where the person's ball shows at its first turn, from the same game headless.
  FILE* f = std::fopen((stem + ".txt").c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("1 key 32\n", f);
  std::fclose(f);
  const std::string json = Shell(
      kGameDir + "galaputt-lab render --hole course3hole6 --players 4 --seed 1 --frames 240 " +
      "--script " + stem + ".txt --out " + stem + ".png");
  std::remove((stem + ".txt").c_str());
  std::remove((stem + ".png").c_str());
  const size_t players = json.find("\"players\"");
  ASSERT_NE(players, std::string::npos) << json;
  const int bx = JsonInt(json, "screenx", players), by = JsonInt(json, "screeny", players);
  ASSERT_GE(bx, 0);
  ASSERT_GE(by, 0);

  XServer server(3, "800x600x24");
  ASSERT_TRUE(server.ok()) << "Xvfb did not start on " << server.name();
  const std::string replay = stem + ".replay";
  Child game(GameArgs(replay), server.name());
  int wx = 0, wy = 0, ww = 0, wh = 0;
  ASSERT_TRUE(server.GameWindow(wx, wy, ww, wh)) << "no game window";
  const std::string ball = std::to_string(wx + bx) + " " + std::to_string(wy + by);

  // The person taps its ball, a short pull one way and then the other so that
  // it stays where it was, again and again: on the person's turn a stroke; on a
  // computer's the mouse is kept off its putt; the first click closes the hole
  // card and the one on the final score sheet ends the game.
  const auto start = std::chrono::steady_clock::now();
  int taps = 0;
  while (game.Running() && std::chrono::steady_clock::now() - start < std::chrono::seconds(420)) {
    const int dx = taps % 2 == 0 ? 12 : -12;
    server.Xdo("mousemove " + ball + " mousedown 1");
    Sleep(120);
    server.Xdo("mousemove " + std::to_string(wx + 320 + dx) + " " + std::to_string(wy + 240));
    Sleep(120);
    server.Xdo("mouseup 1");
    ++taps;
    game.Wait(900);  // the next tap as soon as the ball can have stopped, or the game ended
  }
  ASSERT_EQ(game.Wait(5000), 0) << "the game did not end by itself after " << taps << " taps";

  // Played back headless: the whole hole to the score sheet, the person out at
  // the stroke limit, each computer's ball in by its own strokes.
  const std::string back = Shell(kGameDir + "galaputt-lab replay " + replay);
  std::remove(replay.c_str());
  EXPECT_NE(back.find("\"gameover\":true"), std::string::npos) << back;
  const size_t strokes = back.find("\"name\":\"course3hole6\",\"strokes\":[");
  ASSERT_NE(strokes, std::string::npos) << back;
  int s[4] = {0, 0, 0, 0};
  ASSERT_EQ(std::sscanf(back.c_str() + back.find('[', strokes), "[%d,%d,%d,%d]", &s[0], &s[1],
                        &s[2], &s[3]),
            4)
      << back;
  std::printf("strokes: person %d, ace %d, pro %d, rookie %d (%d taps)\n", s[0], s[1], s[2], s[3],
              taps);
  EXPECT_EQ(s[0], 9);
  for (int p = 1; p < 4; ++p) {
    EXPECT_GE(s[p], 1);
    EXPECT_LE(s[p], 9);
  }
}

}  // namespace
}  // namespace gp::e2e
