#include "launcher/window/launcher_window.h"

#include <imgui.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <memory>
#include <vector>

#include "app/game_loop.h"
#include "app/game_records.h"
#include "app/kept_game.h"
#include "app/replay.h"
#include "app/resume.h"
#include "game/setup.h"
#include "launcher/fli_player.h"
#include "launcher/launcher_model.h"
#include "launcher/main_menu.h"
#include "launcher/settings_store.h"
#include "launcher/window/imgui_sdl.h"
#include "launcher/window/intro_window.h"
#include "launcher/window/launcher_screen.h"
#include "launcher/window/panels_view.h"
#include "media/mixer.h"
#include "media/wave_list.h"
#include "platform/sdl/sdl_platform.h"

namespace gp {

namespace {

// The launcher waits for events between passes, no longer than the animation's next frame
// and at most kIdleWaitMs. After input Dear ImGui needs a few more frames to settle (hover,
// popups), and frames while a key or button is held (its own repeats): kSettleFrames more,
// kSettleMs apart. The name field's cursor blinks: kBlinkMs apart while it has the focus.
constexpr uint32_t kIdleWaitMs = 1000;
constexpr uint32_t kSettleMs = 16;
constexpr int kSettleFrames = 3;
constexpr uint32_t kBlinkMs = 100;
// Launcher sounds 1 and 2 play 7 dB below their stored level.
constexpr int kClickAttenuation = -700;

class Launcher : public LauncherHost {
 public:
  Launcher(const ProgramOptions& o, SdlPlatform& platform)
      : options_(o),
        platform_(platform),
        folder_(platform.BaseDir()),
        model_(folder_, store_, *this) {}
  ~Launcher() override {
    mixer_.StopSound();
    if (bgtex_) SDL_DestroyTexture(bgtex_);
    if (menutex_) SDL_DestroyTexture(menutex_);
  }

  int Run() {
    if (!screen_.Open(options_.windowed)) return NoScreen();
    imgui_ = std::make_unique<ImGuiSdl>(screen_.renderer(), kLauncherFontFile, kLauncherFontPixels);
    PanelsView::Style();
    view_ = std::make_unique<PanelsView>(screen_.renderer());
    LoadSounds();
    model_.Create();
    model_.SetRecordsFile(RecordsFile());
    if (const std::string notice = store_.TakeNotice(); !notice.empty()) {
      std::fprintf(stderr, "galaputt: %s\n", notice.c_str());
    }
    menu_.Load(folder_, model_);
    if (!Showing(true)) return NoScreen();
    while (!quit_ && !model_.ExitRequested()) {
      Pass();
      if ((model_.GamePending() || model_.ResumePending()) && !PlayGame()) return NoScreen();
    }
    mixer_.StopSound();
    if (model_.ExitRequested()) ShowExitPicture(screen_, folder_);
    return 0;
  }

  // LauncherHost.
  void PlaySound(int position) override {
    if (WaveItem* item = song_.Item(position)) mixer_.Play(*item);
  }
  void LoopSound(int position) override {
    if (WaveItem* item = song_.Item(position)) {
      mixer_.SetLooped(*item, true);
      mixer_.Play(*item);
    }
  }
  void StopSound(int position) override {
    if (WaveItem* item = song_.Item(position)) mixer_.Stop(*item);
  }
  void PanelTransition() override {
    PlayTransition(
        anim_, folder_ + "interface.flc", folder_ + "interface_loop.flc",
        [] { return static_cast<int64_t>(SDL_GetTicks()); },
        [this](const FliPlayer&) {
          PaintBackground();
          screen_.Begin();
          DrawBackground();
          screen_.End();
        });
  }

 private:
  int NoScreen() {
    std::fprintf(stderr, "DirectX Error: Requires DirectX 6.0 or later\n");
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "DirectX Error",
                             "Requires DirectX 6.0 or later", nullptr);
    return 1;
  }

