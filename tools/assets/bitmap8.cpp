#include "tools/assets/bitmap8.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace gp::assets {

namespace {

struct Entry {
  uint32_t colour;  // 0x00BBGGRR
  uint32_t count;   // pixels of that colour
};

int Channel(uint32_t c, int ch) {
  return static_cast<int>((c >> (8 * ch)) & 255);
}

// A box of the median cut: a range of entries.
struct Box {
  size_t begin, end;
  int axis = 0, range = 0;  // widest channel and its extent
  uint64_t pixels = 0;
};

void Measure(const std::vector<Entry>& e, Box& b) {
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  b.pixels = 0;
  for (size_t i = b.begin; i < b.end; ++i) {
    for (int ch = 0; ch < 3; ++ch) {
      lo[ch] = std::min(lo[ch], Channel(e[i].colour, ch));
      hi[ch] = std::max(hi[ch], Channel(e[i].colour, ch));
    }
    b.pixels += e[i].count;
  }
  b.range = -1;
  for (int ch = 0; ch < 3; ++ch) {
    if (hi[ch] - lo[ch] > b.range) b.range = hi[ch] - lo[ch], b.axis = ch;
  }
}

// Splits the box at the pixel-weighted median of its widest channel.
Box Split(std::vector<Entry>& e, Box& b) {
  const int axis = b.axis;
  std::sort(e.begin() + static_cast<std::ptrdiff_t>(b.begin),
            e.begin() + static_cast<std::ptrdiff_t>(b.end), [axis](const Entry& x, const Entry& y) {
              const int cx = Channel(x.colour, axis), cy = Channel(y.colour, axis);
              return cx != cy ? cx < cy : x.colour < y.colour;
            });
  uint64_t seen = 0;
  size_t cut = b.begin + 1;
  for (size_t i = b.begin; i < b.end - 1; ++i) {
    seen += e[i].count;
    cut = i + 1;
    if (seen * 2 >= b.pixels) break;
  }
  Box upper{cut, b.end};
  b.end = cut;
  Measure(e, b);
  Measure(e, upper);
  return upper;
}

std::vector<uint32_t> MedianCut(std::vector<Entry>& entries) {
  std::vector<Box> boxes{Box{0, entries.size()}};
  Measure(entries, boxes[0]);
  while (boxes.size() < 256) {
    // The box that most needs splitting: wide and well populated.
    double best = 0;
    size_t pick = boxes.size();
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2 || boxes[i].range == 0) continue;
      const double score = boxes[i].range * std::sqrt(static_cast<double>(boxes[i].pixels));
      if (score > best) best = score, pick = i;
    }
    if (pick == boxes.size()) break;
    const Box upper = Split(entries, boxes[pick]);
    boxes.push_back(upper);
  }
  std::vector<uint32_t> palette;
  for (const Box& b : boxes) {
    double sum[3] = {0, 0, 0};
    for (size_t i = b.begin; i < b.end; ++i) {
      for (int ch = 0; ch < 3; ++ch)
        sum[ch] += Channel(entries[i].colour, ch) * 1.0 * entries[i].count;
    }
    uint32_t c = 0;
    for (int ch = 0; ch < 3; ++ch) {
      c |= static_cast<uint32_t>(std::lround(sum[ch] / static_cast<double>(b.pixels))) << (8 * ch);
    }
    palette.push_back(c);
  }
  return palette;
}

// Nearest palette entry, remembered per 6-bit colour cell.
class Nearest {
 public:
  explicit Nearest(const std::vector<uint32_t>& palette) : palette_(palette) { cache_.fill(-1); }
  int operator()(int r, int g, int b) {
    int16_t& slot = cache_[static_cast<size_t>((r >> 2) << 12 | (g >> 2) << 6 | (b >> 2))];
    if (slot >= 0) return slot;
    int best = 0, bestd = 1 << 30;
    for (size_t i = 0; i < palette_.size(); ++i) {
      const int dr = r - Channel(palette_[i], 0), dg = g - Channel(palette_[i], 1),
                db = b - Channel(palette_[i], 2);
      const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (d < bestd) bestd = d, best = static_cast<int>(i);
    }
    slot = static_cast<int16_t>(best);
    return best;
  }

 private:
  const std::vector<uint32_t>& palette_;
  std::array<int16_t, 1 << 18> cache_;
};

