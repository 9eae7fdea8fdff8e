#include "media/hot_spots.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace gp {

namespace {

// Bytes of the smallest spot each "Spots" layout can hold: a polygon without
// corners and without hint (shape byte, tag, enabled, hint length, corner count).
constexpr size_t kMinSpotBytes = 1 + 4 + 1 + 4 + 4;
constexpr size_t kMinOldSpotBytes = kMinSpotBytes - 1;
// Bytes of the two state points of a mask item as written, and as most read.
constexpr int32_t kMaskRecordBytes = 16;

int32_t Le32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

// Reads little-endian fields from one stored property, checking each length
// against the bytes left; errors name the property and the byte offset.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size, const char* what)
      : data_(data), size_(size), what_(what) {}

  size_t Left() const { return size_ - pos_; }

  HotSpotsError Error(const std::string& message) const {
    return HotSpotsError(std::string(what_) + ": " + message);
  }
  void Need(size_t n, const char* field) const {
    if (n > Left()) {
      throw Error("truncated at byte " + std::to_string(pos_) + " (" + field + ": " +
                  std::to_string(n) + " bytes wanted, " + std::to_string(Left()) + " left)");
    }
  }
  int32_t I32(const char* field) {
    Need(4, field);
    const int32_t v = Le32(data_ + pos_);
    pos_ += 4;
    return v;
  }
  uint8_t U8(const char* field) {
    Need(1, field);
    return data_[pos_++];
  }
  void Take(void* out, size_t n, const char* field) {
    Need(n, field);
    if (n > 0) std::memcpy(out, data_ + pos_, n);
    pos_ += n;
  }
  void Skip(size_t n, const char* field) {
    Need(n, field);
    pos_ += n;
  }
  // A count or length that may not be negative and whose items, at least
  // `item_bytes` each, must fit in the bytes left.
  size_t Count(int32_t v, size_t item_bytes, const char* field) const {
    if (v < 0) throw Error(std::string(field) + " " + std::to_string(v) + " is negative");
    if (static_cast<size_t>(v) > Left() / item_bytes) {
      throw Error(std::string(field) + " " + std::to_string(v) + " does not fit in the " +
                  std::to_string(Left()) + " bytes left");
    }
    return static_cast<size_t>(v);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  const char* what_;
};

class Writer {
 public:
  void I32(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(u >> (8 * i)));
  }
  void U8(uint8_t v) { out_.push_back(v); }
  void Text(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }
  std::vector<uint8_t> Take() { return std::move(out_); }

 private:
  std::vector<uint8_t> out_;
};

int32_t CountField(size_t n, const std::string& what) {
  if (n > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw HotSpotsError(what + " too long to store");
  }
  return static_cast<int32_t>(n);
}

Spot ReadSpot(Reader& r, bool has_shape, size_t number) {
  Spot s;
  s.shape = has_shape ? r.U8("shape") : uint8_t{kSpotPolygon};
  if (s.shape > kSpotEllipse) {
    throw r.Error("spot " + std::to_string(number) + " has unknown shape " +
                  std::to_string(s.shape));
  }
  s.tag = r.I32("tag");
  s.enabled = r.U8("enabled") != 0;
  const size_t hint = r.Count(r.I32("hint length"), 1, "hint length");
  s.hint.resize(hint);
  r.Take(s.hint.data(), hint, "hint");
  size_t coords = 4;
  if (s.shape == kSpotPolygon) {
    const size_t corners = r.Count(r.I32("corner count"), 8, "corner count");
    if (corners > kMaxSpotCorners) {
      throw r.Error("spot " + std::to_string(number) + " has " + std::to_string(corners) +
                    " corners, more than " + std::to_string(kMaxSpotCorners));
    }
    coords = 2 * corners;
  }
  s.points.resize(coords);
  for (int32_t& v : s.points) v = r.I32("points");
  return s;
}

bool InRectangle(const std::vector<int32_t>& p, int64_t px, int64_t py) {
  return p.size() == 4 && p[0] <= px && px < p[2] && p[1] <= py && py < p[3];
}

bool InEllipse(const std::vector<int32_t>& p, int64_t px, int64_t py) {
  if (!InRectangle(p, px, py)) return false;
  // Twice the pixel centre's offset from the ellipse centre, against the full
  // axes; exact in doubles for any picture-sized ellipse.
  const double w = double(int64_t{p[2]} - p[0]), h = double(int64_t{p[3]} - p[1]);
  const double x = double(2 * px + 1 - (int64_t{p[0]} + p[2]));
  const double y = double(2 * py + 1 - (int64_t{p[1]} + p[3]));
  return x * x * h * h + y * y * w * w < w * w * h * h;
}

// One polygon edge, from corner i to corner j.
struct Edge {
  int64_t xi, yi, xj, yj;

