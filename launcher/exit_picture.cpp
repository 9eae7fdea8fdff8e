#include "launcher/exit_picture.h"

#include <algorithm>

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

}  // namespace gp
