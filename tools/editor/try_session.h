#pragma once
// "Try": the real game running headless on the hole being edited, one player
// in a training round, fed the editor's pointer and keys and shown frame by
// frame. The ball can be put anywhere between strokes; putting is the game's
// own (pull or push, as the player switches), and so is everything after.
//
// The pointer is the game's: it is parked at the screen's centre while aiming,
// so the editor moves it by relative steps, as the game window does.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gp::lab {
class SolveGame;
}

namespace gp::editor {

class TrySession {
 public:
  TrySession();
  ~TrySession();
  TrySession(const TrySession&) = delete;
  TrySession& operator=(const TrySession&) = delete;

  // Opens the game on hole `name` in program folder `folder`, the ball at
  // (x, y) (course pixels); an error text, empty when it runs.
  std::string Open(const std::string& folder, const std::string& name, int x, int y);
  void Close();
  bool open() const;

  // Runs the frames due in `ms` milliseconds (60 a second); nothing once the
  // ball has dropped (the hole stays on its last frame).
  void Advance(uint32_t ms);
  // The pointer, in display pixels: to a place, or by a step.
  void PointerTo(int x, int y);
  void PointerBy(int dx, int dy);
  int pointerx() const { return px_; }
  int pointery() const { return py_; }
  void Button(bool left, bool down);
  void Key(int key);  // a game key code
  // Puts the ball at rest at course point (x, y); false while a ball moves or
  // the hole is over.
  bool PutBall(int x, int y);

  // The last frame, 16-bit 5-6-5 pixels.
  const std::vector<uint16_t>& frame() const;
  int width() const;
  int height() const;
  // Course pixels of the screen's top-left corner.
  int viewx() const;
  int viewy() const;
  int strokes() const;  // since the ball was last put
  bool holed() const { return holed_; }
  bool ready() const;  // the player may putt

 private:
  void Sync();

  std::unique_ptr<lab::SolveGame> game_;
  int px_ = 0, py_ = 0;        // the virtual pointer
  int seenx_ = 0, seeny_ = 0;  // where the game last parked it
  double owed_ = 0;            // milliseconds not yet run
  bool holed_ = false;
  int putstrokes_ = 0;
};

}  // namespace gp::editor
