#pragma once
// The intro window's logic (`intro`): the 1500 ms wait, the logo movie
// "zorbel.avi", then "intro.avi", skipping on any key or mouse button, and the
// pointer parked at the bottom right corner and hidden while it plays. No
// platform code: the window feeds it calls and carries out what it asks of
// its host (open, play and stop a movie, move, hide and show the pointer).

#include <cstdint>
#include <string>

namespace gp {

// What the intro window does for the intro: its movie player and the pointer.
class IntroHost {
 public:
  virtual ~IntroHost() = default;
  // Opens the movie at `path` in the player (closing any movie before it) and
  // gives its natural size in pixels. False, with a one-line reason in
  // `error`, when it cannot be opened or played.
  virtual bool OpenMovie(const std::string& path, int& width, int& height, std::string& error) = 0;
  // Plays the open movie from its start at its own frame rate. At its end the
  // window calls Intro::CompletionReport while the intro's Notify() is on.
  virtual void PlayMovie() = 0;
  virtual void StopMovie() = 0;
  // Moves the pointer to a screen position.
  virtual void WarpPointer(int x, int y) = 0;
  // One step of the pointer's display count: up (show) or down (hide).
  virtual void ShowPointer(bool show) = 0;
  // The window's pointer shape: none from its showing (the pointer is not seen
  // over it, whatever the display count), the launcher's again once it closes.
  virtual void PointerShape(bool shown) = 0;
  // One line for standard error.
  virtual void ReportError(const std::string& line) = 0;
};

// A rectangle on the screen, in pixels.
struct ScreenRect {
  int x = 0, y = 0, w = 0, h = 0;
};

class Intro {
 public:
  enum class State {
    Hidden,        // not shown yet
    Waiting,       // shown; the 1500 ms wait runs from Activate
    LogoPlaying,   // "zorbel.avi"
    IntroPlaying,  // "intro.avi"
    Closed,        // closed with the modal result OK
  };
  static constexpr uint32_t kWaitMs = 1500;  // milliseconds before the logo plays

  // `folder`: the program's own folder, ending with '/'.
  Intro(IntroHost& host, std::string folder);

  // Showing the window on a screen of width x height pixels: no pointer shape;
  // opens the logo and centres the player on it.
  void Show(int width, int height);
  // The window has appeared: the wait starts at `now` (milliseconds). Only
  // the first activation counts.
  void Activate(uint32_t now);
  // Called regularly with the clock (milliseconds); ends the wait.
  void Tick(uint32_t now);

  // The player's report that a play has completed or was interrupted.
  void CompletionReport();
  // Any key, any mouse button: skips what is left of both movies (during the
  // wait: remembered and done when the wait is over).
  void Key();
  void Button();
  // The pointer moved over the window: it goes back to the bottom right.
  void MouseMove();

  State state() const { return state_; }
  bool Closed() const { return state_ == State::Closed; }
  // The player's file name: which movie runs; empty once the intro is cut short.
  const std::string& FileName() const { return filename_; }
  // Whether the next play reports its completion.
  bool Notify() const { return notify_; }
  // Where the player shows the movie: its natural size, centred.
  ScreenRect Player() const { return player_; }

 private:
  // Opens `name` from the program folder as the player's movie and centres
  // the player; false (reported once) when it cannot be opened.
  bool OpenAndPlace(const std::string& name);
  void StartPlaying();
  void Skip();
  void Close();

  IntroHost& host_;
  std::string folder_;
  State state_ = State::Hidden;
  int width_ = 0, height_ = 0;  // the window (screen) size, pixels
  std::string filename_;
  bool notify_ = false;
  ScreenRect player_;
  bool logo_ok_ = false;       // the logo opened at showing
  bool activated_ = false;     // the wait has started
  uint32_t wait_start_ = 0;    // milliseconds
  bool pending_skip_ = false;  // a key or button arrived during the wait
  bool pointer_hidden_ = false;
};

// The frame of a movie playing at `fps` frames per second since `started`
// that is due at `now` (milliseconds; the clock may wrap): 0 at the start.
int DueFrame(double fps, uint32_t started, uint32_t now);

}  // namespace gp
