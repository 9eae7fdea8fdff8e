#pragma once
// The hot-spot image control's logic, without any window code: where the
// picture sits in the control, which spot is under the pointer, which spot is
// pressed, which highlight is shown, and whether a click is passed on. The
// platform feeds mouse events in control coordinates, paints Picture at
// Destination() and HighlightBitmap() over it at HighlightArea(), and repaints
// what TakeDirty() returns.

#include <cstdint>
#include <functional>
#include <vector>

#include "media/hot_spots.h"
#include "media/picture.h"

namespace gp {

enum class Highlight { kNone, kHighlighted, kPressed };

// What a button release did.
struct HotClick {
  bool passed = false;  // the click goes on to the application
  int spot = -1;        // the current spot at the release; -1 = none
};

class HotImage {
 public:
  // Change these before the first event, or call Reset() after changing them.
  gp::Picture Picture;        // the normal picture
  gp::Picture MaskPicture;    // the highlighted version, same layout
  gp::HotSpots HotSpots;      // in picture coordinates
  bool HotAreasOnly = true;   // a click counts only when made on the spot it went down on
  bool Center = false;        // picture centred in the control, not scaled
  bool Scaled = false;        // picture scaled to fill the control (before Center)
  int Width = 0, Height = 0;  // control size, pixels
  // The spot under the pointer has changed: its number, -1 = none.
  std::function<void(int spot)> OnSelectSpot;

  // Mouse events in control coordinates. A disabled control ignores them.
  void Move(int x, int y);
  void Down(int x, int y);
  HotClick Up(int x, int y);
  void Leave();
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  // Forgets the current and pressed spot and the highlight, and marks the whole
  // control for repainting; for after a change of pictures, spots or size.
  void Reset();

  // The picture's destination rectangle in the control.
  HotRect Destination() const;
  // The picture point under control point (x, y), rounded; false when there
  // is no picture to map to.
  bool ToPicture(int x, int y, int64_t& px, int64_t& py) const;
  // The control area covering a picture area.
  HotRect ToControl(const HotRect& area) const;

  int CurrentSpot() const { return current_; }  // -1 = none
  int PressedSpot() const { return pressed_; }  // -1 = none or no button held
  bool ButtonHeld() const { return held_; }
  bool OverSpot() const { return current_ >= 0; }  // show the hot pointer shape

  // The highlight being shown: which spot in which state (-1 / kNone when
  // none), its bitmap (empty when none) and where that goes in the picture.
  int HighlightSpot() const { return shown_spot_; }
  Highlight HighlightState() const { return shown_state_; }
  const gp::Picture& HighlightBitmap() const { return bitmap_; }
  HotRect HighlightArea() const { return area_; }
  // Picture with the highlight painted over it.
  gp::Picture Shown() const;

  // The control areas to repaint since the last call.
  std::vector<HotRect> TakeDirty();

 private:
  bool InControl(int x, int y) const;
  void HitTest(int x, int y);
  void UpdateHighlight();
  void ShowHighlight(int spot, Highlight state);
  void BuildBitmap(const Spot& spot, int64_t mx, int64_t my);
  void AddDirty(const HotRect& picture_area);

  bool enabled_ = true;
  int current_ = -1;     // spot under the pointer
  bool held_ = false;    // a button went down on the control and is still held
  int pressed_ = -1;     // spot the button went down on
  bool inside_ = false;  // the last event was inside the control
  bool tested_ = false;  // (tested_x_, tested_y_) is the last hit-tested point
  int tested_x_ = 0, tested_y_ = 0;

  int shown_spot_ = -1;
  Highlight shown_state_ = Highlight::kNone;
  gp::Picture bitmap_;
  HotRect area_;  // picture coordinates
  std::vector<HotRect> dirty_;
};

}  // namespace gp
