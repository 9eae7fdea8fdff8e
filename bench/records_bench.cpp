// What keeping records and the unfinished game costs the frame it happens in:
// one hole result written to the records file (one transaction with the
// rollback journal synced), the final results of a game, and the kept game
// written after a stroke (a replay of a long game, synced and renamed). Each
// beside FrameBudget, a 16 ms sleep: the time one frame at 60 a second has.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/user_files.h"
#include "records/records_store.h"

namespace gp {
namespace {

std::filesystem::path Scratch(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("galaputt_bench_" + std::to_string(::getpid()) + "_" + name);
}

RecordedGame FourPlayers() {
  RecordedGame g;
  g.started = "2024-05-01 10:00:00";
  g.course = "SE Course";
  g.firsthole = "course1hole1";
  g.gametype = "Stroke Play";
  for (const char* name : {"Ann", "Bob", "Cid", "Dee"}) g.players.push_back({name, 0});
  return g;
}

// A game's hole results so far: four players, five holes.
std::vector<HoleResult> Results() {
  std::vector<HoleResult> holes;
  for (int n = 1; n <= 5; ++n) {
    for (int p = 1; p <= 4; ++p) {
      holes.push_back(HoleResult{p, n, "course1hole" + std::to_string(n), 3, 2 + p, true,
                                 "2024-05-01 10:10:00"});
    }
  }
  return holes;
}

// The sixth hole's first result, into a file that already holds 200 games.
void HoleResultWrite(benchmark::State& state) {
  const auto file = Scratch("holes.sqlite");
  std::filesystem::remove(file);
  RecordsStore store;
  if (!store.Open(file, {})) {
    state.SkipWithError("cannot open the records file");
    return;
  }
  RecordedGame g = FourPlayers();
  std::vector<HoleResult> holes = Results();
  for (int i = 0; i < 200; ++i) {
    g.uid = "old" + std::to_string(i);
    store.Write(g, holes);
  }
  holes.push_back(HoleResult{1, 6, "course3hole6", 3, 4, true, "2024-05-01 10:20:00"});
  int n = 0;
  for (auto _ : state) {
    g.uid = "game" + std::to_string(n++);
    benchmark::DoNotOptimize(store.Write(g, holes));
  }
  store.Close();
  std::filesystem::remove(file);
}
BENCHMARK(HoleResultWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The end of a game: its results, the final results, the records it holds.
void GameEndWrite(benchmark::State& state) {
  const auto file = Scratch("end.sqlite");
  std::filesystem::remove(file);
  RecordsStore store;
  if (!store.Open(file, {})) {
    state.SkipWithError("cannot open the records file");
    return;
  }
  RecordedGame g = FourPlayers();
  const std::vector<HoleResult> holes = Results();
  const std::vector<FinalResult> final = {
      {1, 20, 2, 1}, {2, 24, 6, 0}, {3, 28, 10, 0}, {4, 32, 14, 0}};
  int n = 0;
  for (auto _ : state) {
    g.uid = "game" + std::to_string(n++);
    benchmark::DoNotOptimize(store.Write(g, holes, &final, "2024-05-01 10:30:00"));
    benchmark::DoNotOptimize(store.HeldHoleRecords(g.uid));
    benchmark::DoNotOptimize(store.HeldCourseRecords(g.uid));
  }
  store.Close();
  std::filesystem::remove(file);
}
BENCHMARK(GameEndWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The kept game after a stroke late in a long game: 30 minutes of pointer
// moves (about 100 000 event lines, 2 MB), written whole, synced, renamed.
void KeptGameWrite(benchmark::State& state) {
  const auto file = Scratch("unfinished.replay");
  std::string text = "galaputt replay 1\nseed 1\n";
  for (int f = 1; f <= 100000; ++f) text += std::to_string(f) + " move 320 240\n";
  for (auto _ : state) {
    benchmark::DoNotOptimize(SaveFileAtomically(file, text + "end 100000\n"));
  }
  std::filesystem::remove(file);
}
BENCHMARK(KeptGameWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

void FrameBudget(benchmark::State& state) {
  for (auto _ : state) std::this_thread::sleep_for(std::chrono::milliseconds(16));
}
BENCHMARK(FrameBudget)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace gp