// Maps every pixel to the palette, spreading each pixel's error onto its
// right and lower neighbours (Floyd-Steinberg).
void Diffuse(const Picture& p, IndexedPicture& out) {
  auto nearest = std::make_unique<Nearest>(out.palette);
  std::vector<float> cur(static_cast<size_t>(p.width + 2) * 3, 0), next(cur.size(), 0);
  for (int y = 0; y < p.height; ++y) {
    std::fill(next.begin(), next.end(), 0.0f);
    for (int x = 0; x < p.width; ++x) {
      int want[3];
      for (int ch = 0; ch < 3; ++ch) {
        const float v = Channel(p.at(x, y), ch) + cur[static_cast<size_t>(x + 1) * 3 + ch];
        want[ch] = std::clamp(static_cast<int>(std::lround(v)), 0, 255);
      }
      const int idx = (*nearest)(want[0], want[1], want[2]);
      out.indices[static_cast<size_t>(y) * p.width + x] = static_cast<uint8_t>(idx);
      for (int ch = 0; ch < 3; ++ch) {
        const float err = static_cast<float>(want[ch] - Channel(out.palette[idx], ch));
        const size_t at = static_cast<size_t>(x + 1) * 3 + ch;
        cur[at + 3] += err * 7 / 16;
        next[at - 3] += err * 3 / 16;
        next[at] += err * 5 / 16;
        next[at + 3] += err * 1 / 16;
      }
    }
    std::swap(cur, next);
  }
}

}  // namespace

IndexedPicture Quantise(const Picture& picture) {
  IndexedPicture out;
  out.width = picture.width;
  out.height = picture.height;
  out.indices.assign(picture.pixels.size(), 0);
  std::vector<uint32_t> sorted(picture.pixels);
  for (uint32_t& c : sorted) c &= 0xFFFFFF;
  std::sort(sorted.begin(), sorted.end());
  std::vector<Entry> entries;
  for (uint32_t c : sorted) {
    if (entries.empty() || entries.back().colour != c) {
      entries.push_back({c, 1});
    } else {
      ++entries.back().count;
    }
  }
  if (entries.size() <= 256) {  // few enough colours: exact
    for (const Entry& e : entries) out.palette.push_back(e.colour);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
      const uint32_t c = picture.pixels[i] & 0xFFFFFF;
      out.indices[i] = static_cast<uint8_t>(
          std::lower_bound(out.palette.begin(), out.palette.end(), c) - out.palette.begin());
    }
    return out;
  }
  out.palette = MedianCut(entries);
  Diffuse(picture, out);
  return out;
}

Bytes EncodeBitmap8(const IndexedPicture& p) {
  if (p.width <= 0 || p.height <= 0 || p.palette.size() > 256 ||
      p.indices.size() != static_cast<size_t>(p.width) * p.height) {
    throw std::runtime_error("bad 8-bit picture");
  }
  const size_t stride = (static_cast<size_t>(p.width) + 3) & ~size_t{3};
  const size_t image = stride * static_cast<size_t>(p.height);
  const uint32_t offset = 14 + 40 + 256 * 4;
  Bytes out;
  out.reserve(offset + image);
  PutBytes(out, "BM", 2);
  PutU32(out, static_cast<uint32_t>(offset + image));
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, 40);  // BITMAPINFOHEADER
  PutU32(out, static_cast<uint32_t>(p.width));
  PutU32(out, static_cast<uint32_t>(p.height));  // positive: bottom-up
  PutU16(out, 1);
  PutU16(out, 8);
  PutU32(out, 0);  // uncompressed
  PutU32(out, static_cast<uint32_t>(image));
  PutU32(out, 2835);  // 72 dots per inch
  PutU32(out, 2835);
  PutU32(out, 256);  // colours used
  PutU32(out, 0);
  for (size_t i = 0; i < 256; ++i) {  // blue, green, red, 0
    const uint32_t c = i < p.palette.size() ? p.palette[i] : 0;
    PutU8(out, static_cast<uint8_t>(c >> 16));
    PutU8(out, static_cast<uint8_t>(c >> 8));
    PutU8(out, static_cast<uint8_t>(c));
    PutU8(out, 0);
  }
  for (int y = p.height - 1; y >= 0; --y) {
    PutBytes(out, p.indices.data() + static_cast<size_t>(y) * p.width,
             static_cast<size_t>(p.width));
    for (size_t pad = static_cast<size_t>(p.width); pad < stride; ++pad) PutU8(out, 0);
  }
  return out;
}

}  // namespace gp::assets
