#pragma once
// Dear ImGui on an SDL renderer: the font texture, the draw lists drawn with
// SDL_RenderGeometryRaw, and SDL's mouse and keyboard fed to ImGui in the
// launcher's canvas pixels.
//
// ImGui reads the state of each key and button once a frame, so a press and
// its release between two frames would never be seen: an event that changes a
// key or button changed once already since the last frame, and everything
// after it, waits for the next frame (as does text typed after an editing key
// went down, which ImGui would otherwise take before the key).

#include <SDL.h>

#include <bitset>
#include <deque>
#include <string>

namespace gp {

// The launcher's face: Liberation Sans (Arial's metrics), 11 pixels high.
inline constexpr const char* kLauncherFontFile =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
inline constexpr float kLauncherFontPixels = 11;

class ImGuiSdl {
 public:
  // Creates the ImGui context with a face (`fontfile`, `fontpixels` high) for
  // every printable character of the Western code page.
  ImGuiSdl(SDL_Renderer* renderer, const std::string& fontfile, float fontpixels);
  ~ImGuiSdl();
  ImGuiSdl(const ImGuiSdl&) = delete;
  ImGuiSdl& operator=(const ImGuiSdl&) = delete;

  // An SDL event; mouse positions are mapped into the canvas by the caller first.
  void Event(const SDL_Event& e, int canvasx, int canvasy);
  // Starts a frame: first the events held over from the last one, as far as
  // they go without a conflict.
  void NewFrame(int width, int height, float seconds);
  // Events are held over for the next frames: run one soon, even without new events.
  bool Pending() const { return !held_.empty(); }
  // Draws the frame's lists onto the renderer's current target.
  void Render();

 private:
  struct HeldEvent {
    SDL_Event e;
    int x, y;  // canvas pixels
  };
  bool Conflicts(const SDL_Event& e) const;
  void Apply(const SDL_Event& e, int canvasx, int canvasy);

  SDL_Renderer* renderer_;
  SDL_Texture* font_ = nullptr;
  std::deque<HeldEvent> held_;    // for the next frames, in order
  std::bitset<512> keychanged_;   // keys that went down or up since the last frame
  std::bitset<3> buttonchanged_;  // left, right, middle
  bool editkeydown_ = false;      // an editing key went down since the last frame
};

}  // namespace gp
