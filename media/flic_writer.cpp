#include "media/flic_writer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace gp {

namespace {

using Bytes = std::vector<uint8_t>;
using Palette = std::array<uint8_t, 768>;

constexpr int kMaxSide = 4096;
constexpr int kMaxFrames = 65535;
constexpr int kMaxPacket = 127;  // longest copy or repeat in one packet

void Put8(Bytes& out, int v) {
  out.push_back(static_cast<uint8_t>(v));
}
void Put16(Bytes& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(Bytes& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Patch16(Bytes& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v & 0xFF);
  out[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}
void Patch32(Bytes& out, size_t at, uint32_t v) {
  Patch16(out, at, v & 0xFFFF);
  Patch16(out, at + 2, v >> 16);
}

// What differs between the two files.
struct Dialect {
  bool fli;
  uint16_t palette_type;  // 4: components 0..255; 11: 0..63
  uint16_t delta_type;    // 7: word-oriented; 12: byte-oriented
};
constexpr Dialect kFlc{false, 4, 7};
constexpr Dialect kFli{true, 11, 12};

enum : uint16_t { kWriteFrameType = 0xF1FA, kWriteByteRun = 15, kWriteLiteral = 16 };

// Length of the run of equal units (1 or 2 bytes) starting at unit k, below end, at most cap.
int Repeat(const uint8_t* row, int unit, int k, int end, int cap) {
  int n = 1;
  while (k + n < end && n < cap && std::memcmp(row + (k + n) * unit, row + k * unit, unit) == 0)
    ++n;
  return n;
}

// Delta packets for the units k..end-1 of row, each {skip, n, data}: n < 0 repeats one
// unit -n times (runs of two or more), n > 0 copies n units and stops before a run of
// three. The first packet carries `skip`; the rest skip 0. Returns the number of packets.
int EmitSegment(Bytes& out, const uint8_t* row, int unit, int k, int end, int skip) {
  int packets = 0;
  while (k < end) {
    const int r = Repeat(row, unit, k, end, kMaxPacket);
    Put8(out, skip);
    if (r >= 2) {
      Put8(out, -r);
      out.insert(out.end(), row + k * unit, row + (k + 1) * unit);
      k += r;
    } else {
      int m = k + 1;
      while (m < end && m - k < kMaxPacket && Repeat(row, unit, m, end, 3) < 3) ++m;
      Put8(out, m - k);
      out.insert(out.end(), row + k * unit, row + m * unit);
      k = m;
    }
    skip = 0;
    ++packets;
  }
  return packets;
}

// BYTE_RUN: per line a packet count byte (0 when over 255), then packets whose positive
// count repeats one byte and whose negative count copies bytes.
Bytes ByteRunBody(const uint8_t* pixels, int width, int height) {
  Bytes out;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * width;
    const size_t at = out.size();
    Put8(out, 0);
    int packets = 0;
    for (int x = 0; x < width; ++packets) {
      const int r = Repeat(row, 1, x, width, kMaxPacket);
      if (r >= 2) {
        Put8(out, r);
        Put8(out, row[x]);
        x += r;
      } else {
        int m = x + 1;
        while (m < width && m - x < kMaxPacket && Repeat(row, 1, m, width, 3) < 3) ++m;
        Put8(out, -(m - x));
        out.insert(out.end(), row + x, row + m);
        x = m;
      }
    }
    out[at] = static_cast<uint8_t>(packets <= 255 ? packets : 0);
  }
  return out;
}

// One DELTA_FLC line: packets over the pixel pairs that changed. Column skips over 254
// pixels are bridged by copying one unchanged pair. Returns the packet count.
int FlcLinePackets(Bytes& out, const uint8_t* prev, const uint8_t* cur, int words) {
  auto changed = [&](int i) { return std::memcmp(prev + 2 * i, cur + 2 * i, 2) != 0; };
  int packets = 0, x = 0;  // x: word after the last packet
  for (int i = 0; i < words;) {
    if (!changed(i)) {
      ++i;
      continue;
    }
    int j = i;
    while (j < words && changed(j)) ++j;
    for (; i - x > kMaxPacket; x += kMaxPacket + 1, ++packets) {
      Put8(out, 2 * kMaxPacket);
      Put8(out, 1);
      out.insert(out.end(), cur + 2 * (x + kMaxPacket), cur + 2 * (x + kMaxPacket + 1));
    }
    packets += EmitSegment(out, cur, 2, i, j, 2 * (i - x));
    x = i = j;
  }
  return packets;
}

// DELTA_FLC: line skips, the last pixel of odd-width lines, packets per changed line.
// Empty when nothing changed.
Bytes DeltaFlcBody(const uint8_t* prev, const uint8_t* cur, int width, int height) {
  Bytes out;
  Put16(out, 0);
  int lines = 0, pending = 0;  // pending: unchanged lines not yet skipped
  for (int y = 0; y < height; ++y) {
    const size_t offset = static_cast<size_t>(y) * width;
    const uint8_t* p = prev + offset;
    const uint8_t* c = cur + offset;
    if (std::memcmp(p, c, static_cast<size_t>(width)) == 0) {
      ++pending;
      continue;
    }
    for (; pending > 0; pending -= std::min(pending, 16384))
      Put16(out, 0x10000u - static_cast<uint32_t>(std::min(pending, 16384)));
    if ((width & 1) && p[width - 1] != c[width - 1]) Put16(out, 0x8000u | c[width - 1]);
    const size_t at = out.size();
    Put16(out, 0);
    Patch16(out, at, static_cast<uint32_t>(FlcLinePackets(out, p, c, width / 2)));
    ++lines;
  }
  if (lines == 0) return {};
  Patch16(out, 0, static_cast<uint32_t>(lines));
  return out;
}

// One DELTA_FLI line: packets over the changed bytes, skips over 255 taken by zero-length
// copies. Lines needing more than 255 packets are copied whole.
void FliLine(Bytes& out, const uint8_t* prev, const uint8_t* cur, int width) {
  Bytes line;
  int packets = 0, x = 0;
  for (int i = 0; i < width;) {
    if (prev[i] == cur[i]) {
      ++i;
      continue;
    }
    int j = i;
    while (j < width && prev[j] != cur[j]) ++j;
    for (; i - x > 255; x += 255, ++packets) {
      Put8(line, 255);
      Put8(line, 0);
    }
    packets += EmitSegment(line, cur, 1, i, j, i - x);
    x = i = j;
  }
  if (packets > 255) {
    line.clear();
    packets = 0;
    for (int k = 0; k < width; k += kMaxPacket, ++packets) {
      const int n = std::min(kMaxPacket, width - k);
      Put8(line, 0);
      Put8(line, n);
      line.insert(line.end(), cur + k, cur + k + n);
    }
  }
  Put8(out, packets);
  out.insert(out.end(), line.begin(), line.end());
}

// DELTA_FLI: the first changed line, the number of lines up to the last changed one, and
// per line its packets (count 0 = unchanged). Empty when nothing changed.
Bytes DeltaFliBody(const uint8_t* prev, const uint8_t* cur, int width, int height) {
  auto same = [&](int y) {
    const size_t offset = static_cast<size_t>(y) * width;
    return std::memcmp(prev + offset, cur + offset, static_cast<size_t>(width)) == 0;
  };
  int first = 0, last = height - 1;
  while (first < height && same(first)) ++first;
  if (first == height) return {};
  while (same(last)) --last;
  Bytes out;
  Put16(out, static_cast<uint32_t>(first));
  Put16(out, static_cast<uint32_t>(last - first + 1));
  for (int y = first; y <= last; ++y) {
    const size_t offset = static_cast<size_t>(y) * width;
    FliLine(out, prev + offset, cur + offset, width);
  }
  return out;
}

// Palette packets for the entries that differ from prev (all of them without prev).
// Empty when nothing changed.
Bytes PaletteBody(const Palette* prev, const Palette& cur) {
  auto changed = [&](int i) { return !prev || std::memcmp(&(*prev)[i * 3], &cur[i * 3], 3) != 0; };
  Bytes out;
  Put16(out, 0);
  int packets = 0, index = 0;
  for (int i = 0; i < 256;) {
    if (!changed(i)) {
      ++i;
      continue;
    }
    int j = i;
    while (j < 256 && changed(j)) ++j;
    Put8(out, i - index);
    Put8(out, (j - i) & 0xFF);  // 0 = 256
    out.insert(out.end(), cur.begin() + i * 3, cur.begin() + j * 3);
    ++packets;
    index = i = j;
  }
  if (packets == 0) return {};
  Patch16(out, 0, static_cast<uint32_t>(packets));
  return out;
}

using Chunk = std::pair<uint16_t, Bytes>;

// The pixel chunk that takes frame prev (none: black start) to cur, if any is needed.
bool PixelChunk(const uint8_t* prev, const uint8_t* cur, int width, int height, const Dialect& d,
                Chunk& chunk) {
  const size_t area = static_cast<size_t>(width) * height;
  if (prev && std::memcmp(prev, cur, area) == 0) return false;
  chunk = {kWriteByteRun, ByteRunBody(cur, width, height)};
  if (chunk.second.size() > area) chunk = {kWriteLiteral, Bytes(cur, cur + area)};
  if (prev) {
    Bytes delta =
        d.fli ? DeltaFliBody(prev, cur, width, height) : DeltaFlcBody(prev, cur, width, height);
    if (delta.size() <= chunk.second.size()) chunk = {d.delta_type, std::move(delta)};
  }
  return true;
}

// A frame chunk holding the given sub-chunks, each padded to an even size.
void AppendFrame(Bytes& out, const std::vector<Chunk>& chunks) {
  const size_t start = out.size();
  Put32(out, 0);
  Put16(out, kWriteFrameType);
  Put16(out, static_cast<uint32_t>(chunks.size()));
  out.resize(out.size() + 8, 0);
  for (const Chunk& c : chunks) {
    const size_t size = 6 + c.second.size() + (c.second.size() & 1);
    Put32(out, static_cast<uint32_t>(size));
    Put16(out, c.first);
    out.insert(out.end(), c.second.begin(), c.second.end());
    if (c.second.size() & 1) Put8(out, 0);
  }
  Patch32(out, start, static_cast<uint32_t>(out.size() - start));
}

// The frame that takes (prev pixels, prev palette) to (cur pixels, cur palette); without
// prev, the full first frame.
void AppendDelta(Bytes& out, const FlicFrame* prev, const Palette* prev_palette,
                 const FlicFrame& cur, const Palette& cur_palette, int width, int height,
                 const Dialect& d) {
  std::vector<Chunk> chunks;
  Bytes palette = PaletteBody(prev_palette, cur_palette);
  if (!palette.empty()) chunks.emplace_back(d.palette_type, std::move(palette));
  Chunk pixels;
  if (PixelChunk(prev ? prev->pixels.data() : nullptr, cur.pixels.data(), width, height, d, pixels))
    chunks.push_back(std::move(pixels));
  AppendFrame(out, chunks);
}

void Validate(int width, int height, int delay, const std::vector<FlicFrame>& frames) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    throw std::invalid_argument("FLIC size out of range");
  if (frames.empty() || frames.size() > kMaxFrames)
    throw std::invalid_argument("FLIC frame count out of range");
  if (delay < 0) throw std::invalid_argument("FLIC delay is negative");
  for (const FlicFrame& f : frames) {
    if (f.pixels.size() != static_cast<size_t>(width) * height)
      throw std::invalid_argument("FLIC frame pixels do not match its size");
  }
}

// Frames 1..N, then the ring frame back to frame 1. Returns the offset of frame 2 (the
// ring frame for a single frame).
size_t AppendFrames(Bytes& out, int width, int height, const std::vector<FlicFrame>& frames,
                    const Dialect& d) {
  std::vector<Palette> palettes;
  for (const FlicFrame& f : frames) {
    Palette p = f.palette;
    if (d.fli)
      for (uint8_t& v : p) v = static_cast<uint8_t>(v >> 2);
    palettes.push_back(p);
  }
  AppendDelta(out, nullptr, nullptr, frames[0], palettes[0], width, height, d);
  const size_t second = out.size();
  for (size_t k = 1; k < frames.size(); ++k)
    AppendDelta(out, &frames[k - 1], &palettes[k - 1], frames[k], palettes[k], width, height, d);
  AppendDelta(out, &frames.back(), &palettes.back(), frames[0], palettes[0], width, height, d);
  return second;
}

// The fields FLI and FLC share: size, magic, frames, width, height, depth 8.
Bytes StartHeader(uint16_t magic, int width, int height, size_t frames) {
  Bytes out;
  Put32(out, 0);
  Put16(out, magic);
  Put16(out, static_cast<uint32_t>(frames));
  Put16(out, static_cast<uint32_t>(width));
  Put16(out, static_cast<uint32_t>(height));
  Put16(out, 8);
  out.resize(128, 0);
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeFlc(int width, int height, int delay_ms,
                               const std::vector<FlicFrame>& frames) {
  Validate(width, height, delay_ms, frames);
  Bytes out = StartHeader(0xAF12, width, height, frames.size());
  const size_t second = AppendFrames(out, width, height, frames, kFlc);
  Patch32(out, 0, static_cast<uint32_t>(out.size()));
  Patch16(out, 14, 3);  // finished, ring frame written
  Patch32(out, 16, static_cast<uint32_t>(delay_ms));
  const bool vga = width == 320 && height == 200;  // pixels 5:6 on the old screens
  Patch16(out, 38, vga ? 6 : 1);
  Patch16(out, 40, vga ? 5 : 1);
  Patch32(out, 80, 128);
  Patch32(out, 84, static_cast<uint32_t>(second));
  return out;
}

std::vector<uint8_t> EncodeFli(int width, int height, int delay_jiffies,
                               const std::vector<FlicFrame>& frames) {
  Validate(width, height, delay_jiffies, frames);
  if (delay_jiffies > 0xFFFF) throw std::invalid_argument("FLI delay out of range");
  Bytes out = StartHeader(0xAF11, width, height, frames.size());
  AppendFrames(out, width, height, frames, kFli);
  Patch32(out, 0, static_cast<uint32_t>(out.size()));
  Patch16(out, 16, static_cast<uint32_t>(delay_jiffies));
  return out;
}

}  // namespace gp
