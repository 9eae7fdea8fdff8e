// Whole games of the three skills against each other, ten seeds of the SE
// Course each, played by `galaputt-lab match` two at a time: the skills keep
// their order on average, Ace plays near par and Rookie well behind it, no
// computer is stopped by the stroke limit on more than one hole of a game; under
// Croquet Rules (balls collide) every game still ends and the soak's rules
// hold after every frame.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/integration/game_driver.h"

namespace gp {
namespace {

constexpr int kSeeds = 10;
constexpr int kSkills = 3;  // ace, pro, rookie: players 1, 2 and 3
constexpr int kStrokeLimit = 9;
constexpr int kCoursePar = 15;

struct Game {
  int status = -1;
  std::string text;
  std::vector<int> totals;
  std::vector<std::vector<int>> holes;  // strokes per hole, per player
  bool gameover = false;
};

// The integers of the JSON array after "key":[ from `at`; `at` moves past it.
std::vector<int> IntArray(const std::string& text, const std::string& key, size_t& at) {
  std::vector<int> out;
  at = text.find("\"" + key + "\":[", at);
  if (at == std::string::npos) return out;
  at += key.size() + 4;
  while (at < text.size() && text[at] != ']') {
    char* end = nullptr;
    out.push_back(static_cast<int>(std::strtol(text.c_str() + at, &end, 10)));
    at = static_cast<size_t>(end - text.c_str());
    if (text[at] == ',') ++at;
  }
  return out;
}

Game Parse(int status, const std::string& text) {
  Game g;
  g.status = status;
  g.text = text;
  size_t at = 0;
  for (std::vector<int> s = IntArray(text, "strokes", at); !s.empty();
       s = IntArray(text, "strokes", at)) {
    g.holes.push_back(s);
  }
  at = 0;
  g.totals = IntArray(text, "totals", at);
  g.gameover = text.find("\"gameover\":true") != std::string::npos;
  return g;
}

// Ten games, two running at once.
std::vector<Game> PlaySeeds(const std::string& rules) {
  std::vector<Game> games;
  for (int seed = 1; seed <= kSeeds; seed += 2) {
    FILE* pipes[2] = {nullptr, nullptr};
    for (int k = 0; k < 2; ++k) {
      const std::string cmd = testing::GameDir() + "galaputt-lab match --players ace,pro,rookie" +
                              " --seed " + std::to_string(seed + k) + " " + rules + " 2>&1";
      pipes[k] = popen(cmd.c_str(), "r");
    }
    for (FILE* p : pipes) {
      std::string text;
      char buf[4096];
      size_t n = 0;
      while (p && (n = fread(buf, 1, sizeof buf, p)) > 0) text.append(buf, n);
      const int st = p ? pclose(p) : -1;
      games.push_back(Parse(WIFEXITED(st) ? WEXITSTATUS(st) : -1, text));
    }
  }
  return games;
}

// What every game of the ten must show, and the averages per skill.
std::vector<double> CheckGames(const std::vector<Game>& games) {
  std::vector<double> sums(kSkills, 0);
  for (size_t i = 0; i < games.size(); ++i) {
    const Game& g = games[i];
    SCOPED_TRACE("seed " + std::to_string(i + 1) + ": " + g.text);
    EXPECT_EQ(g.status, 0);
    EXPECT_TRUE(g.gameover);
    EXPECT_EQ(g.holes.size(), 6u);
    if (g.totals.size() != static_cast<size_t>(kSkills)) {
      ADD_FAILURE() << "no totals";
      continue;
    }
    for (int p = 0; p < kSkills; ++p) {
      sums[static_cast<size_t>(p)] += g.totals[static_cast<size_t>(p)];
      int limited = 0;
      for (const std::vector<int>& h : g.holes) {
        if (static_cast<int>(h.size()) > p && h[static_cast<size_t>(p)] >= kStrokeLimit) ++limited;
      }
      EXPECT_LE(limited, 1) << "player " << p + 1 << " at the stroke limit on " << limited
                            << " holes";
    }
  }
  for (double& s : sums) s /= static_cast<double>(games.size());
  std::printf("average totals: ace %.1f, pro %.1f, rookie %.1f\n", sums[0], sums[1], sums[2]);
  return sums;
}

void CheckAverages(const std::vector<double>& avg) {
  EXPECT_LT(avg[0], avg[1]) << "Ace must beat Pro on average";
  EXPECT_LT(avg[1], avg[2]) << "Pro must beat Rookie on average";
  EXPECT_LE(avg[0], kCoursePar + 3) << "Ace averages at most par + 3";
  EXPECT_GE(avg[2], avg[0] + 6) << "Rookie averages at least Ace + 6";
}

TEST(Matches, StrokePlayKeepsTheSkillsInOrder) {
  ASSERT_TRUE(testing::MissingData({"course1hole1", "course3hole6"}).empty());
  CheckAverages(CheckGames(PlaySeeds("")));
}

TEST(Matches, CroquetRulesGamesEndWithTheSoaksRulesKept) {
  ASSERT_TRUE(testing::MissingData({"course1hole1", "course3hole6"}).empty());
  const std::vector<Game> games =
      PlaySeeds("--check --startplayer 1 --whencollide 1 --scoring 1 --plus1 1 --minus1 0");
  for (const Game& g : games) {
    EXPECT_NE(g.text.find("\"violations\":[]"), std::string::npos) << g.text;
  }
  CheckAverages(CheckGames(games));
}

}  // namespace
}  // namespace gp