  // "menu.dxw": missing or damaged, the launcher goes on silent.
  void LoadSounds() {
    try {
      LoadWaveList(song_, folder_ + "menu.dxw");
    } catch (const std::exception& e) {
      std::fprintf(stderr, "galaputt: %s\n", e.what());
    }
  }

  void StartSound() {
    if (!mixer_.StartSound(&platform_)) return;  // no device: silent
    for (int position : {kMenuClick, kMenuSpare}) {
      if (WaveItem* item = song_.Item(position)) mixer_.SetVolume(*item, kClickAttenuation);
    }
  }

  // Each showing of the launcher: the screen, the loop animation, the intro
  // once per run, the sound device, the main menu.
  bool Showing(bool first) {
    screen_.SetWindowed(platform_.windowed());  // as the game left it
    screen_.Show();
    if (!screen_.MakeCanvas(model_.controls().forceinterface)) return false;
    SDL_ShowCursor(SDL_ENABLE);
    anim_.SetFileName(folder_ + "interface_loop.flc");
    anim_.Start(SDL_GetTicks());
    if (!introshown_) {
      if (!model_.controls().skipintro) {
        StartSound();  // the movies' own sound
        // The loop plays underneath at its own pace, unseen.
        PlayIntro(screen_, mixer_, folder_, [this](uint32_t now) { anim_.Tick(now); });
        platform_.SetWindowed(screen_.windowed());
        mixer_.StopSound();
      }
      introshown_ = true;
    }
    redraw_ = true;
    StartSound();
    menu_.image().Reset();
    model_.SetKeptGame(KeptGameOnDisk());
    if (first) {
      model_.Show();
    } else {
      model_.GameEnded();
    }
    return true;
  }

  // The unfinished game on disk, offered by the game and training spots. One
  // that cannot be read is set aside, and the player told.
  std::optional<KeptGameInfo> KeptGameOnDisk() {
    Replay kept;
    std::string why;
    if (ReadKeptGame(KeptGameFile(), kept, why)) return InfoOf(kept);
    if (!why.empty()) Tell(SetKeptGameAside(KeptGameFile(), 0, why));
    return std::nullopt;
  }

