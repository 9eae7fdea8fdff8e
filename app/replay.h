#pragma once
// Replays: a game's setup, its random seed and every input event with the frame
// before which it arrived, as a small text file a person can read. Recording and
// playing back give the same game, frame for frame.
//
//   galaputt replay 1
//   seed 12345
//   firsthole course1hole1
//   setup numplayers 2                 one line per setup field
//   3 move 320 240                     FRAME EVENT ARGS: delivered before frame FRAME
//   3 down left 320 240
//   40 rate 30                         the frame timer measured 30 ticks a second
//   check 5f0c2a19e4d3b871             the state's digest once the replay has run (optional)
//   hole 3                             the hole being played then (optional)
//   end 5120                           frames run when the recording stopped
//
// A kept unfinished game also names itself after the seed: "game UID".
//
// Events use the words of the lab's render scripts: move X Y, down/up left|right
// [X Y], dblclick [X Y], key CODE, keyup CODE, leave / enter (the pointer left or
// entered the window), screenshot saved / screenshot failed (F12's picture), quit.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/setup.h"
#include "platform/platform.h"

namespace gp {

struct ReplayEvent {
  int frame = 0;  // delivered just before this frame (1-based) runs
  InputEvent ev;
};

// The measured tick rate of a frame, from that frame on until the next change.
struct ReplayRate {
  int frame = 0;
  int rate = 60;
};

struct Replay {
  uint64_t seed = 1;
  std::string firsthole;  // empty: the setup's first hole
  GameSetup setup;
  std::vector<ReplayEvent> events;
  std::vector<ReplayRate> rates;
  int frames = 0;       // frames in the recording
  std::string gameuid;  // the game's own id (a kept game); empty: none
  std::string check;    // StateDigest in hex once the replay has run; empty: none
  int hole = 0;         // the hole number being played at the end; 0: not given
};

// Largest replay file read (hours of play), bytes.
inline constexpr size_t kMaxReplayBytes = size_t{16} << 20;

// Reads a replay; false with a message naming the file and line on bad input
// ("Cannot open file %s" for a missing one, a folder or a pipe, "File %s is
// larger than 16 MB" beyond the limit).
bool ReadReplay(const std::string& path, Replay& out, std::string& error);
bool ParseReplay(const std::string& text, Replay& out, std::string& error);
std::string FormatReplay(const Replay& r);

// One event or rate line in the replay syntax; false on a bad line. `px`, `py`
// carry the pointer for button events given without a position.
bool ParseEventLine(const std::string& line, int& px, int& py, ReplayEvent& out);
std::string FormatEvent(const ReplayEvent& e);

// Writes a replay while the game runs: the header at once, every event and rate
// change as it happens (flushed, so a crash keeps what came before), the end
// line when closed.
class ReplayRecorder {
 public:
  ~ReplayRecorder() { Close(); }
  bool Open(const std::string& path, uint64_t seed, const std::string& firsthole,
            const GameSetup& s);
  // An event delivered before frame `frame` runs.
  void Event(int frame, const InputEvent& ev);
  // Frame `frame` ran with the timer's measured `rate`.
  void Tick(int frame, int rate);
  void Close();
  bool open() const { return file_ != nullptr; }

 private:
  std::FILE* file_ = nullptr;
  int lastrate_ = 60;
  int frames_ = 0;
};

}  // namespace gp
