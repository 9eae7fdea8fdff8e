#include "tools/editor/window/editor_window.h"

#include <imgui.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <memory>

#include "launcher/window/imgui_sdl.h"
#include "platform/sdl/sdl_window.h"
#include "tools/editor/editor_session.h"
#include "tools/editor/window/course_view.h"
#include "tools/editor/window/layout.h"
#include "tools/editor/window/side_panel.h"
#include "tools/editor/window/widgets.h"

namespace gp::editor {

namespace {

namespace fs = std::filesystem;
using namespace layout;

constexpr const char* kFontFile = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
constexpr float kFontPixels = 15;
constexpr const char* kSavePopup = "Checks before saving";
constexpr const char* kUnsavedPopup = "Unsaved changes";

class EditorWindow {
 public:
  EditorWindow(const EditorOptions& o, SDL_Window* w, SDL_Renderer* r)
      : options_(o),
        window_(w),
        renderer_(r),
        session_(OwnFolder()),
        view_(w, r, session_),
        side_(session_),
        left_(session_, view_) {}

  // An error text, empty when the target opened.
  std::string Open() {
    const std::string t = options_.target.empty() ? "newhole.hole" : options_.target;
    if (fs::is_directory(t)) return session_.OpenCourse(t);
    if (!fs::exists(t) && fs::path(t).extension() != ".hole") {
      return "no hole file or course folder " + t;
    }
    return session_.OpenHole(t);
  }

  void Run() {
    imgui_ = std::make_unique<ImGuiSdl>(renderer_, kFontFile, kFontPixels);
    ImGui::StyleColorsDark();
    ImGui::GetStyle().WindowRounding = 0;
    if (options_.zoom > 0) pendingzoom_ = options_.zoom;
    while (!quit_) {
      Events();
      session_.Tick(SDL_GetTicks(), view_.Holding());
      Frame();
      SDL_Delay(5);
    }
  }

 private:
  // ImGui sees one state of each button per frame: events after a button
  // change wait for the next pass, so a quick click is a press, then a release.
  void Events() {
    SDL_Event polled;
    while (SDL_PollEvent(&polled)) queue_.push_back(polled);
    while (!queue_.empty()) {
      const SDL_Event e = queue_.front();
      queue_.pop_front();
      if (e.type == SDL_QUIT) AskThen(Next::Quit);
      view_.TryEvent(e);
      int x = 0, y = 0;
      if (e.type == SDL_MOUSEMOTION) x = e.motion.x, y = e.motion.y;
      if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP)
        x = e.button.x, y = e.button.y;
      imgui_->Event(e, x, y);
      if (e.type == SDL_KEYDOWN) Key(e.key.keysym);
      if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) break;
    }
  }

  void Key(const SDL_Keysym& k) {
    const bool ctrl = (k.mod & KMOD_CTRL) != 0;
    if (popup_ == kSavePopup) {
      if (k.sym == SDLK_RETURN) SaveNow();
      if (k.sym == SDLK_ESCAPE) session_.CancelSave();
      return;
    }
    if (ctrl && k.sym == SDLK_s) session_.BeginSave();
    if (ImGui::GetIO().WantTextInput) return;  // a field being typed in has its own keys
    if (ctrl && k.sym == SDLK_z) Undo((k.mod & KMOD_SHIFT) != 0);
    if (ctrl && k.sym == SDLK_y) Undo(true);
    if (ctrl && k.sym == SDLK_d) Duplicate();
    if (ctrl) return;
    if (k.sym == SDLK_DELETE) Delete();
    // Arrows nudge the selected area a pixel (ten with Shift).
    const int step = (k.mod & KMOD_SHIFT) ? 10 : 1;
    const int dx = k.sym == SDLK_LEFT ? -step : k.sym == SDLK_RIGHT ? step : 0;
    const int dy = k.sym == SDLK_UP ? -step : k.sym == SDLK_DOWN ? step : 0;
    if ((dx || dy) && session_.selected && !session_.Try().open()) {
      session_.model().Move(session_.selected, dx, dy);
    }
    if (k.sym == SDLK_ESCAPE) {
      view_.placing = 0;
      session_.StopTry();
    }
    if (k.sym == SDLK_PLUS || k.sym == SDLK_EQUALS || k.sym == SDLK_KP_PLUS) view_.ZoomBy(1);
    if (k.sym == SDLK_MINUS || k.sym == SDLK_KP_MINUS) view_.ZoomBy(-1);
  }

  void Undo(bool redo) {
    if (session_.Try().open()) return;
    redo ? session_.model().Redo() : session_.model().Undo();
  }
  void Delete() {
    if (session_.selected && session_.model().Delete(session_.selected)) session_.selected = 0;
  }
  void Duplicate() {
    if (!session_.selected) return;
    if (const int n = session_.model().Duplicate(session_.selected, 24, 24)) session_.selected = n;
  }
  void SaveNow() {
    std::string error;
    session_.Save(error);
  }