  // The edge spans rows with y > py on one end only.
  bool Crosses(int64_t py) const { return (yi > py) != (yj > py); }
  // For an edge crossing row py: px lies left of the edge's x at that row (multiplied
  // out by yj - yi). Falls from true to false as px grows.
  bool Left(int64_t px, int64_t py) const {
    const double lhs = double(px - xi) * double(yj - yi);
    const double rhs = double(py - yi) * double(xj - xi);
    return yj > yi ? lhs < rhs : lhs > rhs;
  }
  // For an edge crossing row py: the least px in [left, right] that is not Left of it
  // (right when all are). Starts from the crossing's x and corrects its rounding.
  int64_t FirstNotLeft(int64_t py, int64_t left, int64_t right) const {
    const double x = double(xi) + double(py - yi) * double(xj - xi) / double(yj - yi);
    int64_t c = x <= double(left) ? left : x >= double(right) ? right : int64_t(std::ceil(x));
    while (c > left && !Left(c - 1, py)) --c;
    while (c < right && Left(c, py)) ++c;
    return c;
  }
};

Edge EdgeOf(const std::vector<int32_t>& p, size_t i, size_t j) {
  return {p[2 * i], p[2 * i + 1], p[2 * j], p[2 * j + 1]};
}

// Even-odd rule: count the edges crossed by a ray from the point to the right,
// an edge counting when it spans rows with y > py on one end only.
bool InPolygon(const std::vector<int32_t>& p, int64_t px, int64_t py) {
  const size_t n = p.size() / 2;
  bool inside = false;
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const Edge e = EdgeOf(p, i, j);
    if (e.Crosses(py) && e.Left(px, py)) inside = !inside;
  }
  return inside;
}

// InPolygon for every px of [left, right) at once: each crossing edge flips the
// points left of it, so the flips are marked where they stop and summed up.
void PolygonRow(const std::vector<int32_t>& p, int64_t py, int64_t left, int64_t right,
                uint8_t* inside) {
  const size_t width = static_cast<size_t>(right - left);
  std::fill(inside, inside + width, uint8_t{0});
  const size_t n = p.size() / 2;
  uint8_t flips = 0;  // edges that flip the whole row
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const Edge e = EdgeOf(p, i, j);
    if (!e.Crosses(py)) continue;
    const size_t stop = static_cast<size_t>(e.FirstNotLeft(py, left, right) - left);
    if (stop == 0) continue;
    flips ^= 1;
    if (stop < width) inside[stop] ^= 1;
  }
  for (size_t x = 0; x < width; ++x) inside[x] = flips ^= inside[x];
}

void CheckWritable(const Spot& s, size_t number) {
  const std::string what = "spot " + std::to_string(number);
  if (s.shape > kSpotEllipse) {
    throw HotSpotsError(what + " has unknown shape " + std::to_string(s.shape));
  }
  if (s.shape != kSpotPolygon && s.points.size() != 4) {
    throw HotSpotsError(what + ": a rectangle or ellipse takes 4 coordinates, not " +
                        std::to_string(s.points.size()));
  }
  if (s.shape == kSpotPolygon && s.points.size() % 2 != 0) {
    throw HotSpotsError(what + ": a polygon takes x, y pairs, not " +
                        std::to_string(s.points.size()) + " coordinates");
  }
  if (s.shape == kSpotPolygon && s.points.size() / 2 > kMaxSpotCorners) {
    throw HotSpotsError(what + " has " + std::to_string(s.points.size() / 2) +
                        " corners, more than " + std::to_string(kMaxSpotCorners));
  }
}

}  // namespace

void Spot::RowInside(int64_t py, int64_t left, int64_t right, uint8_t* inside) const {
  if (right <= left) return;
  if (shape == kSpotPolygon) return PolygonRow(points, py, left, right, inside);
  for (int64_t px = left; px < right; ++px) inside[px - left] = Contains(px, py) ? 1 : 0;
}

bool Spot::Contains(int64_t px, int64_t py) const {
  switch (shape) {
    case kSpotRectangle:
      return InRectangle(points, px, py);
    case kSpotEllipse:
      return InEllipse(points, px, py);
    case kSpotPolygon:
      return InPolygon(points, px, py);
    default:
      return false;
  }
}

HotRect Spot::Bounds() const {
  if (shape != kSpotPolygon) {
    if (points.size() != 4) return {};
    return {points[0], points[1], points[2], points[3]};
  }
  if (points.size() < 2) return {};
  HotRect r{points[0], points[1], points[0], points[1]};
  for (size_t i = 0; i + 1 < points.size(); i += 2) {
    r.left = std::min(r.left, points[i]);
    r.right = std::max(r.right, points[i]);
    r.top = std::min(r.top, points[i + 1]);
    r.bottom = std::max(r.bottom, points[i + 1]);
  }
  return r;
}

int HotSpots::SpotAt(int64_t px, int64_t py) const {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].enabled && items[i].Contains(px, py)) return static_cast<int>(i);
  }
  return -1;
}

