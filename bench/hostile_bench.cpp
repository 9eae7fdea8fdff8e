// What crafted files cost to read and show: a FLIC frame of 65 535 BLACK
// chunks (4096 x 2048 and 640 x 480), a loop of a FLIC whose one frame is
// followed by 4 MB of junk, "Spots" of one polygon with many corners (read,
// and the pointer entering it on the launcher's menu), an AVI declaring
// 16 000 x 16 000. Each time is one operation; `peak_mb` is how far the
// operation done once raises the peak memory (0 when it cannot be measured).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/asset_error.h"
#include "base/profile.h"
#include "launcher/hot_image.h"
#include "media/ffmpeg/ffmpeg_movie.h"
#include "media/flic.h"
#include "media/hot_spots.h"
#include "media/image_list.h"
#include "media/wave_list.h"
#include "support/hostile_files.h"

namespace gp {
namespace {

using test::Bytes;

// The peak resident memory since it was last reset, kilobytes (VmHWM).
long PeakKb() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (f == nullptr) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::sscanf(line, "VmHWM: %ld", &kb) == 1) break;
  }
  std::fclose(f);
  return kb;
}

// Gives the heap's free pages back and starts the peak afresh from what is resident.
void ResetPeak() {
  malloc_trim(0);
  std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (f == nullptr) return;
  std::fputs("5", f);
  std::fclose(f);
}

// How far, in megabytes, `work` run once raises the peak resident memory of a
// child process (forked from this one, so it starts with this one's pages).
double PeakMb(const std::function<void()>& work) {
  int channel[2];
  if (pipe(channel) != 0) return 0;
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    // Blocks come fresh from the system, not from pages this process already holds.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    ResetPeak();
    const long before = PeakKb();
    work();
    const long grown = PeakKb() - before;
    if (write(channel[1], &grown, sizeof grown) != sizeof grown) _exit(1);
    _exit(0);
  }
  close(channel[1]);
  long grown = 0;
  if (child < 0 || read(channel[0], &grown, sizeof grown) != sizeof grown) grown = 0;
  close(channel[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return static_cast<double>(grown) / 1024.0;
}

// One frame decoded (the frame is decoded again from the start each time).
// A file the decoder refuses costs its header check.
void DecodeFirstFrame(const Bytes& file) {
  try {
    FlicDecoder d(file);
    d.DecodeNext();
    benchmark::DoNotOptimize(d.image().pixels.data());
  } catch (const FlicError&) {
  }
}

void BM_FlicBlackChunksFrame(benchmark::State& state) {
  const Bytes file = test::BlackChunksFlic(static_cast<int>(state.range(0)),
                                           static_cast<int>(state.range(1)), 65535);
  for (auto _ : state) DecodeFirstFrame(file);
  state.counters["file_kb"] = static_cast<double>(file.size()) / 1024;
  state.counters["peak_mb"] = PeakMb([&] { DecodeFirstFrame(file); });
}
BENCHMARK(BM_FlicBlackChunksFrame)
    ->Args({640, 480})
    ->Args({4096, 2048})
    ->Args({4096, 4096})
    ->Unit(benchmark::kMillisecond);

// The launcher's loop over a file that gives out after frame 1: frame 1, the
// failed search for frame 2, back to frame 1.
void BM_FlicJunkTailLoop(benchmark::State& state) {
  const Bytes file = test::JunkTailFlic(64, 48, 2, size_t{4} << 20);
  FlicDecoder d(file);
  d.DecodeNext();
  for (auto _ : state) {
    d.DecodeNext();
    d.Rewind();
    d.DecodeNext();
  }
  state.counters["file_kb"] = static_cast<double>(file.size()) / 1024;
}
BENCHMARK(BM_FlicJunkTailLoop)->Unit(benchmark::kMillisecond);

void BM_SpotsReadManyCorners(benchmark::State& state) {
  const Bytes spots = test::ManyCornerSpots(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(ReadSpots(spots.data(), spots.size()).items.size());
    } catch (const HotSpotsError&) {
    }
  }
  state.counters["file_kb"] = static_cast<double>(spots.size()) / 1024;
}
BENCHMARK(BM_SpotsReadManyCorners)->Arg(1024)->Arg(20000)->Unit(benchmark::kMicrosecond);

Picture Plain(int w, int h, uint32_t colour) {
  Picture p;
  p.width = w;
  p.height = h;
  p.pixels.assign(static_cast<size_t>(w) * h, colour);
  return p;
}

