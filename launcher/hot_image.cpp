#include "launcher/hot_image.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace gp {

namespace {

bool Usable(const gp::Picture& p) {
  return !p.empty() && p.pixels.size() == static_cast<size_t>(p.width) * p.height;
}

// a / b rounded to nearest, halves away from zero; b > 0.
int64_t RoundDiv(int64_t a, int64_t b) {
  return a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b));
}
int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int64_t CeilDiv(int64_t a, int64_t b) {
  return -FloorDiv(-a, b);
}

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

HotRect Intersect(const HotRect& a, const HotRect& b) {
  HotRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
  return r.Empty() ? HotRect{} : r;
}

}  // namespace

void HotImage::Move(int x, int y) {
  if (!enabled_) return;
  HitTest(x, y);
  UpdateHighlight();
}

void HotImage::Down(int x, int y) {
  if (!enabled_) return;
  HitTest(x, y);
  if (!held_) {  // a second button changes nothing
    held_ = true;
    pressed_ = current_;
  }
  UpdateHighlight();
}

HotClick HotImage::Up(int x, int y) {
  if (!enabled_ || !held_) return {};
  HitTest(x, y);  // the button still counts as held here
  HotClick click;
  click.spot = current_;
  // Releasing outside the control is no click at all.
  click.passed = inside_ && (!HotAreasOnly || current_ == pressed_);
  held_ = false;
  pressed_ = -1;
  UpdateHighlight();
  return click;
}

void HotImage::Leave() {
  inside_ = false;
  tested_ = false;  // coming back in tests again, wherever it is
  if (enabled_ && !held_) ShowHighlight(-1, Highlight::kNone);
}

void HotImage::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) return;  // the highlight comes back with the next movement
  held_ = false;
  pressed_ = -1;
  ShowHighlight(-1, Highlight::kNone);
}

void HotImage::Reset() {
  current_ = -1;
  held_ = false;
  pressed_ = -1;
  tested_ = false;
  shown_spot_ = -1;
  shown_state_ = Highlight::kNone;
  bitmap_ = {};
  area_ = {};
  dirty_.clear();
  if (Width > 0 && Height > 0) dirty_.push_back({0, 0, Width, Height});
}

HotRect HotImage::Destination() const {
  if (Scaled) return {0, 0, Width, Height};
  const int pw = Usable(Picture) ? Picture.width : 0;
  const int ph = Usable(Picture) ? Picture.height : 0;
  HotRect d{0, 0, pw, ph};
  if (Center) {  // integer division truncates toward zero, also for a larger picture
    const int64_t left = (int64_t{Width} - pw) / 2, top = (int64_t{Height} - ph) / 2;
    d = {Clamp32(left), Clamp32(top), Clamp32(left + pw), Clamp32(top + ph)};
  }
  return d;
}

bool HotImage::ToPicture(int x, int y, int64_t& px, int64_t& py) const {
  if (!Usable(Picture)) return false;
  const HotRect d = Destination();
  const int64_t dw = int64_t{d.right} - d.left, dh = int64_t{d.bottom} - d.top;
  if (dw <= 0 || dh <= 0) return false;
  px = RoundDiv((int64_t{x} - d.left) * Picture.width, dw);
  py = RoundDiv((int64_t{y} - d.top) * Picture.height, dh);
  return true;
}

HotRect HotImage::ToControl(const HotRect& area) const {
  const HotRect d = Destination();
  const int64_t pw = Usable(Picture) ? Picture.width : 0;
  const int64_t ph = Usable(Picture) ? Picture.height : 0;
  if (pw <= 0 || ph <= 0) return {};
  const int64_t dw = int64_t{d.right} - d.left, dh = int64_t{d.bottom} - d.top;
  return {Clamp32(d.left + FloorDiv(area.left * dw, pw)),
          Clamp32(d.top + FloorDiv(area.top * dh, ph)),
          Clamp32(d.left + CeilDiv(area.right * dw, pw)),
          Clamp32(d.top + CeilDiv(area.bottom * dh, ph))};
}

gp::Picture HotImage::Shown() const {
  gp::Picture out = Picture;
  // A picture swapped since the highlight was built (without Reset) shows plain.
  if (bitmap_.empty() || !Usable(out) || area_.right > out.width || area_.bottom > out.height) {
    return out;
  }
  for (int y = 0; y < bitmap_.height; ++y) {
    std::copy_n(bitmap_.pixels.begin() + static_cast<size_t>(y) * bitmap_.width, bitmap_.width,
                out.pixels.begin() + static_cast<size_t>(area_.top + y) * out.width + area_.left);
  }
  return out;
}

