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

// Milliseconds between passes of the modal loops.
constexpr uint32_t kIntroPassMs = 5;

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
  void ShowPointer(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }
  void ReportError(const std::string& line) override { std::fprintf(stderr, "%s\n", line.c_str()); }

  // Decodes the frames due by now; true when the movie has ended.
  bool Advance(uint32_t now) {
    if (!playing_ || !movie_) return false;
    const int due = DueFrame(movie_->FrameRate(), started_, now);
    while (decoded_ <= due) {
      if (!movie_->NextFrame(frame_)) {
        playing_ = false;
        return true;
      }
      ++decoded_;
      LauncherScreen::Upload(screen_.renderer(), texture_, frame_.data(), movie_->Width(),
                             movie_->Height());
    }
    return false;
  }
  void Draw(const ScreenRect& at) {
    screen_.Begin();
    if (texture_ && playing_) {
      const SDL_Rect dst{at.x, at.y, at.w, at.h};
      SDL_RenderCopy(screen_.renderer(), texture_, nullptr, &dst);
    }
    screen_.End();
  }
  void Release() {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
  }

 private:
  LauncherScreen& screen_;
  Mixer& mixer_;
  std::unique_ptr<Movie> movie_;
  std::unique_ptr<WaveItem> sound_;
  std::vector<uint32_t> frame_;
  SDL_Texture* texture_ = nullptr;
  uint32_t started_ = 0;
  int decoded_ = 0;
  bool playing_ = false;
};

}  // namespace

void PlayIntro(LauncherScreen& screen, Mixer& mixer, const std::string& folder) {
  IntroWindow window(screen, mixer);
  Intro intro(window, folder);
  intro.Show(screen.width(), screen.height());
  intro.Activate(SDL_GetTicks());
  while (!intro.Closed()) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      if (e.type == SDL_KEYDOWN || e.type == SDL_QUIT) intro.Key();
      if (e.type == SDL_MOUSEBUTTONDOWN) intro.Button();
      if (e.type == SDL_MOUSEMOTION) intro.MouseMove();
    }
    const uint32_t now = SDL_GetTicks();
    intro.Tick(now);
    if (window.Advance(now) && intro.Notify()) intro.CompletionReport();
    if (!intro.Closed()) window.Draw(intro.Player());
    SDL_Delay(kIntroPassMs);
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
  while (!exit.Closed()) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      if (e.type == SDL_KEYDOWN || e.type == SDL_QUIT) exit.Key();
      if (e.type == SDL_MOUSEBUTTONDOWN) exit.Button();
    }
    screen.Begin();
    if (texture) {
      const ScreenRect r = exit.PictureRect(picture.width, picture.height);
      const SDL_Rect src{0, 0, r.w, r.h}, dst{r.x, r.y, r.w, r.h};
      SDL_RenderCopy(screen.renderer(), texture, &src, &dst);
    }
    screen.End();
    SDL_Delay(10);
  }
  SDL_ShowCursor(SDL_ENABLE);
  if (texture) SDL_DestroyTexture(texture);
}

}  // namespace gp
