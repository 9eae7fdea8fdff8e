// Hot-spot data: the input's first two bytes give the length of its "Spots"
// part (0xFFFF: all of the rest), the rest is "MaskItems". What reads must
// write back and read again the same, and must survive hit testing and
// highlighting on the launcher's menu (a 421 x 165 picture centred in a
// 367 x 122 control), each in little time.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "launcher/hot_image.h"
#include "media/hot_spots.h"

namespace {

gp::Picture Plain(int w, int h, uint32_t colour) {
  gp::Picture p;
  p.width = w;
  p.height = h;
  p.pixels.assign(static_cast<size_t>(w) * h, colour);
  return p;
}

constexpr int kPictureW = 421, kPictureH = 165, kControlW = 367, kControlH = 122;

// Moves, presses and releases over the control, around and beyond its edges.
void Drive(const gp::HotSpots& spots, const uint8_t* data, size_t size) {
  gp::HotImage image;
  image.Picture = Plain(kPictureW, kPictureH, 0x112233);
  image.MaskPicture = Plain(kPictureW, kPictureH, 0x445566);
  image.HotSpots = spots;
  image.Width = kControlW;
  image.Height = kControlH;
  image.Center = (size & 1) != 0;
  image.Scaled = (size & 2) != 0;
  int selected = 0;
  image.OnSelectSpot = [&](int) { ++selected; };
  for (size_t i = 0; i + 2 < size && i < 48; i += 3) {
    const int x = data[i] * (kControlW + 8) / 256 - 4, y = data[i + 1] * (kControlH + 8) / 256 - 4;
    switch (data[i + 2] % 5) {
      case 0:
        image.Move(x, y);
        break;
      case 1:
        image.Down(x, y);
        break;
      case 2:
        image.Up(x, y);
        break;
      case 3:
        image.Leave();
        break;
      default:
        image.SetEnabled(data[i + 2] & 8);
        break;
    }
    const gp::Picture& b = image.HighlightBitmap();
    if (b.pixels.size() != static_cast<size_t>(b.width) * b.height) std::abort();
    if (image.Shown().pixels.size() != image.Picture.pixels.size()) std::abort();
    for (const gp::HotRect& r : image.TakeDirty()) {
      if (r.Empty() || r.left < 0 || r.top < 0 || r.right > kControlW || r.bottom > kControlH)
        std::abort();
    }
  }
}

// Every point of a spot lies in its bounding box (checked where the arithmetic
// is exact: coordinates within a million).
void CheckInBounds(const gp::Spot& spot, const uint8_t* data, size_t size) {
  const gp::HotRect b = spot.Bounds();
  for (int32_t v : {b.left, b.top, b.right, b.bottom}) {
    if (v < -1000000 || v > 1000000) return;
  }
  const int64_t w = int64_t{b.right} - b.left + 4, h = int64_t{b.bottom} - b.top + 4;
  for (size_t i = 0; i + 1 < size && i < 64; i += 2) {
    const int64_t px = b.left - 2 + data[i] * w / 256, py = b.top - 2 + data[i + 1] * h / 256;
    const bool in_box = px >= b.left && px < b.right && py >= b.top && py < b.bottom;
    if (spot.Contains(px, py) && !in_box) std::abort();
  }
}

// A row at once agrees with the point test, on two rows of the spot's box.
void CheckRows(const gp::Spot& spot, const uint8_t* data, size_t size) {
  const gp::HotRect b = spot.Bounds();
  const int64_t w = int64_t{b.right} - b.left + 4, h = int64_t{b.bottom} - b.top + 4;
  uint8_t row[24];
  const int64_t left = int64_t{b.left} - 2, right = left + std::min<int64_t>(w, 24);
  for (size_t i = 0; i < size && i < 2; ++i) {
    const int64_t py = int64_t{b.top} - 2 + data[i] * h / 256;
    spot.RowInside(py, left, right, row);
    for (int64_t px = left; px < right; ++px) {
      if ((row[px - left] != 0) != spot.Contains(px, py)) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  size_t split = data[0] | static_cast<size_t>(data[1]) << 8;
  data += 2;
  size -= 2;
  if (split > size || split == 0xFFFF) split = size;
  gp::HotSpots spots;
  try {
    spots = gp::ReadSpots(data, split);
    gp::ReadMaskItems(spots, data + split, size - split);
  } catch (const gp::HotSpotsError&) {
    return 0;
  }
  const std::vector<uint8_t> s = gp::WriteSpots(spots), m = gp::WriteMaskItems(spots);
  gp::HotSpots again = gp::ReadSpots(s.data(), s.size());
  gp::ReadMaskItems(again, m.data(), m.size());
  if (!(again == spots)) std::abort();
  if (gp::WriteSpots(again) != s || gp::WriteMaskItems(again) != m) std::abort();
  for (const gp::Spot& spot : spots.items) CheckInBounds(spot, data, size);
  for (size_t i = 0; i < spots.items.size() && i < 8; ++i) CheckRows(spots.items[i], data, size);
  Drive(spots, data, size);
  return 0;
}
