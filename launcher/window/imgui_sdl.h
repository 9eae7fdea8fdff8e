#pragma once
// Dear ImGui on an SDL renderer: the font texture, the draw lists drawn with
// SDL_RenderGeometryRaw, and SDL's mouse and keyboard fed to ImGui in the
// launcher's canvas pixels.

#include <SDL.h>

#include <string>

namespace gp {

class ImGuiSdl {
 public:
  // Creates the ImGui context with the launcher's face (`font`, pixels high).
  ImGuiSdl(SDL_Renderer* renderer, const std::string& fontfile, float fontpixels);
  ~ImGuiSdl();
  ImGuiSdl(const ImGuiSdl&) = delete;
  ImGuiSdl& operator=(const ImGuiSdl&) = delete;

  // An SDL event; mouse positions are mapped into the canvas by the caller first.
  void Event(const SDL_Event& e, int canvasx, int canvasy);
  void NewFrame(int width, int height, float seconds);
  // Draws the frame's lists onto the renderer's current target.
  void Render();

 private:
  SDL_Renderer* renderer_;
  SDL_Texture* font_ = nullptr;
};

}  // namespace gp
