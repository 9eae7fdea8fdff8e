#include "launcher/intro.h"

#include <cmath>
#include <utility>

namespace gp {

namespace {
constexpr const char* kLogoMovie = "zorbel.avi";
constexpr const char* kIntroMovie = "intro.avi";
}  // namespace

Intro::Intro(IntroHost& host, std::string folder) : host_(host), folder_(std::move(folder)) {}

bool Intro::OpenAndPlace(const std::string& name) {
  notify_ = false;
  filename_ = folder_ + name;
  int w = 0, h = 0;
  std::string error;
  const bool ok = host_.OpenMovie(filename_, w, h, error);
  notify_ = true;
  if (!ok) {
    host_.ReportError("galaputt: cannot play " + filename_ + ": " + error);
    player_ = {};
    return false;
  }
  // Natural size, centred; integer division truncates toward zero.
  player_.w = w;
  player_.h = h;
  player_.y = height_ / 2 - h / 2;
  player_.x = width_ / 2 - w / 2;
  return true;
}

void Intro::Show(int width, int height) {
  if (state_ != State::Hidden) return;
  width_ = width;
  height_ = height;
  state_ = State::Waiting;
  host_.PointerShape(false);
  logo_ok_ = OpenAndPlace(kLogoMovie);
}

void Intro::Activate(uint32_t now) {
  if (state_ != State::Waiting || activated_) return;  // a later activation replays nothing
  activated_ = true;
  wait_start_ = now;
}

void Intro::Tick(uint32_t now) {
  if (state_ != State::Waiting || !activated_ || now - wait_start_ < kWaitMs) return;
  StartPlaying();
  if (pending_skip_) Skip();
}

void Intro::StartPlaying() {
  state_ = State::LogoPlaying;
  if (logo_ok_) host_.PlayMovie();
  host_.WarpPointer(width_, height_);
  host_.ShowPointer(false);
  pointer_hidden_ = true;
  // A logo that could not be opened counts as played to its end.
  if (!logo_ok_) CompletionReport();
}

void Intro::CompletionReport() {
  if (state_ != State::LogoPlaying && state_ != State::IntroPlaying) return;
  if (filename_ == folder_ + kIntroMovie) {
    filename_.clear();
    notify_ = false;
    host_.StopMovie();
    Close();
  } else if (filename_ == folder_ + kLogoMovie) {
    notify_ = false;
    state_ = State::IntroPlaying;
    if (OpenAndPlace(kIntroMovie)) {
      host_.PlayMovie();
    } else {
      CompletionReport();  // as if the intro had played to its end
    }
  }
  // Otherwise the name was cleared by a skip: nothing to do.
}

void Intro::Key() {
  Skip();
}

void Intro::Button() {
  Skip();
}

void Intro::Skip() {
  if (state_ == State::Waiting) {
    pending_skip_ = true;  // seen when the wait is over
    return;
  }
  if (state_ != State::LogoPlaying && state_ != State::IntroPlaying) return;
  filename_.clear();
  notify_ = false;
  host_.StopMovie();
  Close();
}

void Intro::MouseMove() {
  if (state_ == State::LogoPlaying || state_ == State::IntroPlaying) {
    host_.WarpPointer(width_, height_);
  }
}

void Intro::Close() {
  state_ = State::Closed;
  host_.PointerShape(true);
  if (pointer_hidden_) {
    host_.ShowPointer(true);
    pointer_hidden_ = false;
  }
}

int DueFrame(double fps, uint32_t started, uint32_t now) {
  const uint32_t elapsed = now - started;  // wraps with the clock
  if (fps <= 0) return 0;
  return static_cast<int>(std::floor(static_cast<double>(elapsed) * fps / 1000.0));
}

}  // namespace gp
