#include "media/flic.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

namespace gp {

namespace {

constexpr uint16_t kMagicFli = 0xAF11;
constexpr uint16_t kMagicFlc = 0xAF12;
constexpr uint16_t kFrameType = 0xF1FA;
constexpr uint16_t kPrefixType = 0xF100;
constexpr size_t kFrameHeaderSize = 16;
constexpr size_t kChunkHeaderSize = 6;
// Larger files are refused rather than read whole (bytes).
constexpr uintmax_t kMaxFileSize = uintmax_t{64} << 20;
// Whole images a frame may paint: a real frame paints one (a palette, then one pixel
// chunk), a frame of many full-image chunks has the rest left out.
constexpr size_t kMaxRepaints = 4;
// Most pixels one payload byte of a run-length or delta chunk can stand for (a
// 4-byte word run of DELTA_FLC paints 256).
constexpr size_t kPixelsPerByte = 64;

// Sub-chunk types.
enum : uint16_t {
  kColour256 = 4,
  kDeltaFlc = 7,
  kColour64 = 11,
  kDeltaFli = 12,
  kBlack = 13,
  kByteRun = 15,
  kLiteral = 16,
};

uint16_t Get16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// A bounded reader over one chunk's payload. Callers check Has() before reading.
class Cursor {
 public:
  Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Has(size_t n) const { return size_ - pos_ >= n; }
  size_t left() const { return size_ - pos_; }
  uint8_t U8() { return data_[pos_++]; }
  int8_t S8() { return static_cast<int8_t>(data_[pos_++]); }
  uint16_t U16() {
    const uint16_t v = Get16(data_ + pos_);
    pos_ += 2;
    return v;
  }
  const uint8_t* Take(size_t n) {
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// One line of the image with clipped writes: nothing lands outside 0..width-1.
struct Row {
  uint8_t* p;
  int width;

  void Copy(int x, const uint8_t* src, int n) const {
    if (x >= width) return;
    std::memcpy(p + x, src, static_cast<size_t>(std::min(n, width - x)));
  }
  void Fill(int x, uint8_t v, int n) const {
    if (x >= width) return;
    std::memset(p + x, v, static_cast<size_t>(std::min(n, width - x)));
  }
  void FillPairs(int x, uint8_t a, uint8_t b, int pairs) const {
    for (int i = 0; i < pairs && x < width; ++i, x += 2) {
      p[x] = a;
      if (x + 1 < width) p[x + 1] = b;
    }
  }
};

Row RowAt(FlicImage& img, int y) {
  return {img.pixels.data() + static_cast<size_t>(y) * img.width, img.width};
}

// COLOR_256 and COLOR_64: packets of (skip, count, count RGB triples); count 0 = 256.
// Entries past 255 are dropped. 64-level values keep their low six bits and are widened
// so that 63 becomes 255.
void DecodePalette(Cursor c, FlicImage& img, bool six_bit) {
  if (!c.Has(2)) return;
  int index = 0;
  for (int packets = c.U16(); packets > 0; --packets) {
    if (!c.Has(2)) return;
    index += c.U8();
    int count = c.U8();
    if (count == 0) count = 256;
    for (; count > 0; --count, ++index) {
      if (!c.Has(3)) return;
      const uint8_t* rgb = c.Take(3);
      if (index > 255) continue;
      for (int k = 0; k < 3; ++k) {
        const int v = six_bit ? (rgb[k] & 0x3F) : rgb[k];
        img.palette[static_cast<size_t>(index) * 3 + k] =
            static_cast<uint8_t>(six_bit ? (v << 2 | v >> 4) : v);
      }
    }
  }
}

// BYTE_RUN: every line filled by packets until width pixels; the count byte is ignored.
void DecodeByteRun(Cursor c, FlicImage& img) {
  for (int y = 0; y < img.height; ++y) {
    const Row row = RowAt(img, y);
    if (!c.Has(1)) return;
    c.U8();
    for (int x = 0; x < img.width;) {
      if (!c.Has(1)) return;
      const int n = c.S8();
      if (n > 0) {
        if (!c.Has(1)) return;
        row.Fill(x, c.U8(), n);
        x += n;
      } else if (n < 0) {
        if (!c.Has(static_cast<size_t>(-n))) return;
        row.Copy(x, c.Take(static_cast<size_t>(-n)), -n);
        x -= n;
      }
    }
  }
}

// DELTA_FLI: first line, line count, then per line a packet count and packets of
// (skip, n): n > 0 copies n bytes, n < 0 repeats one byte -n times.
void DecodeDeltaFli(Cursor c, FlicImage& img) {
  if (!c.Has(4)) return;
  int y = c.U16();
  for (int lines = c.U16(); lines > 0 && y < img.height; --lines, ++y) {
    const Row row = RowAt(img, y);
    if (!c.Has(1)) return;
    int x = 0;
    for (int packets = c.U8(); packets > 0; --packets) {
      if (!c.Has(2)) return;
      x += c.U8();
      const int n = c.S8();
      if (n >= 0) {
        if (!c.Has(static_cast<size_t>(n))) return;
        row.Copy(x, c.Take(static_cast<size_t>(n)), n);
        x += n;
      } else {
        if (!c.Has(1)) return;
        row.Fill(x, c.U8(), -n);
        x -= n;
      }
    }
  }
}

// Packets of one DELTA_FLC line: (skip in pixels, n): n > 0 copies n pixel pairs,
// n < 0 repeats one pair -n times. False when the data runs out.
bool DecodeFlcPackets(Cursor& c, const Row& row, int packets) {
  int x = 0;
  for (; packets > 0; --packets) {
    if (!c.Has(2)) return false;
    x += c.U8();
    const int n = c.S8();
    if (n >= 0) {
      if (!c.Has(static_cast<size_t>(2 * n))) return false;
      row.Copy(x, c.Take(static_cast<size_t>(2 * n)), 2 * n);
      x += 2 * n;
    } else {
      if (!c.Has(2)) return false;
      const uint8_t* pair = c.Take(2);
      row.FillPairs(x, pair[0], pair[1], -n);
      x -= 2 * n;
    }
  }
  return true;
}

// DELTA_FLC: a count of line records; each is opcode words (line skip, last pixel of an
// odd-width line) ending in a packet count word followed by its packets.
void DecodeDeltaFlc(Cursor c, FlicImage& img) {
  if (!c.Has(2)) return;
  int y = 0;
  for (int lines = c.U16(); lines > 0 && y < img.height;) {
    if (!c.Has(2)) return;
    const uint16_t word = c.U16();
    switch (word >> 14) {
      case 3:  // line skip: the word as s16 is minus the number of lines
        y += 0x10000 - word;
        break;
      case 2:  // last pixel of the current line; y stays
        img.pixels[static_cast<size_t>(y) * img.width + img.width - 1] =
            static_cast<uint8_t>(word & 0xFF);
        break;
      case 0:
        if (!DecodeFlcPackets(c, RowAt(img, y), word)) return;
        ++y;
        --lines;
        break;
      default:  // undefined opcode: the rest of the chunk is not trusted
        return;
    }
  }
}

void DecodeLiteral(Cursor c, FlicImage& img) {
  const size_t n = std::min(c.left(), img.pixels.size());
  std::memcpy(img.pixels.data(), c.Take(n), n);
}

// The most pixels a chunk can paint: a whole image at most, and for the run-length and
// delta chunks no more than their payload can describe. Palettes and skipped chunks: 0.
size_t PaintCost(uint16_t type, size_t payload, size_t pixels) {
  switch (type) {
    case kBlack:
      return pixels;
    case kLiteral:
      return std::min(payload, pixels);
    case kDeltaFlc:
    case kDeltaFli:
    case kByteRun:
      return payload > pixels / kPixelsPerByte ? pixels : payload * kPixelsPerByte;
    default:
      return 0;
  }
}

void DecodeChunk(uint16_t type, Cursor payload, FlicImage& img) {
  switch (type) {
    case kColour256:
      DecodePalette(payload, img, false);
      break;
    case kColour64:
      DecodePalette(payload, img, true);
      break;
    case kDeltaFlc:
      DecodeDeltaFlc(payload, img);
      break;
    case kDeltaFli:
      DecodeDeltaFli(payload, img);
      break;
    case kBlack:
      std::fill(img.pixels.begin(), img.pixels.end(), uint8_t{0});
      break;
    case kByteRun:
      DecodeByteRun(payload, img);
      break;
    case kLiteral:
      DecodeLiteral(payload, img);
      break;
    default:  // postage stamps and anything else
      break;
  }
}

}  // namespace

void ApplyFlicFrame(const uint8_t* frame, size_t size, FlicImage& image) {
  if (size < kFrameHeaderSize) return;
  const size_t pixels = image.pixels.size();
  size_t budget = kMaxRepaints * pixels;  // pixels the rest of the frame may still paint
  bool black = false;                     // every pixel is 0 since a BLACK chunk
  size_t pos = kFrameHeaderSize;
  for (int chunks = Get16(frame + 6); chunks > 0 && size - pos >= kChunkHeaderSize; --chunks) {
    const uint32_t claimed = Get32(frame + pos);
    if (claimed < kChunkHeaderSize) return;  // cannot be passed over: stop the frame
    const size_t chunk = std::min<size_t>(claimed, size - pos);
    const uint16_t type = Get16(frame + pos + 4);
    const size_t payload = chunk - kChunkHeaderSize;
    pos += chunk;
    if (type == kBlack && black) continue;  // already black: nothing to do
    const size_t cost = PaintCost(type, payload, pixels);
    if (cost > budget) continue;  // too much painting for one frame: left out
    budget -= cost;
    DecodeChunk(type, Cursor(frame + pos - payload, payload), image);
    if (cost > 0) black = type == kBlack;
  }
}

FlicDecoder::FlicDecoder(std::vector<uint8_t> file) : file_(std::move(file)) {
  if (file_.empty()) throw FlicError("FLIC file is empty");
  if (file_.size() < kFlicHeaderSize) {
    throw FlicError("FLIC header is truncated: " + std::to_string(file_.size()) + " of 128 bytes");
  }
  const uint8_t* h = file_.data();
  const uint16_t magic = Get16(h + 4);
  if (magic != kMagicFli && magic != kMagicFlc) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Not a FLIC file: magic number 0x%04X", magic);
    throw FlicError(buf);
  }
  kind_ = magic == kMagicFlc ? FlicKind::kFlc : FlicKind::kFli;
  frame_count_ = Get16(h + 6);
  const int w = Get16(h + 8), ht = Get16(h + 10);
  if (w < 1 || ht < 1 || w > kFlicMaxSide || ht > kFlicMaxSide ||
      int64_t{w} * ht > kFlicMaxPixels) {
    throw FlicError("FLIC frame size " + std::to_string(w) + " by " + std::to_string(ht) +
                    " pixels is out of range");
  }
  // FLC: milliseconds; FLI: 1/70 s, rounded to the nearest millisecond.
  delay_ms_ = kind_ == FlicKind::kFlc ? static_cast<int64_t>(Get32(h + 16))
                                      : (static_cast<int64_t>(Get16(h + 16)) * 1000 + 35) / 70;
  image_.width = w;
  image_.height = ht;
  image_.pixels.assign(static_cast<size_t>(w) * ht, 0);
}

void FlicDecoder::Rewind() {
  std::fill(image_.pixels.begin(), image_.pixels.end(), uint8_t{0});
  image_.palette.fill(0);
  current_ = 0;
  status_ = FlicStatus::kReady;
  error_.clear();
}

// The frame chunk of frame current_ + 1. Frames found before are looked up; past them
// the search goes on from the end of the last one found, passing prefix chunks by their
// size and anything else that is not a frame chunk two bytes at a time. Each byte of
// the file is searched once: a search that ran into the end is remembered. False when
// the file ends first.
bool FlicDecoder::FindFrame(size_t& start, size_t& size) {
  const size_t wanted = static_cast<size_t>(current_);
  if (wanted >= starts_.size() && !searched_to_end_) {
    size_t pos = starts_.empty() ? kFlicHeaderSize : starts_.back() + FrameSize(starts_.back());
    while (starts_.size() <= wanted && !searched_to_end_) {
      if (!Search(pos)) {
        searched_to_end_ = true;
        break;
      }
      starts_.push_back(pos);
      pos += FrameSize(pos);
    }
  }
  if (wanted >= starts_.size()) return false;
  start = starts_[wanted];
  size = FrameSize(start);
  return true;
}

// Moves pos onto the next frame chunk at or after it; false when the file ends first.
bool FlicDecoder::Search(size_t& pos) const {
  while (pos < file_.size() && file_.size() - pos >= kFrameHeaderSize) {
    const uint32_t claimed = Get32(file_.data() + pos);
    const uint16_t type = Get16(file_.data() + pos + 4);
    if (claimed >= kFrameHeaderSize && type == kFrameType) return true;
    if (claimed >= kFrameHeaderSize && type == kPrefixType) {
      pos += std::min<size_t>(claimed, file_.size() - pos);
    } else {
      pos += 2;
    }
  }
  return false;
}

// The size of the frame chunk at start, cut to the end of the file.
size_t FlicDecoder::FrameSize(size_t start) const {
  return std::min<size_t>(Get32(file_.data() + start), file_.size() - start);
}

bool FlicDecoder::DecodeNext() {
  if (status_ != FlicStatus::kReady) return false;
  if (current_ >= frame_count_) {
    status_ = FlicStatus::kEnd;
    return false;
  }
  size_t start = 0, size = 0;
  if (!FindFrame(start, size)) {
    status_ = FlicStatus::kError;
    error_ = "FLIC file ends after frame " + std::to_string(current_) + " of " +
             std::to_string(frame_count_);
    return false;
  }
  ApplyFlicFrame(file_.data() + start, size, image_);
  ++current_;
  return true;
}

bool FlicDecoder::GoToFrame(int n) {
  if (n < 1) return false;
  if (n == 1 || n < current_) Rewind();
  while (current_ < n && DecodeNext()) {
  }
  return current_ == n;
}

std::optional<std::vector<uint8_t>> ReadFlicFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) throw FlicError("Cannot read file " + path);
  if (size > kMaxFileSize) throw FlicError("FLIC file is too large: " + path);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<size_t>(in.gcount()) != bytes.size()) throw FlicError("Cannot read file " + path);
  return bytes;
}

