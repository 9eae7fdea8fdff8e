#include "launcher/exit_picture.h"

#include <algorithm>

#include "media/rgb565.h"

namespace gp {

void ExitPicture::Show(int width, int height) {
  if (shown_) return;
  shown_ = true;
  width_ = width;
  height_ = height;
  pointer_steps_ = -1;  // hidden while the picture shows
}

void ExitPicture::Key() {
  Close();
}

void ExitPicture::Button() {
  Close();
}

void ExitPicture::Close() {
  if (!shown_ || closed_) return;  // a second key or click changes nothing
  closed_ = true;
  pointer_steps_ = 0;
}

ScreenRect ExitPicture::PictureRect(int pw, int ph) const {
  return {0, 0, std::clamp(pw, 0, width_), std::clamp(ph, 0, height_)};
}

void DrawAtOwnSize(const uint32_t* colours, int pw, int ph, int x, int y, uint16_t* screen,
                   int width, int height, int pitch) {
  if (!screen || width <= 0 || height <= 0 || pitch < width) return;
  for (int row = 0; row < height; ++row) {
    std::fill_n(screen + static_cast<size_t>(row) * pitch, width, uint16_t{0});
  }
  if (!colours || pw <= 0 || ph <= 0) return;
  const int x0 = std::max(0, x), x1 = std::min(width, x + pw);
  const int y0 = std::max(0, y), y1 = std::min(height, y + ph);
  for (int sy = y0; sy < y1; ++sy) {
    const uint32_t* src = colours + static_cast<size_t>(sy - y) * pw + (x0 - x);
    uint16_t* dst = screen + static_cast<size_t>(sy) * pitch + x0;
    for (int sx = x0; sx < x1; ++sx) *dst++ = ToNative(*src++);
  }
}

void DrawExitPicture(const Picture& picture, uint16_t* screen, int width, int height, int pitch) {
  const bool valid = !picture.empty() &&
                     picture.pixels.size() == static_cast<size_t>(picture.width) * picture.height;
  DrawAtOwnSize(valid ? picture.pixels.data() : nullptr, picture.width, picture.height, 0, 0,
                screen, width, height, pitch);
}

}  // namespace gp