HotSpots ReadSpots(const uint8_t* data, size_t size) {
  HotSpots out;
  if (size == 0) return out;
  Reader r(data, size, "Spots");
  const int32_t first = r.I32("format");
  const bool has_shape = first == 0;
  const int32_t count = has_shape ? r.I32("spot count") : first;
  const size_t n = r.Count(count, has_shape ? kMinSpotBytes : kMinOldSpotBytes, "spot count");
  out.items.reserve(n);
  for (size_t i = 0; i < n; ++i) out.items.push_back(ReadSpot(r, has_shape, i));
  return out;
}

void ReadMaskItems(HotSpots& spots, const uint8_t* data, size_t size) {
  std::vector<std::optional<MaskItem>> masks(spots.items.size());
  if (size > 0) {
    Reader r(data, size, "MaskItems");
    const int32_t size_field = r.I32("record size");
    if (size_field < 0) throw r.Error("record size " + std::to_string(size_field) + " is negative");
    const size_t record = static_cast<size_t>(size_field);  // each item checks it fits
    const size_t taken = std::min<size_t>(record, kMaskRecordBytes);
    // Every item takes at least its 4-byte spot number.
    const size_t count = r.Count(r.I32("item count"), 4, "item count");
    for (size_t i = 0; i < count; ++i) {
      const int32_t spot = r.I32("spot number");
      if (spot < 0) continue;  // an item without state and points
      MaskItem m;
      m.states = r.U8("state set") & 3;
      uint8_t bytes[kMaskRecordBytes] = {};  // a short record leaves the rest 0
      r.Take(bytes, taken, "state points");
      r.Skip(record - taken, "state points");
      for (int k = 0; k < 4; ++k) m.points[k] = Le32(bytes + 4 * k);
      if (static_cast<size_t>(spot) >= masks.size()) continue;
      if (m.states == 0) {
        masks[spot].reset();
      } else {
        masks[spot] = m;
      }
    }
  }
  for (size_t i = 0; i < masks.size(); ++i) spots.items[i].mask = masks[i];
}

std::vector<uint8_t> WriteSpots(const HotSpots& spots) {
  Writer w;
  w.I32(0);
  w.I32(CountField(spots.items.size(), "spot list"));
  for (size_t i = 0; i < spots.items.size(); ++i) {
    const Spot& s = spots.items[i];
    CheckWritable(s, i);
    w.U8(s.shape);
    w.I32(s.tag);
    w.U8(s.enabled ? 1 : 0);
    w.I32(CountField(s.hint.size(), "hint of spot " + std::to_string(i)));
    w.Text(s.hint);
    if (s.shape == kSpotPolygon) {
      w.I32(CountField(s.points.size() / 2, "polygon of spot " + std::to_string(i)));
    }
    for (int32_t v : s.points) w.I32(v);
  }
  return w.Take();
}

std::vector<uint8_t> WriteMaskItems(const HotSpots& spots) {
  std::vector<size_t> written;
  for (size_t i = 0; i < spots.items.size(); ++i) {
    const std::optional<MaskItem>& m = spots.items[i].mask;
    if (m && (m->states & 3) != 0) written.push_back(i);
  }
  Writer w;
  w.I32(kMaskRecordBytes);
  w.I32(CountField(written.size(), "mask item list"));
  for (size_t i : written) {
    const MaskItem& m = *spots.items[i].mask;
    w.I32(CountField(i, "spot number"));
    w.U8(m.states & 3);
    for (int32_t v : m.points) w.I32(v);
  }
  return w.Take();
}

HotSpots LauncherSpots() {
  // Shape, tag and geometry in the menu picture's coordinates.
  struct Entry {
    uint8_t shape;
    int32_t tag;
    std::vector<int32_t> points;
  };
  // Tags: 1 game, 2 training (the start panel), 3 setup, 4 quit, 5 records.
  const Entry entries[5] = {
      {kSpotEllipse, 1, {115, 69, 182, 136}},
      {kSpotPolygon, 2, {173, 71, 187, 88, 288, 88, 292, 79, 284, 72, 191, 69}},
      {kSpotPolygon, 3, {187, 91, 189, 109, 259, 109, 278, 99, 286, 91}},
      {kSpotPolygon, 4, {176, 131, 183, 122, 187, 113, 259, 111, 236, 121, 205, 128, 187, 131}},
      {kSpotEllipse, 5, {312, 84, 377, 128}},
  };
  HotSpots spots;
  for (const Entry& e : entries) {
    Spot s;
    s.shape = e.shape;
    s.tag = e.tag;
    s.points = e.points;
    // The highlight art sits at the same place in the highlighted picture.
    const HotRect box = s.Bounds();
    s.mask = MaskItem{static_cast<uint8_t>(1 << kSpotHighlighted), {box.left, box.top, 0, 0}};
    spots.items.push_back(std::move(s));
  }
  return spots;
}

}  // namespace gp