  void Tell(const std::string& text) {
    std::fprintf(stderr, "galaputt: %s\n", text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Galaputt", text.c_str(), nullptr);
  }

  // "Resume": the kept game played forward, then on live; one that does not
  // play back is set aside with the reason.
  void ResumeGame() {
    Replay kept;
    std::string why;
    if (!ReadKeptGame(KeptGameFile(), kept, why)) {
      Tell(SetKeptGameAside(KeptGameFile(), 0, why.empty() ? "it is no longer there" : why));
      return;
    }
    if (!RunResumedGame(platform_, kept, why) && !why.empty()) {
      Tell(SetKeptGameAside(KeptGameFile(), kept.hole, why));
    }
  }

  // Starting a game: the launcher steps aside until the game window closes.
  bool PlayGame() {
    const bool resume = model_.TakeResume();
    std::optional<GameSetup> game = model_.TakeGame();
    if (!game && !resume) return true;
    mixer_.StopSound();
    anim_.Stop();
    screen_.Hide();
    if (resume) {
      ResumeGame();
      return Showing(false);
    }
    setup() = *game;
    ReplayRecorder recorder;
    if (!options_.record.empty() && !recorded_) {
      const uint64_t seed = options_.seed.value_or(SDL_GetTicks());
      if (recorder.Open(options_.record, seed, "", setup())) SetReplayRecorder(&recorder);
      RunGameWindow(platform_, GameStart{seed, ""});
      SetReplayRecorder(nullptr);
      recorded_ = true;
    } else {
      RunGameWindow(platform_, GameStart{options_.seed, ""});
    }
    return Showing(false);
  }

  // The frame on show at its own size (a picture of the frame's size takes it whole
  // whatever the placement); DrawBackground places it on the canvas.
  void PaintBackground() {
    const FlicImage& frame = anim_.shown();
    bg_.width = anim_.shown_frame() > 0 ? frame.width : 0;
    bg_.height = anim_.shown_frame() > 0 ? frame.height : 0;
    bg_.pixels.assign(static_cast<size_t>(bg_.width) * bg_.height, 0);
    anim_.Paint(bg_);
    LauncherScreen::Upload(screen_.renderer(), bgtex_, bg_.pixels.data(), bg_.width, bg_.height);
  }

  void DrawBackground() {
    if (!bgtex_ || bg_.width == 0) return;
    const FlicPlacement at = PlaceFlic(anim_.position, anim_.Stretch, screen_.width(),
                                       screen_.height(), bg_.width, bg_.height);
    const SDL_Rect dst{at.x, at.y, at.width, at.height};
    SDL_RenderCopy(screen_.renderer(), bgtex_, nullptr, &dst);
  }

  // True when the menu's picture changed.
  bool UpdateMenu() {
    if (menu_.image().TakeDirty().empty() && menutex_) return false;
    const Picture shown = menu_.image().Shown();
    LauncherScreen::Upload(screen_.renderer(), menutex_, shown.pixels.data(), shown.width,
                           shown.height);
    return true;
  }

  // The hot-spot image's place on the canvas.
  SDL_Rect MenuRect() const {
    int px = 0, py = 0;
    PanelsView::PanelPosition(screen_.width(), screen_.height(), px, py);
    return SDL_Rect{px + kMenuImageX, py + kMenuImageY, kMenuImageW, kMenuImageH};
  }

  // Mouse events on the main menu's picture.
  void MenuMouse(const SDL_Event& e, int cx, int cy) {
    if (model_.panel() != Panel::MainMenu) return;
    const SDL_Rect r = MenuRect();
    const int x = cx - r.x, y = cy - r.y;
    const bool inside = x >= 0 && y >= 0 && x < r.w && y < r.h;
    if (e.type == SDL_MOUSEMOTION) {
      if (inside || menu_.image().ButtonHeld()) {
        menu_.Move(x, y);
      } else {
        menu_.Leave();
      }
    } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT && inside) {
      menu_.Down(x, y);
    } else if (e.type == SDL_MOUSEBUTTONUP && e.button.button == SDL_BUTTON_LEFT) {
      menu_.Up(x, y);
    }
  }

  // Sleeps until an event comes or something is due: the animation's next frame, the
  // frames Dear ImGui needs after input, the cursor's blink.
  void WaitForWork() {
    // Events held over for this pass, by the loop or by Dear ImGui's side.
    if (!queue_.empty() || imgui_->Pending()) return;
    uint32_t wait = kIdleWaitMs;
    if (!screen_.Hidden()) {
      if (settle_ > 0 || Held()) wait = kSettleMs;
      if (ImGui::GetIO().WantTextInput) wait = std::min(wait, kBlinkMs);
      if (anim_.playing()) {
        const int64_t until = anim_.next_due() - static_cast<int64_t>(SDL_GetTicks());
        wait = static_cast<uint32_t>(std::clamp<int64_t>(until, 0, wait));
      }
    }
    if (wait > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(wait));
  }

  // A key or mouse button held down: Dear ImGui repeats and drags from frame to frame.
  static bool Held() {
    const ImGuiIO& io = ImGui::GetIO();
    bool held = false;
    for (bool down : io.MouseDown) held = held || down;
    for (bool down : io.KeysDown) held = held || down;
    return held;
  }

  // Frames due without an event: a held key or button, the name field's cursor blink.
  bool FrameDue() const {
    if (Held()) return true;
    return ImGui::GetIO().WantTextInput && SDL_GetTicks() - last_ >= kBlinkMs;
  }

