#include "launcher/window/intro_window.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "launcher/exit_picture.h"
#include "launcher/intro.h"
#include "launcher/launcher_files.h"
#include "media/bitmap_codec.h"
#include "media/ffmpeg/ffmpeg_movie.h"
#include "media/movie.h"
#include "media/wave_list.h"

namespace gp {

namespace {

// Longest wait for an event between passes of the modal loops, milliseconds: the
// intro's movie frames and its wait are checked at least this often.
constexpr uint32_t kIntroPassMs = 5;
constexpr uint32_t kExitPassMs = 500;

// The intro window's movie player and pointer, on the launcher's screen.
class IntroWindow : public IntroHost {
 public:
  IntroWindow(LauncherScreen& screen, Mixer& mixer) : screen_(screen), mixer_(mixer) {}
  ~IntroWindow() override { StopMovie(); }

  bool OpenMovie(const std::string& path, int& width, int& height, std::string& error) override {
    StopMovie();
    movie_ = OpenFfmpegMovie(path, error);
    if (!movie_) return false;
    width = movie_->Width();
    height = movie_->Height();
    return true;
  }
  void PlayMovie() override {
    if (!movie_) return;
    started_ = SDL_GetTicks();
    decoded_ = 0;
    playing_ = true;
    if (movie_->HasAudio()) {
      sound_ = std::make_unique<WaveItem>();
      sound_->samples = movie_->Audio();
      mixer_.Play(*sound_);
    }
  }
  void StopMovie() override {
    playing_ = false;
    if (sound_) {
      mixer_.Stop(*sound_);
      sound_.reset();
    }
  }
  void WarpPointer(int x, int y) override {
    int wx = 0, wy = 0;
    screen_.ToWindow(x, y, wx, wy);
    SDL_WarpMouseInWindow(screen_.window(), wx, wy);
  }
  void ShowPointer(bool show) override {
    steps_ += show ? 1 : -1;
    ApplyPointer();
  }
  void PointerShape(bool shown) override {
    shape_ = shown;
    ApplyPointer();
  }
  void ReportError(const std::string& line) override { std::fprintf(stderr, "%s\n", line.c_str()); }

  // Decodes the frames due by now; true when the movie has ended. `fresh` is set when
  // a new frame is ready to be drawn.
  bool Advance(uint32_t now, bool& fresh) {
    if (!playing_ || !movie_) return false;
    const int due = DueFrame(movie_->FrameRate(), started_, now);
    while (decoded_ <= due) {
      if (!movie_->NextFrame(frame_)) {
        playing_ = false;
        fresh = true;  // the screen goes black
        return true;
      }
      ++decoded_;
      fresh = true;
      LauncherScreen::Upload(screen_.renderer(), texture_, frame_.data(), movie_->Width(),
                             movie_->Height());
    }
    return false;
  }
  void Draw(const ScreenRect& at) {
    screen_.Begin();
    DrawAtOwnSize(screen_.renderer(), playing_ ? texture_ : nullptr, at);
    screen_.End();
  }
  void Release() {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
  }

 private:
  // Seen only with a shape and a display count of 0 or more.
  void ApplyPointer() { SDL_ShowCursor(shape_ && steps_ >= 0 ? SDL_ENABLE : SDL_DISABLE); }

  LauncherScreen& screen_;
  Mixer& mixer_;
  bool shape_ = true;
  int steps_ = 0;  // net steps of the display count
  std::unique_ptr<Movie> movie_;
  std::unique_ptr<WaveItem> sound_;
  std::vector<uint32_t> frame_;
  SDL_Texture* texture_ = nullptr;
  uint32_t started_ = 0;
  int decoded_ = 0;
  bool playing_ = false;
};

}  // namespace

void DrawAtOwnSize(SDL_Renderer* renderer, SDL_Texture* texture, const ScreenRect& at) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  if (!texture || at.w <= 0 || at.h <= 0) return;
  const SDL_Rect src{0, 0, at.w, at.h}, dst{at.x, at.y, at.w, at.h};
  SDL_RenderCopy(renderer, texture, &src, &dst);
}

void PlayIntro(LauncherScreen& screen, Mixer& mixer, const std::string& folder,
               const std::function<void(uint32_t)>& underneath) {
  IntroWindow window(screen, mixer);
  Intro intro(window, folder);
  intro.Show(screen.width(), screen.height());
  intro.Activate(SDL_GetTicks());
  bool redraw = true;
  while (!intro.Closed()) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      if (screen.Event(e)) redraw = true;
      if (screen.ScreenModeKey(e)) continue;
      if (e.type == SDL_KEYDOWN || e.type == SDL_QUIT) intro.Key();
      if (e.type == SDL_MOUSEBUTTONDOWN) intro.Button();
      if (e.type == SDL_MOUSEMOTION) intro.MouseMove();
    }
    const uint32_t now = SDL_GetTicks();
    intro.Tick(now);
    underneath(now);
    if (window.Advance(now, redraw) && intro.Notify()) intro.CompletionReport();
    // A frame is drawn only when the movie has a new one or the window lost its own.
    if (!intro.Closed() && redraw && !screen.Hidden()) {
      window.Draw(intro.Player());
      redraw = false;
    }
    SDL_WaitEventTimeout(nullptr, kIntroPassMs);
  }
  window.StopMovie();
  window.Release();
}

void ShowExitPicture(LauncherScreen& screen, const std::string& folder) {
  Picture picture;
  try {
    picture = LoadLauncherBitmap(folder + "extro.bmp");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "galaputt: %s\n", e.what());
  }
  SDL_Texture* texture = nullptr;
  if (!picture.empty()) {
    LauncherScreen::Upload(screen.renderer(), texture, picture.pixels.data(), picture.width,
                           picture.height);
  }
  ExitPicture exit;
  exit.Show(screen.width(), screen.height());
  SDL_ShowCursor(SDL_DISABLE);
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEBUTTONUP);  // the click on "Exit" is not the answer
  bool redraw = true;
  while (!exit.Closed()) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      if (screen.Event(e)) redraw = true;
      if (screen.ScreenModeKey(e)) continue;
      if (e.type == SDL_KEYDOWN || e.type == SDL_QUIT) exit.Key();
      if (e.type == SDL_MOUSEBUTTONDOWN) exit.Button();
    }
    if (exit.Closed()) break;
    // The picture does not change: drawn again only when the window lost it.
    if (redraw && !screen.Hidden()) {
      screen.Begin();
      DrawAtOwnSize(screen.renderer(), texture, exit.PictureRect(picture.width, picture.height));
      screen.End();
      redraw = false;
    }
    SDL_WaitEventTimeout(nullptr, kExitPassMs);
  }
  SDL_ShowCursor(SDL_ENABLE);
  if (texture) SDL_DestroyTexture(texture);
}

}  // namespace gp
