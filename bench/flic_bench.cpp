// FLIC decoding and painting at 640x480, beside a plain memcpy of one 32-bit
// screen: a delta frame (a moving block) and a full byte-run frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "media/flic.h"
#include "media/flic_writer.h"
#include "media/picture.h"

namespace gp {
namespace {

constexpr int kW = 640, kH = 480;

// Two frames of a busy picture; in the second a 200x150 block has moved.
std::vector<FlicFrame> Frames() {
  std::vector<FlicFrame> frames(2);
  for (int k = 0; k < 2; ++k) {
    FlicFrame& f = frames[static_cast<size_t>(k)];
    f.pixels.resize(static_cast<size_t>(kW) * kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const bool block = x >= 100 + k * 8 && x < 300 + k * 8 && y >= 100 && y < 250;
        f.pixels[static_cast<size_t>(y) * kW + x] =
            static_cast<uint8_t>(block ? (x ^ y) & 0x3F : (x / 16 + y / 8) & 0xFF);
      }
    for (int i = 0; i < 768; ++i) f.palette[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
  }
  return frames;
}

// The offsets and sizes of frame chunks 1 and 2 of an encoded file.
struct Layout {
  std::vector<uint8_t> file;
  size_t first = 128, first_size = 0, second = 0, second_size = 0;
};

Layout Encode() {
  Layout l;
  l.file = EncodeFlc(kW, kH, 70, Frames());
  auto size_at = [&](size_t at) {
    return static_cast<size_t>(l.file[at] | l.file[at + 1] << 8 | l.file[at + 2] << 16 |
                               l.file[at + 3] << 24);
  };
  l.first_size = size_at(l.first);
  l.second = l.first + l.first_size;
  l.second_size = size_at(l.second);
  return l;
}

Picture Screen() {
  Picture p;
  p.width = kW;
  p.height = kH;
  p.pixels.assign(static_cast<size_t>(kW) * kH, 0);
  return p;
}

void Run(benchmark::State& state, bool delta) {
  const Layout l = Encode();
  FlicDecoder d(l.file);
  d.DecodeNext();
  FlicImage image = d.image();
  Picture screen = Screen();
  const FlicPlacement where = PlaceFlic(FliPos::FliCentre, false, kW, kH, kW, kH);
  for (auto _ : state) {
    if (delta) {
      ApplyFlicFrame(l.file.data() + l.second, l.second_size, image);
    } else {
      ApplyFlicFrame(l.file.data() + l.first, l.first_size, image);
    }
    PaintFlic(image, screen, where);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}

void BM_FlicDeltaFrame(benchmark::State& state) {
  Run(state, true);
}
BENCHMARK(BM_FlicDeltaFrame);

void BM_FlicByteRunFrame(benchmark::State& state) {
  Run(state, false);
}
BENCHMARK(BM_FlicByteRunFrame);

void BM_MemcpyScreen32(benchmark::State& state) {
  std::vector<uint32_t> a(static_cast<size_t>(kW) * kH, 1), b(a.size());
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}
BENCHMARK(BM_MemcpyScreen32);

}  // namespace
}  // namespace gp
