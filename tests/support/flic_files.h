#pragma once
// FLIC test material: hand-built headers, chunks and frames, a generator of frame
// sequences that exercise every encoder path, and a temporary folder for files.


#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/flic_writer.h"

#include "support/temp_folder.h"

namespace gp::test {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline uint32_t Get32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
inline uint16_t Get16(const Bytes& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// A 128-byte header; speed is milliseconds (FLC) or 1/70 s (FLI).
inline Bytes Header(uint16_t magic, int frames, int width, int height, uint32_t speed) {
  Bytes h;
  Put32(h, 0);
  Put16(h, magic);
  Put16(h, static_cast<uint32_t>(frames));
  Put16(h, static_cast<uint32_t>(width));
  Put16(h, static_cast<uint32_t>(height));
  Put16(h, 8);
  Put16(h, 0);
  if (magic == 0xAF11) {
    Put16(h, speed);
  } else {
    Put32(h, speed);
  }
  h.resize(128, 0);
  return h;
}

// A sub-chunk: 6-byte header (size counts it) and payload, no padding.
inline Bytes FlicChunk(uint16_t type, const Bytes& payload) {
  Bytes c;
  Put32(c, static_cast<uint32_t>(6 + payload.size()));
  Put16(c, type);
  c.insert(c.end(), payload.begin(), payload.end());
  return c;
}

// A frame chunk holding the given sub-chunks, then `extra` bytes beyond them.
inline Bytes Frame(const std::vector<Bytes>& chunks, size_t extra = 0) {
  Bytes body;
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  body.resize(body.size() + extra, 0xEE);
  Bytes f;
  Put32(f, static_cast<uint32_t>(16 + body.size()));
  Put16(f, 0xF1FA);
  Put16(f, static_cast<uint32_t>(chunks.size()));
  f.resize(16, 0);
  f.insert(f.end(), body.begin(), body.end());
  return f;
}

// Header followed by the given pieces; the header's size field is filled in.
inline Bytes File(Bytes header, const std::vector<Bytes>& pieces) {
  for (const Bytes& p : pieces) header.insert(header.end(), p.begin(), p.end());
  const auto size = static_cast<uint32_t>(header.size());
  for (int i = 0; i < 4; ++i)
    header[static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (8 * i));
  return header;
}

// A full 256-level palette chunk whose entry i is (i, 255 - i, i * 7).
inline Bytes RampPalette() {
  Bytes p;
  Put16(p, 1);
  p.push_back(0);
  p.push_back(0);
  for (int i = 0; i < 256; ++i) {
    p.push_back(static_cast<uint8_t>(i));
    p.push_back(static_cast<uint8_t>(255 - i));
    p.push_back(static_cast<uint8_t>(i * 7));
  }
  return FlicChunk(4, p);
}

// A literal (type 16) chunk of the given pixels.
inline Bytes Literal(const Bytes& pixels) {
  return FlicChunk(16, pixels);
}

// Frames that change in every way the encoder distinguishes. The top half is texture
// (no runs), the bottom half bands of one colour. Later frames move a solid block in the
// bands, change a few textured pixels, the last pixel of one line and scattered pixels
// far apart; frame 3 repeats frame 2; the palette changes in one entry or in all.
inline std::vector<FlicFrame> MakeFrames(int width, int height, int count) {
  std::vector<FlicFrame> frames(static_cast<size_t>(count));
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int k = 0; k < count; ++k) {
    FlicFrame& f = frames[static_cast<size_t>(k)];
    if (k == 2) {
      f = frames[1];
      continue;
    }
    f.pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int i = 0; i < 768; ++i) f.palette[static_cast<size_t>(i)] = static_cast<uint8_t>(i / 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint8_t& p = f.pixels[static_cast<size_t>(y) * width + x];
        p = static_cast<uint8_t>(y < height / 2 ? x * 7 + y * 13 + x * x % 5 : y / 3 * 3);
        if (k == 0) continue;
        if (x >= k * 3 && x < k * 3 + 9 && y >= height / 2 && y < height / 2 + 4)
          p = static_cast<uint8_t>(10 + k);
        if (x >= k && x < k + 5 && y == height / 4 + 1) p = static_cast<uint8_t>(x + k * 50);
        if (x == width - 1 && y == height - 2) p = static_cast<uint8_t>(200 + k);
        if ((x * 31 + y * 17 + k * 5) % 997 == 0) p = static_cast<uint8_t>(next() >> 24);
      }
    }
    if (k % 3 == 1) f.palette[30] = static_cast<uint8_t>(k * 40);
    if (k == 4) {
      for (uint8_t& v : f.palette) v = static_cast<uint8_t>(255 - v);
    }
  }
  return frames;
}

// A fresh temporary folder, removed afterwards.
}  // namespace gp::test
