// What crafted files cost to read and show: a FLIC frame of 65 535 BLACK
// chunks (4096 x 2048 and 640 x 480), a loop of a FLIC whose one frame is
// followed by 4 MB of junk, "Spots" of one polygon with many corners (read,
// and the pointer entering it on the launcher's menu), an AVI declaring
// 16 000 x 16 000. Each time is one operation; `peak_mb` is the peak memory of
// a child process that does the operation once (0 when it cannot be measured).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "launcher/hot_image.h"
#include "media/ffmpeg/ffmpeg_movie.h"
#include "media/flic.h"
#include "media/hot_spots.h"
#include "support/hostile_files.h"
#include "tools/assets/movie_writer.h"

namespace gp {
namespace {

using test::Bytes;

// Peak resident memory, in megabytes, of a child process running `work` once.
double PeakMb(const std::function<void()>& work) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return 0;
  if (child == 0) {
    work();
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return 0;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// One frame decoded (the frame is decoded again from the start each time).
void DecodeFirstFrame(const Bytes& file) {
  FlicDecoder d(file);
  d.DecodeNext();
  benchmark::DoNotOptimize(d.image().pixels.data());
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

// A one-frame 64 x 48 movie whose headers declare 16 000 x 16 000.
std::string OversizedAvi() {
  const std::string path = "/tmp/galaputt_bench_oversized_" + std::to_string(getpid()) + ".avi";
  assets::MovieFormat format;
  format.width = 64;
  format.height = 48;
  format.fps = 10;
  {
    assets::MovieWriter w(path, format, {});
    const std::vector<uint32_t> px(64 * 48, 0x808080);
    w.AddFrame(reinterpret_cast<const uint8_t*>(px.data()), 64 * 4);
    w.Finish();
  }
  std::FILE* f = std::fopen(path.c_str(), "rb");
  Bytes avi;
  for (int c; f && (c = std::fgetc(f)) != EOF;) avi.push_back(static_cast<uint8_t>(c));
  if (f) std::fclose(f);
  test::DeclareAviSize(avi, 16000, 16000);
  f = std::fopen(path.c_str(), "wb");
  if (f) {
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
