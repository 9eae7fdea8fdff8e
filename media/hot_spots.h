#pragma once
// The spots of the main menu's hot-spot image: clickable regions of any shape
// in picture coordinates, their highlight art, hit testing, and the two stored
// byte forms ("Spots" and "MaskItems"). Standard library only, so the asset
// compiler can write the stored forms with this same code.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace gp {

// Raised by the readers and the writers on bytes or spots they cannot take.
struct HotSpotsError : std::runtime_error {
  explicit HotSpotsError(const std::string& message) : std::runtime_error(message) {}
};

// A rectangle, left and top inside, right and bottom outside (pixels).
struct HotRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const HotRect&) const = default;
};

enum SpotShape : uint8_t { kSpotPolygon = 0, kSpotRectangle = 1, kSpotEllipse = 2 };

// Most corners of a polygon spot the stored form may hold (the launcher's have
// five to seven): a hit test costs a pass over them, a highlight one per row.
inline constexpr size_t kMaxSpotCorners = 1024;

// Spot states a mask item can give art for (bit numbers of MaskItem::states).
enum SpotState : int { kSpotHighlighted = 0, kSpotPressed = 1 };

// The highlight art of one spot: for each state whose bit is set, the top left
// corner in the mask picture of a spot-bounding-box-sized piece.
struct MaskItem {
  uint8_t states = 0;      // bit 0 highlighted, bit 1 pressed; no other bits
  int32_t points[4] = {};  // x, y for state 0, then x, y for state 1

  bool Has(int state) const { return (states >> state) & 1; }
  bool operator==(const MaskItem&) const = default;
};

struct Spot {
  uint8_t shape = kSpotPolygon;  // SpotShape
  int32_t tag = 0;               // for the application's use
  bool enabled = true;           // a disabled spot is never hit
  std::string hint;              // single-byte text
  // Rectangle and ellipse: left, top, right, bottom. Polygon: x, y per corner.
  std::vector<int32_t> points;
  std::optional<MaskItem> mask;

  // Whether picture point (px, py) lies in the spot's region (enabled or not).
  // Rectangle: left <= px < right, top <= py < bottom. Ellipse: the pixel's
  // centre lies strictly inside the ellipse filling the rectangle. Polygon: the
  // even-odd rule, with the same half-open edges as the rectangle.
  bool Contains(int64_t px, int64_t py) const;
  // Contains for the points (px, py) with left <= px < right, 1 or 0 each into
  // inside[0 .. right - left), in time proportional to the corners plus the width.
  void RowInside(int64_t py, int64_t left, int64_t right, uint8_t* inside) const;
  // Rectangle and ellipse: their rectangle; polygon: the corners' least and
  // greatest x and y (no corners: all zero).
  HotRect Bounds() const;

  bool operator==(const Spot&) const = default;
};

// The spot list; a spot's number is its position, from 0.
struct HotSpots {
  std::vector<Spot> items;

  // The number of the first enabled spot containing (px, py); -1 = none.
  int SpotAt(int64_t px, int64_t py) const;
  int Count() const { return static_cast<int>(items.size()); }

  bool operator==(const HotSpots&) const = default;
};

// Reads the "Spots" bytes (either layout: a first 32-bit value of 0 is followed
// by the count and spots with shape bytes; a non-zero one is the count of an
// older layout whose spots are all polygons). No bytes at all: no spots; bytes
// after the last spot are ignored. The spots come without mask items. Throws
// HotSpotsError, also for a polygon of more than kMaxSpotCorners corners.
HotSpots ReadSpots(const uint8_t* data, size_t size);

// Reads the "MaskItems" bytes into `spots`, replacing every mask item. Items
// naming a spot beyond the list are skipped; an empty state set leaves the spot
// without one. No bytes at all: no mask items. On error `spots` is unchanged.
void ReadMaskItems(HotSpots& spots, const uint8_t* data, size_t size);

// The stored forms as written: "Spots" always with shape bytes, "MaskItems"
// with 16-byte point records and only the spots that have a mask item. Throws
// HotSpotsError for a spot these forms cannot hold (unknown shape, a point
// count that does not fit the shape, too many corners).
std::vector<uint8_t> WriteSpots(const HotSpots& spots);
std::vector<uint8_t> WriteMaskItems(const HotSpots& spots);

// The launcher's five menu spots (tags 1..5: game, training, setup, quit, records), in
// the coordinates of its 421 by 165 menu picture; each highlighted from the
// same place of the highlighted picture.
HotSpots LauncherSpots();

}  // namespace gp
