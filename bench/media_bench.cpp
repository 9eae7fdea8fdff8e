// Drawing and mixing speed, each beside a plain memcpy of the same bytes: the
// ratio of the two is the figure that matters.
#include <benchmark/benchmark.h>

#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "media/bitmap_codec.h"
#include "media/container_writer.h"
#include "media/display.h"
#include "media/mixer.h"
#include "media/wave_list.h"

namespace gp {
namespace {

constexpr int kScreenW = 640, kScreenH = 480;
constexpr int kSprite = 32, kSprites = 50;
constexpr int kVoices = 16, kMixFrames = 512;

// A picture with a colour-keyed border and holes, like a typical sprite; a
// plain rectangle when `keyed` is false.
ImageItem MakeItem(int w, int h, bool keyed = true) {
  ImageItem item;
  item.picture.width = w;
  item.picture.height = h;
  item.picture.pixels.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool key = x < 2 || y < 2 || x >= w - 2 || (x * 7 + y * 3) % 23 == 0;
      item.picture.pixels[static_cast<size_t>(y) * w + x] =
          key ? 0 : 0x102030u + static_cast<uint32_t>(x + y);
    }
  item.transparent = keyed;
  PrepareItem(item);
  return item;
}

// The whole screen from one picture: `keyed` = 0 a plain picture, 1 the
// sprite-like picture above (a key pixel in about every 23).
void BM_DrawFullScreen(benchmark::State& state) {
  Display d;
  d.Start(nullptr, kScreenW, kScreenH, false);
  const ImageItem item = MakeItem(kScreenW, kScreenH, state.range(0) != 0);
  for (auto _ : state) {
    d.Draw(item, 0, 0, 0);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kScreenW * kScreenH * 2);
  state.SetLabel(state.range(0) != 0 ? "keyed" : "opaque");
}
BENCHMARK(BM_DrawFullScreen)->Arg(0)->Arg(1);

// The flash of the whole screen (the hole animations' flicker), alpha 100.
void BM_FillRectAlphaFullScreen(benchmark::State& state) {
  Display d;
  d.Start(nullptr, kScreenW, kScreenH, false);
  d.Fill(0x8410);
  for (auto _ : state) {
    d.FillRectAlpha(Rect{0, 0, kScreenW, kScreenH}, 0xFFFFFF, 100);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kScreenW * kScreenH * 2);
}
BENCHMARK(BM_FillRectAlphaFullScreen);

void BM_MemcpyFullScreen(benchmark::State& state) {
  std::vector<uint16_t> a(kScreenW * kScreenH, 1), b(kScreenW * kScreenH);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 2);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kScreenW * kScreenH * 2);
}
BENCHMARK(BM_MemcpyFullScreen);

// 50 sprites at their own size, or stretched to 40x40 when `size` is 40 (the
// ball shadows are drawn stretched).
template <void (Display::*Op)(const ImageItem&, int, Rect, int)>
void BM_Blend50Sprites(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  Display d;
  d.Start(nullptr, kScreenW, kScreenH, false);
  d.Fill(0x8410);
  const ImageItem item = MakeItem(kSprite, kSprite);
  for (auto _ : state) {
    for (int i = 0; i < kSprites; ++i) {
      (d.*Op)(item, 0, Rect{(i * 97) % 600, (i * 61) % 440, size, size}, 160);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kSprites * size * size * 2);
}
BENCHMARK(BM_Blend50Sprites<&Display::DrawAdd>)->Name("BM_DrawAdd50Sprites")->Arg(kSprite)->Arg(40);
BENCHMARK(BM_Blend50Sprites<&Display::DrawSub>)->Name("BM_DrawSub50Sprites")->Arg(kSprite)->Arg(40);
BENCHMARK(BM_Blend50Sprites<&Display::DrawAlpha>)
    ->Name("BM_DrawAlpha50Sprites")
    ->Arg(kSprite)
    ->Arg(40);

void BM_Memcpy50Sprites(benchmark::State& state) {
  std::vector<uint16_t> a(kSprite * kSprite, 1), b(kScreenW * kScreenH);
  for (auto _ : state) {
    for (int i = 0; i < kSprites; ++i) {
      uint16_t* dst = &b[static_cast<size_t>((i * 61) % 440) * kScreenW + (i * 97) % 600];
      for (int y = 0; y < kSprite; ++y)
        std::memcpy(dst + y * kScreenW, &a[y * kSprite], kSprite * 2);
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kSprites * kSprite * kSprite * 2);
}
BENCHMARK(BM_Memcpy50Sprites);

void BM_Mixer16Sounds(benchmark::State& state) {
  Mixer mixer;
  mixer.StartSound(nullptr);
  std::vector<WaveItem> items(kVoices);
  std::vector<int16_t> samples(22050);
  std::iota(samples.begin(), samples.end(), int16_t{0});
  for (WaveItem& w : items) {
    SetWaveSamples(w, samples);
    w.looped = true;
    mixer.Play(w);
  }
  std::vector<int16_t> out(kMixFrames);
  for (auto _ : state) {
    mixer.Mix(out.data(), kMixFrames);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(state.iterations() * kVoices * kMixFrames * 2);
}
BENCHMARK(BM_Mixer16Sounds);

void BM_Memcpy16Sounds(benchmark::State& state) {
  std::vector<int16_t> a(kVoices * kMixFrames, 1), b(kVoices * kMixFrames);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 2);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kVoices * kMixFrames * 2);
}
BENCHMARK(BM_Memcpy16Sounds);

// Loading a hole's wave list as the game does when a hole starts: its music
// loop (about 47 s, 2 MB) and a device sound, beside reading the file's bytes.
const std::string kHoleWaves = std::string(GALAPUTT_GAME_DIR) + "/course1hole1.dxw";

void BM_LoadHoleWaves(benchmark::State& state) {
  WaveList list;
  for (auto _ : state) {
    LoadWaveList(list, kHoleWaves);
    benchmark::DoNotOptimize(list.items.data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(ReadWholeFile(kHoleWaves).size()));
}
BENCHMARK(BM_LoadHoleWaves)->Unit(benchmark::kMillisecond);

void BM_ReadHoleWavesFile(benchmark::State& state) {
  size_t size = 0;
  for (auto _ : state) {
    const Bytes b = ReadWholeFile(kHoleWaves);
    size = b.size();
    benchmark::DoNotOptimize(b.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}
BENCHMARK(BM_ReadHoleWavesFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gp