  void Frame() {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    const uint32_t now = SDL_GetTicks();
    imgui_->NewFrame(w, h, (now - last_) / 1000.0f);
    last_ = now;
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(ImVec2(float(w), float(h)));
    // The main window has no background: the course shows through it.
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    ImGui::Begin("##editor", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoBringToFrontOnFocus | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBackground);
    ImGui::PopStyleVar();
    Toolbar();
    const int middle = std::max(100, w - kLeftWidth - kRightWidth);
    const int body = std::max(100, h - kToolbarHeight - kStatusHeight);
    left_.Draw(0, kToolbarHeight, kLeftWidth, body);
    view_.Draw(kViewX, kViewY, middle, body);
    if (pendingzoom_ > 0) {
      view_.SetZoom(pendingzoom_);
      pendingzoom_ = 0;
    }
    side_.Draw(kLeftWidth + middle, kToolbarHeight, kRightWidth, body);
    Status(h - kStatusHeight, w);
    Popups();
    ImGui::End();
    if (const std::string open = left_.TakeOpenRequest(); !open.empty()) {
      wanted_ = open;
      AskThen(Next::OpenHole);
    }
    Title();
    SDL_SetRenderDrawColor(renderer_, 18, 18, 22, 255);
    SDL_RenderClear(renderer_);
    view_.RenderBelow();
    imgui_->Render();
    SDL_RenderPresent(renderer_);
  }

  bool ToolButton(int b, const char* label, bool enabled = true) {
    ImGui::SetCursorScreenPos(ImVec2(float(ToolbarButtonX(b)), float(kToolbarY)));
    if (!enabled) ImGui::PushStyleVar(ImGuiStyleVar_Alpha, 0.4f);
    const bool hit = ImGui::Button(label, ImVec2(kButtonWidth, kButtonHeight)) && enabled;
    if (!enabled) ImGui::PopStyleVar();
    return hit;
  }

  void Toolbar() {
    HoleModel& m = session_.model();
    const bool trying = session_.Try().open();
    if (ToolButton(kSaveButton, "Save")) session_.BeginSave();
    Hint("Ctrl+S: the checks, then the file");
    if (ToolButton(kUndoButton, "Undo", m.CanUndo() && !trying)) Undo(false);
    Hint("Ctrl+Z");
    if (ToolButton(kRedoButton, "Redo", m.CanRedo() && !trying)) Undo(true);
    Hint("Ctrl+Y");
    if (ToolButton(kDeleteButton, "Delete", session_.selected != 0)) Delete();
    if (ToolButton(kDuplicateButton, "Duplicate", session_.selected != 0)) Duplicate();
    Hint("Ctrl+D");
    if (ToolButton(kTryButton, trying ? "Stop try" : "Try", !session_.Busy())) {
      if (trying) {
        session_.StopTry();
      } else if (const std::string e = session_.StartTry(m.BallX(), m.BallY()); !e.empty()) {
        trynotice_ = e;
      }
    }
    Hint("putt on the real game; Esc stops");
    if (ToolButton(kSolveButton, "Solve", !session_.Busy())) session_.StartSolve();
    if (ToolButton(kCheckButton, "Check", !session_.Busy())) session_.StartChecks();
    if (ToolButton(kZoomOutButton, "Zoom -")) view_.ZoomBy(-1);
    if (ToolButton(kZoomInButton, "Zoom +")) view_.ZoomBy(1);
    if (ToolButton(kFitButton, "Fit")) view_.Fit();
    if (!trying) return;
    if (ToolButton(kToolbarButtons, view_.putball ? "Click..." : "Put ball")) view_.putball = true;
    Hint("then click where the ball goes");
    if (ToolButton(kToolbarButtons + 1, "Again")) {
      session_.StartTry(m.BallX(), m.BallY());
    }
  }

  void Status(int y, int w) {
    ImGui::SetCursorScreenPos(ImVec2(8, float(y + 4)));
    std::string s = session_.Modified() ? "modified  |  " : "";
    s += session_.Compiling() ? "compiling...  |  " : "";
    if (session_.Try().open()) {
      const TrySession& t = session_.Try();
      s += t.holed() ? "holed in " + std::to_string(t.strokes()) + "  |  "
                     : "strokes " + std::to_string(t.strokes()) + "  |  ";
    }
    s += trynotice_.empty() ? session_.Notice() : trynotice_;
    if (!session_.model().error().empty()) s += "  |  " + session_.model().error();
    ImGui::TextUnformatted(s.c_str());
    char zoom[32];
    std::snprintf(zoom, sizeof zoom, "%d%%", static_cast<int>(view_.zoom() * 100 + 0.5));
    ImGui::SetCursorScreenPos(ImVec2(float(w - 60), float(y + 4)));
    ImGui::TextUnformatted(zoom);
  }

