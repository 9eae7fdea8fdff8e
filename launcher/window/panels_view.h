#pragma once
// The launcher's panels drawn with Dear ImGui from the model: flat widgets on
// the panel colour, grey 11-pixel text, every control at its place. What the
// player does is collected as actions and applied to the model after the
// frame, so that a panel change (and its transition) never shows a half-drawn
// frame.

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "launcher/launcher_model.h"

namespace gp {

using LauncherAction = std::function<void()>;

class PanelsView {
 public:
  explicit PanelsView(SDL_Renderer* renderer);
  ~PanelsView();
  PanelsView(const PanelsView&) = delete;
  PanelsView& operator=(const PanelsView&) = delete;

  // Once before drawing: the look of every widget.
  static void Style();
  // The visible panel at its place on a canvas of the given size, and the
  // version line along the bottom. `menu`: the main menu's hot-spot picture as
  // shown (a texture of the whole picture and where the picture's visible part
  // lies in it, in texture pixels).
  void Draw(LauncherModel& m, int canvasw, int canvash, SDL_Texture* menu, SDL_Rect menupart,
            std::vector<LauncherAction>& actions);

  // The panel's top left corner on a canvas: (w - 640) div 2 + 150, (h - 480) div 2 + 177.
  static void PanelPosition(int canvasw, int canvash, int& x, int& y);

  // Widgets for the panels drawn in files of their own (records_view.cpp), at
  // places relative to the panel being drawn.
  static void PanelText(const char* text, float x, float y);
  static void PanelButton(LauncherModel& m, Control c, float x, float y, float w, float h,
                          std::vector<LauncherAction>& a);

 private:
  void StartPanel(LauncherModel& m, std::vector<LauncherAction>& a);
  void SetupPanel(LauncherModel& m, std::vector<LauncherAction>& a);
  void RulesPanel(LauncherModel& m, std::vector<LauncherAction>& a);
  void QuitPanel(LauncherModel& m, std::vector<LauncherAction>& a);
  void PlayerTabs(LauncherModel& m, std::vector<LauncherAction>& a);
  SDL_Texture* BallTexture(const LauncherModel& m);

  SDL_Renderer* renderer_;
  SDL_Texture* ball_ = nullptr;
  std::string ballfile_;  // the picture the ball texture shows
  int balltab_ = -1;
  std::string namebuffer_;
};

}  // namespace gp