// The pointer entering the polygon on the launcher's 367 x 122 menu showing
// its 421 x 165 picture centred, then leaving it again. The spot is built in
// memory, so that sizes the reader refuses can still be measured.
void BM_SpotsHoverManyCorners(benchmark::State& state) {
  const int corners = static_cast<int>(state.range(0));
  HotSpots spots;
  Spot s;
  s.shape = kSpotPolygon;
  const Bytes bytes = test::ManyCornerSpots(corners);
  for (size_t at = 22; at + 4 <= bytes.size(); at += 4) {
    s.points.push_back(static_cast<int32_t>(test::Get32(bytes, at)));
  }
  s.mask = MaskItem{1, {0, 0, 0, 0}};
  spots.items.push_back(s);
  HotImage image;
  image.Picture = Plain(421, 165, 0x112233);
  image.MaskPicture = Plain(421, 165, 0x445566);
  image.HotSpots = spots;
  image.Center = true;
  image.Width = 367;
  image.Height = 122;
  image.Reset();
  int x = 0;
  for (auto _ : state) {
    image.Move(-1, -1);
    image.Move(150 + (x++ & 1), 60);
    benchmark::DoNotOptimize(image.HighlightBitmap().pixels.data());
  }
  if (image.HighlightSpot() != 0) state.SkipWithError("the pointer did not enter the spot");
}
BENCHMARK(BM_SpotsHoverManyCorners)->Arg(1024)->Arg(20000)->Unit(benchmark::kMillisecond);

// Lists that decode to far more than they hold: sounds at 1000 samples a second
// brought to 22 050, run-length pictures cut into 1 x 1 patterns; a hole file
// of thousands of sections. Each read whole, as the game reads them.
void BM_WaveListLowRate(benchmark::State& state) {
  const Bytes bytes = test::LowRateWaveList(static_cast<int>(state.range(0)));
  const auto read = [&] {
    WaveList list;
    try {
      ReadWaveList(list, bytes.data(), bytes.size());
    } catch (const AssetError&) {
    }
    benchmark::DoNotOptimize(list.items.size());
  };
  state.counters["peak_mb"] = PeakMb(read);
  for (auto _ : state) read();
  state.counters["file_kb"] = static_cast<double>(bytes.size()) / 1024;
}
BENCHMARK(BM_WaveListLowRate)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_ImageListTinyPatterns(benchmark::State& state) {
  const Bytes bytes = test::TinyPatternImageList(static_cast<int>(state.range(0)), 2048);
  const auto read = [&] {
    ImageList list;
    try {
      ReadImageList(list, bytes.data(), bytes.size(), true);
    } catch (const AssetError&) {
    }
    benchmark::DoNotOptimize(list.items.size());
  };
  state.counters["peak_mb"] = PeakMb(read);
  for (auto _ : state) read();
  state.counters["file_kb"] = static_cast<double>(bytes.size()) / 1024;
}
BENCHMARK(BM_ImageListTinyPatterns)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_HoleFileManySections(benchmark::State& state) {
  const std::string text = test::ManySectionsHole(size_t{16} << 20);
  const std::string path = "/tmp/galaputt_bench_sections_" + std::to_string(getpid()) + ".hole";
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  const auto read = [&] { benchmark::DoNotOptimize(Profile::FromFile(path).Find("ball", "x")); };
  state.counters["peak_mb"] = PeakMb(read);
  for (auto _ : state) read();
  state.counters["file_kb"] = static_cast<double>(text.size()) / 1024;
  std::remove(path.c_str());
}
BENCHMARK(BM_HoleFileManySections)->Unit(benchmark::kMillisecond);

// The 1.3 KB run-length AVI declaring 16 000 x 16 000.
std::string OversizedAvi() {
  const std::string path = "/tmp/galaputt_bench_oversized_" + std::to_string(getpid()) + ".avi";
  const Bytes avi = test::RleAvi(16000, 16000);
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(avi.data(), 1, avi.size(), f);
    std::fclose(f);
  }
  return path;
}

void BM_AviOversizedOpen(benchmark::State& state) {
  const std::string path = OversizedAvi();
  std::string error;
  for (auto _ : state) benchmark::DoNotOptimize(OpenFfmpegMovie(path, error));
  state.counters["peak_mb"] =
      PeakMb([&] { benchmark::DoNotOptimize(OpenFfmpegMovie(path, error)); });
  std::remove(path.c_str());
}
BENCHMARK(BM_AviOversizedOpen)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gp