  enum class Next { None, Quit, OpenHole };

  // Leaves the hole (quits or opens another) after asking about unsaved changes.
  void AskThen(Next n) {
    next_ = n;
    if (!session_.Modified()) Go();  // else Popups asks first
  }

  void Go() {
    if (next_ == Next::Quit) quit_ = true;
    if (next_ == Next::OpenHole) {
      if (const std::string e = session_.OpenCourseHole(wanted_); !e.empty()) trynotice_ = e;
    }
    next_ = Next::None;
  }

  void Popups() {
    if (session_.SavePending() && !ImGui::IsPopupOpen(kSavePopup)) ImGui::OpenPopup(kSavePopup);
    if (next_ != Next::None && session_.Modified() && !ImGui::IsPopupOpen(kUnsavedPopup)) {
      ImGui::OpenPopup(kUnsavedPopup);
    }
    popup_ = nullptr;
    ImGui::SetNextWindowSize(ImVec2(520, 0));
    if (ImGui::BeginPopupModal(kSavePopup, nullptr, ImGuiWindowFlags_NoMove)) {
      popup_ = kSavePopup;
      SaveChecks();
      ImGui::EndPopup();
    }
    if (ImGui::BeginPopupModal(kUnsavedPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
      popup_ = kUnsavedPopup;
      ImGui::Text("%s has changes that are not saved.", session_.name().c_str());
      if (ImGui::Button("Save")) {
        std::string error;
        if (session_.Save(error)) {
          ImGui::CloseCurrentPopup();
          Go();
        }
      }
      ImGui::SameLine();
      if (ImGui::Button("Discard")) {
        ImGui::CloseCurrentPopup();
        Go();
      }
      ImGui::SameLine();
      if (ImGui::Button("Cancel")) {
        next_ = Next::None;
        ImGui::CloseCurrentPopup();
      }
      ImGui::EndPopup();
    }
  }

  void SaveChecks() {
    const std::vector<Problem> problems = session_.Problems();
    if (session_.Busy()) {
      ImGui::TextUnformatted("Checking: the solver and the fair-cup sweep...");
    } else if (problems.empty()) {
      ImGui::TextUnformatted("No problems.");
    } else {
      ImGui::TextUnformatted("The checks found:");
    }
    for (const Problem& p : problems) Warning("- " + p.text);
    ImGui::Separator();
    if (ImGui::Button("Save anyway")) SaveNow();
    Hint("Enter");
    ImGui::SameLine();
    if (ImGui::Button("Cancel")) session_.CancelSave();
    if (!session_.SavePending()) ImGui::CloseCurrentPopup();
  }

  void Title() {
    const std::string t =
        "Galaputt Editor - " + session_.name() + (session_.Modified() ? " *" : "");
    if (t != title_) SDL_SetWindowTitle(window_, t.c_str());
    title_ = t;
  }

  const EditorOptions& options_;
  SDL_Window* window_;
  SDL_Renderer* renderer_;
  EditorSession session_;
  CourseView view_;
  SidePanel side_;
  LeftPanel left_;
  std::unique_ptr<ImGuiSdl> imgui_;
  std::deque<SDL_Event> queue_;
  uint32_t last_ = 0;
  double pendingzoom_ = 0;
  bool quit_ = false;
  Next next_ = Next::None;
  std::string wanted_, title_, trynotice_;
  const char* popup_ = nullptr;
};

}  // namespace

int RunEditor(const EditorOptions& o) {
  if (!StartVideo()) {
    std::fprintf(stderr, "galaputt-editor: no display: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* w = SDL_CreateWindow("Galaputt Editor", SDL_WINDOWPOS_CENTERED,
                                   SDL_WINDOWPOS_CENTERED, o.width, o.height, SDL_WINDOW_RESIZABLE);
  SDL_Renderer* r = w ? SDL_CreateRenderer(w, -1, SDL_RENDERER_PRESENTVSYNC) : nullptr;
  if (w && !r) r = SDL_CreateRenderer(w, -1, SDL_RENDERER_SOFTWARE);
  if (!r) {
    std::fprintf(stderr, "galaputt-editor: no window: %s\n", SDL_GetError());
    if (w) SDL_DestroyWindow(w);
    SDL_Quit();
    return 1;
  }
  int status = 0;
  {
    EditorWindow win(o, w, r);
    if (const std::string e = win.Open(); !e.empty()) {
      std::fprintf(stderr, "galaputt-editor: %s\n", e.c_str());
      status = 1;
    } else {
      win.Run();
    }
  }
  SDL_DestroyRenderer(r);
  SDL_DestroyWindow(w);
  SDL_Quit();
  return status;
}

}  // namespace gp::editor
