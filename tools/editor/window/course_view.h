#pragma once
// The middle of the editor: the compiled course picture with its overlay,
// zoomed and scrolled; areas picked, dragged by their bodies and handles, and
// added from the palette by mouse; the ball start dragged. While "Try" runs it
// shows the game's frames instead and hands it the pointer.

#include <SDL.h>

#include <string>

#include "tools/editor/editor_session.h"
#include "tools/editor/view_geometry.h"

namespace gp::editor {

class CourseView {
 public:
  CourseView(SDL_Window* window, SDL_Renderer* renderer, EditorSession& s);
  ~CourseView();
  CourseView(const CourseView&) = delete;
  CourseView& operator=(const CourseView&) = delete;

  // Draws the view in the window rectangle and takes its mouse input
  // (inside the ImGui frame).
  void Draw(int x, int y, int w, int h);
  // Draws the course picture (or the game's frame) onto the renderer, before
  // the ImGui frame is drawn over it.
  void RenderBelow();
  // Raw events for the game while Try runs; true when the game took it.
  bool TryEvent(const SDL_Event& e);

  void SetZoom(double z);
  void ZoomBy(int steps);
  void Fit();
  double zoom() const { return zoom_; }
  bool Holding() const { return drag_ != Drag::None || adding_; }

  int placing = 0;       // a kind added at the next press in the view; 0: none
  bool putball = false;  // Try: the next click puts the ball under the pointer

 private:
  enum class Drag { None, Body, Handle, Start };
  struct Pt {
    double x = 0, y = 0;
  };

  void Upload();
  void DrawCourse(int x, int y, int w, int h);
  void DrawSelection();
  void DrawTry(int x, int y, int w, int h);
  void FollowPointer();
  void Input();
  void Press(Pt c);
  void Motion(Pt c);
  void Release(Pt c);
  Pt ToCourse(double sx, double sy) const;
  Pt ToScreen(double cx, double cy) const;
  void Clamp();

  SDL_Window* window_;
  SDL_Renderer* renderer_;
  EditorSession& s_;
  SDL_Texture* overlay_ = nullptr;
  int overlayserial_ = -1, texw_ = 0, texh_ = 0;
  SDL_Texture* frame_ = nullptr;
  int framew_ = 0, frameh_ = 0;

  double zoom_ = 1, scrollx_ = 0, scrolly_ = 0;
  int vx_ = 0, vy_ = 0, vw_ = 1, vh_ = 1;  // the view's rectangle, window pixels
  bool fitted_ = false;
  SDL_Texture* below_ = nullptr;  // what RenderBelow draws, and where
  SDL_FRect belowdst_{};

  Drag drag_ = Drag::None;
  Handle handle_;
  Point from_;  // the press, course pixels
  Point applied_{-1, -1};
  bool adding_ = false;

  // Try: the frame's place in the window and its scale.
  double tx_ = 0, ty_ = 0, tscale_ = 1;
  bool overtry_ = false;
  int seenx_ = -1, seeny_ = -1;  // the game's pointer as the real one last showed it
  uint32_t lastframe_ = 0;
};

}  // namespace gp::editor
