#include "tools/assets/indexed.h"

#include <algorithm>
#include <stdexcept>

namespace gp::assets {

namespace {

// Colours are counted in 64 levels per channel; each cell keeps the sum of
// its exact colours so that a box's entry is the mean of what it holds.
constexpr int kLevels = 64;

struct Cell {
  uint32_t key = 0;  // r6 | g6 << 6 | b6 << 12
  uint64_t count = 0;
  uint64_t sum[3] = {0, 0, 0};
};

// A box: a range of cells (in the cell vector) and its statistics.
struct Box {
  size_t begin = 0, end = 0;
  double error = 0;  // total squared distance of its colours to their mean
  int axis = 0;      // channel of the largest spread
};

void Measure(const std::vector<Cell>& cells, Box& box) {
  double n = 0, s[3] = {0, 0, 0}, q[3] = {0, 0, 0};
  for (size_t i = box.begin; i < box.end; ++i) {
    const Cell& c = cells[i];
    n += static_cast<double>(c.count);
    for (int k = 0; k < 3; ++k) {
      const double mean = static_cast<double>(c.sum[k]) / static_cast<double>(c.count);
      s[k] += static_cast<double>(c.sum[k]);
      q[k] += mean * mean * static_cast<double>(c.count);
    }
  }
  box.error = 0;
  double best = -1;
  for (int k = 0; k < 3; ++k) {
    const double var = n > 0 ? q[k] - s[k] * s[k] / n : 0;
    box.error += var;
    if (var > best) best = var, box.axis = k;
  }
  if (box.end - box.begin < 2) box.error = 0;  // one cell cannot be split
}

int CellLevel(const Cell& c, int axis) {
  return static_cast<int>((c.key >> (6 * axis)) & 63);
}

// Sorts the box's cells along its axis and splits it at the weighted median.
Box Split(std::vector<Cell>& cells, Box& box) {
  const int axis = box.axis;
  std::sort(cells.begin() + static_cast<long>(box.begin),
            cells.begin() + static_cast<long>(box.end), [axis](const Cell& a, const Cell& b) {
              const int la = CellLevel(a, axis), lb = CellLevel(b, axis);
              return la != lb ? la < lb : a.key < b.key;
            });
  uint64_t total = 0;
  for (size_t i = box.begin; i < box.end; ++i) total += cells[i].count;
  uint64_t run = 0;
  size_t cut = box.begin + 1;
  for (size_t i = box.begin; i + 1 < box.end; ++i) {
    run += cells[i].count;
    cut = i + 1;
    if (run * 2 >= total) break;
  }
  Box upper{cut, box.end};
  box.end = cut;
  Measure(cells, box);
  Measure(cells, upper);
  return upper;
}

}  // namespace

Palette MakePalette(const std::vector<const std::vector<uint32_t>*>& samples,
                    const std::vector<uint32_t>& fixed) {
  if (fixed.size() > 256) throw std::runtime_error("more than 256 fixed colours");
  std::vector<Cell> grid(kLevels * kLevels * kLevels);
  for (const std::vector<uint32_t>* pixels : samples) {
    for (uint32_t p : *pixels) {
      const uint32_t key = static_cast<uint32_t>((Channel(p, 0) >> 2) | (Channel(p, 1) >> 2) << 6 |
                                                 (Channel(p, 2) >> 2) << 12);
      Cell& c = grid[key];
      c.key = key;
      ++c.count;
      for (int k = 0; k < 3; ++k) c.sum[k] += static_cast<uint64_t>(Channel(p, k));
    }
  }
  std::vector<Cell> cells;
  for (const Cell& c : grid) {
    if (c.count > 0) cells.push_back(c);
  }
  const size_t wanted = 256 - fixed.size();
  std::vector<Box> boxes;
  if (!cells.empty() && wanted > 0) {
    boxes.push_back(Box{0, cells.size()});
    Measure(cells, boxes[0]);
  }
  while (!boxes.empty() && boxes.size() < wanted) {
    size_t worst = 0;
    for (size_t i = 1; i < boxes.size(); ++i) {
      if (boxes[i].error > boxes[worst].error) worst = i;
    }
    if (boxes[worst].error <= 0) break;
    boxes.push_back(Split(cells, boxes[worst]));
  }
  Palette pal{};
  size_t n = 0;
  for (uint32_t c : fixed) {
    for (int k = 0; k < 3; ++k) pal[n * 3 + k] = static_cast<uint8_t>(Channel(c, k));
    ++n;
  }
  for (const Box& b : boxes) {
    uint64_t count = 0, sum[3] = {0, 0, 0};
    for (size_t i = b.begin; i < b.end; ++i) {
      count += cells[i].count;
      for (int k = 0; k < 3; ++k) sum[k] += cells[i].sum[k];
    }
    for (int k = 0; k < 3; ++k) pal[n * 3 + k] = static_cast<uint8_t>((sum[k] + count / 2) / count);
    ++n;
  }
  return pal;
}

PaletteMap::PaletteMap(const Palette& palette) : palette_(palette), table_(1u << 24, -1) {}

int16_t PaletteMap::Nearest(uint32_t colour) const {
  const int r = Channel(colour, 0), g = Channel(colour, 1), b = Channel(colour, 2);
  int best = 0, bestd = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    const int dr = r - palette_[i * 3], dg = g - palette_[i * 3 + 1], db = b - palette_[i * 3 + 2];
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestd) best = i, bestd = d;
  }
  return static_cast<int16_t>(best);
}

std::vector<uint8_t> PaletteMap::Map(const std::vector<uint32_t>& pixels) {
  std::vector<uint8_t> out(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) out[i] = (*this)(pixels[i]);
  return out;
}

std::vector<uint8_t> EncodeBitmap8(int width, int height, const std::vector<uint8_t>& pixels,
                                   const Palette& palette) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    throw std::runtime_error("8-bit bitmap: pixel count does not match its size");
  const size_t stride = (static_cast<size_t>(width) + 3) / 4 * 4;
  const size_t offset = 14 + 40 + 256 * 4;
  const size_t total = offset + stride * static_cast<size_t>(height);
  std::vector<uint8_t> b;
  b.reserve(total);
  auto u16 = [&b](uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto u32 = [&u16](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  b.push_back('B');
  b.push_back('M');
  u32(static_cast<uint32_t>(total));
  u32(0);  // reserved
  u32(static_cast<uint32_t>(offset));
  u32(40);  // info header size
  u32(static_cast<uint32_t>(width));
  u32(static_cast<uint32_t>(height));  // positive: bottom-up
  u16(1);                              // planes
  u16(8);                              // bits per pixel
  u32(0);                              // uncompressed
  u32(static_cast<uint32_t>(stride * static_cast<size_t>(height)));
  u32(2835);  // 72 dpi
  u32(2835);
  u32(256);  // colours used
  u32(0);    // all important
  for (int i = 0; i < 256; ++i) {
    b.push_back(palette[i * 3 + 2]);
    b.push_back(palette[i * 3 + 1]);
    b.push_back(palette[i * 3]);
    b.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    const uint8_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    b.insert(b.end(), row, row + width);
    b.resize(b.size() + stride - static_cast<size_t>(width), 0);
  }
  return b;
}

}  // namespace gp::assets