  // ImGui sees one state of each button per frame: events after a button
  // change wait for the next pass, so that a quick click is a press and then
  // a release. True when an event came.
  bool Events() {
    SDL_Event polled;
    while (SDL_PollEvent(&polled)) queue_.push_back(polled);
    bool any = false;
    while (!queue_.empty()) {
      const SDL_Event e = queue_.front();
      queue_.pop_front();
      any = true;
      if (e.type == SDL_QUIT) quit_ = true;
      if (screen_.Event(e)) redraw_ = true;
      if (screen_.ScreenModeKey(e)) {
        platform_.SetWindowed(screen_.windowed());  // the games follow
        continue;
      }
      int cx = 0, cy = 0;
      if (e.type == SDL_MOUSEMOTION) screen_.ToCanvas(e.motion.x, e.motion.y, cx, cy);
      if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
        screen_.ToCanvas(e.button.x, e.button.y, cx, cy);
      }
      imgui_->Event(e, cx, cy);
      MenuMouse(e, cx, cy);
      if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) break;
    }
    return any;
  }

  // One pass: waits, takes the events, and draws only when something changed or is due.
  // A hidden or minimised window draws nothing.
  void Pass() {
    WaitForWork();
    if (Events()) settle_ = kSettleFrames;
    if (screen_.Hidden()) return;
    anim_.Tick(SDL_GetTicks());
    if (anim_.TakeShownChanged()) {
      PaintBackground();
      redraw_ = true;
    }
    if (UpdateMenu() || FrameDue() || imgui_->Pending()) redraw_ = true;
    if (!redraw_ && settle_ == 0) return;
    redraw_ = false;
    if (settle_ > 0) --settle_;
    Draw();
  }

  void Draw() {
    const uint32_t now = SDL_GetTicks();
    imgui_->NewFrame(screen_.width(), screen_.height(), (now - last_) / 1000.0f);
    last_ = now;
    if (const std::string text = anim_.message(); !text.empty()) {
      ImGui::GetBackgroundDrawList()->AddText(ImVec2(kFliMessageX, kFliMessageY),
                                              IM_COL32(192, 192, 192, 255), text.c_str());
    }
    std::vector<LauncherAction> actions;
    const SDL_Rect part = menu_.image().Destination().Empty()
                              ? SDL_Rect{0, 0, kMenuImageW, kMenuImageH}
                              : VisiblePart();
    view_->Draw(model_, screen_.width(), screen_.height(), menutex_, part, actions);
    if (!actions.empty()) {
      ImGui::EndFrame();  // the panel may change: show it as it will be
      for (const LauncherAction& act : actions) act();
      redraw_ = true;
    } else {
      screen_.Begin();
      DrawBackground();
      imgui_->Render();
      screen_.End();
    }
    TextInput();
  }

  // The part of the menu picture the control shows, in picture pixels.
  SDL_Rect VisiblePart() {
    const HotRect d = menu_.image().Destination();
    return SDL_Rect{-d.left, -d.top, kMenuImageW, kMenuImageH};
  }

  // The name field wants typed characters.
  void TextInput() {
    const bool want = ImGui::GetIO().WantTextInput;
    if (want && !SDL_IsTextInputActive()) SDL_StartTextInput();
    if (!want && SDL_IsTextInputActive()) SDL_StopTextInput();
  }

  const ProgramOptions& options_;
  SdlPlatform& platform_;
  std::string folder_;
  SettingsStore store_;
  LauncherModel model_;
  MainMenu menu_;
  LauncherScreen screen_;
  std::unique_ptr<ImGuiSdl> imgui_;
  std::unique_ptr<PanelsView> view_;
  Mixer mixer_;
  WaveList song_;
  FliPlayer anim_;
  Picture bg_;
  SDL_Texture* bgtex_ = nullptr;
  SDL_Texture* menutex_ = nullptr;
  uint32_t last_ = 0;
  bool introshown_ = false;
  bool recorded_ = false;
  bool quit_ = false;
  bool redraw_ = true;           // the canvas must be drawn again
  int settle_ = 0;               // frames still to draw after input
  std::deque<SDL_Event> queue_;  // events for the next passes
};

}  // namespace

int RunLauncher(const ProgramOptions& options) {
  SdlPlatform platform(options.windowed);
  Launcher launcher(options, platform);
  return launcher.Run();
}

}  // namespace gp