FlicPlacement PlaceFlic(FliPos pos, bool stretch, int area_width, int area_height, int frame_width,
                        int frame_height) {
  if (stretch) return {0, 0, area_width, area_height};
  FlicPlacement p{0, 0, frame_width, frame_height};
  switch (pos) {
    case FliPos::FliCentre:
      p.x = (area_width - frame_width) / 2;
      p.y = (area_height - frame_height) / 2;
      break;
    case FliPos::FliLeft:
      break;
    case FliPos::FliRight:
      p.x = area_width - frame_width;
      break;
  }
  return p;
}

void PaintFlic(const FlicImage& image, Picture& target, const FlicPlacement& where) {
  if (image.width <= 0 || image.height <= 0 || where.width <= 0 || where.height <= 0) return;
  if (image.pixels.size() < static_cast<size_t>(image.width) * image.height) return;
  if (target.empty() || target.pixels.size() < static_cast<size_t>(target.width) * target.height)
    return;
  std::array<uint32_t, 256> colours;
  for (int i = 0; i < 256; ++i) colours[static_cast<size_t>(i)] = image.Colour(i);
  // Target columns and rows covered, clipped to the target.
  const int x0 = std::max(where.x, 0),
            x1 = std::min<int64_t>(int64_t{where.x} + where.width, target.width);
  const int y0 = std::max(where.y, 0),
            y1 = std::min<int64_t>(int64_t{where.y} + where.height, target.height);
  if (x0 >= x1 || y0 >= y1) return;
  std::vector<int> source_x(static_cast<size_t>(x1 - x0));
  for (int x = x0; x < x1; ++x)
    source_x[static_cast<size_t>(x - x0)] =
        static_cast<int>((int64_t{x} - where.x) * image.width / where.width);
  for (int y = y0; y < y1; ++y) {
    const int sy = static_cast<int>((int64_t{y} - where.y) * image.height / where.height);
    const uint8_t* src = image.pixels.data() + static_cast<size_t>(sy) * image.width;
    uint32_t* dst = target.pixels.data() + static_cast<size_t>(y) * target.width;
    for (int x = x0; x < x1; ++x) dst[x] = colours[src[source_x[static_cast<size_t>(x - x0)]]];
  }
}

}  // namespace gp