std::vector<HotRect> HotImage::TakeDirty() {
  return std::exchange(dirty_, {});
}

bool HotImage::InControl(int x, int y) const {
  return x >= 0 && x < Width && y >= 0 && y < Height;
}

// Finds the spot under control point (x, y), unless the pointer has not moved
// since the last test; raises OnSelectSpot when it is a different one.
void HotImage::HitTest(int x, int y) {
  inside_ = InControl(x, y);
  if (tested_ && x == tested_x_ && y == tested_y_) return;
  tested_ = true;
  tested_x_ = x;
  tested_y_ = y;
  int found = -1;
  int64_t px = 0, py = 0;
  if (inside_ && ToPicture(x, y, px, py)) {
    const bool keep = held_ && pressed_ >= 0 && pressed_ < HotSpots.Count() &&
                      HotSpots.items[pressed_].enabled && HotSpots.items[pressed_].Contains(px, py);
    found = keep ? pressed_ : HotSpots.SpotAt(px, py);
  }
  if (found == current_) return;
  current_ = found;
  if (OnSelectSpot) OnSelectSpot(found);
}

// Shows the highlight the pointer and buttons call for: while a button is held
// the pressed spot (pressed while the pointer is on it, else highlighted);
// otherwise the current spot, highlighted; nothing outside the control.
void HotImage::UpdateHighlight() {
  if (held_) {
    if (pressed_ < 0) return ShowHighlight(-1, Highlight::kNone);
    return ShowHighlight(pressed_,
                         current_ == pressed_ ? Highlight::kPressed : Highlight::kHighlighted);
  }
  if (!inside_ || current_ < 0) return ShowHighlight(-1, Highlight::kNone);
  ShowHighlight(current_, Highlight::kHighlighted);
}

void HotImage::ShowHighlight(int spot, Highlight state) {
  if (spot == shown_spot_ && state == shown_state_) return;
  shown_spot_ = spot;
  shown_state_ = state;
  if (!bitmap_.empty()) AddDirty(area_);
  bitmap_ = {};
  area_ = {};
  if (state == Highlight::kNone || spot < 0 || spot >= HotSpots.Count()) return;
  const Spot& s = HotSpots.items[spot];
  if (!s.mask) return;
  // The pressed state falls back to the highlighted art.
  int art = state == Highlight::kPressed ? kSpotPressed : kSpotHighlighted;
  if (!s.mask->Has(art)) art = kSpotHighlighted;
  if (!s.mask->Has(art)) return;
  BuildBitmap(s, s.mask->points[2 * art], s.mask->points[2 * art + 1]);
  if (!bitmap_.empty()) AddDirty(area_);
}

// The spot's bounding box (within the picture) from MaskPicture inside the
// spot's region, with (mx, my) of MaskPicture on the box's top left corner, and
// from Picture outside the region or beyond MaskPicture.
void HotImage::BuildBitmap(const Spot& spot, int64_t mx, int64_t my) {
  if (!Usable(Picture) || !Usable(MaskPicture)) return;
  const HotRect box = spot.Bounds();
  area_ = Intersect(box, {0, 0, Picture.width, Picture.height});
  if (area_.Empty()) return;
  bitmap_.width = area_.right - area_.left;
  bitmap_.height = area_.bottom - area_.top;
  bitmap_.pixels.reserve(static_cast<size_t>(bitmap_.width) * bitmap_.height);
  std::vector<uint8_t> inside(static_cast<size_t>(bitmap_.width), 1);
  const bool whole = spot.shape == kSpotRectangle;
  for (int y = area_.top; y < area_.bottom; ++y) {
    if (!whole) spot.RowInside(y, area_.left, area_.right, inside.data());
    for (int x = area_.left; x < area_.right; ++x) {
      uint32_t c = Picture.at(x, y);
      if (inside[static_cast<size_t>(x - area_.left)] != 0) {
        const int64_t sx = mx + (x - int64_t{box.left}), sy = my + (y - int64_t{box.top});
        if (sx >= 0 && sx < MaskPicture.width && sy >= 0 && sy < MaskPicture.height) {
          c = MaskPicture.at(static_cast<int>(sx), static_cast<int>(sy));
        }
      }
      bitmap_.pixels.push_back(c);
    }
  }
}

void HotImage::AddDirty(const HotRect& picture_area) {
  const HotRect r = Intersect(ToControl(picture_area), {0, 0, Width, Height});
  if (!r.Empty()) dirty_.push_back(r);
}

}  // namespace gp
