#pragma once
// The computer players of a game. For every player the setup gives to the
// computer it watches the game between frames; when that player's turn comes
// it decides a stroke from the game as it stands (computer_search.h) and makes
// it through input events, as a person's mouse would: a pause to line up, the
// pointer onto the ball, the pull putt. Its own random numbers, seeded from
// the game's seed, give each stroke the skill's error; the game's random
// sequence is never touched. The frame tick knows nothing of it: the caller
// delivers its events through the same dispatch as a person's.

#include <cstdint>
#include <vector>

#include "ai/computer_search.h"
#include "ai/game_snapshot.h"
#include "ai/sliced_job.h"
#include "platform/platform.h"

namespace gp::ai {

// The computer's own random numbers (splitmix64).
class ComputerRandom {
 public:
  explicit ComputerRandom(uint64_t seed = 0) : state_(seed) {}
  uint64_t Next();
  double Uniform();  // in (0, 1)
  double Normal();   // mean 0, standard deviation 1
 private:
  uint64_t state_;
};

// A chosen stroke as the hand strikes it: the aim off by a normal error of
// `aimsigma` byte steps (rounded), the drag length by `dragsigma` of itself.
Drag Spoiled(const Drag& d, const Skill& k, ComputerRandom& r);

class ComputerPlayers {
 public:
  // `sliced`: a decision is thought out a slice at a time through Think(), on
  // a thread of its own that runs only while Think waits (the game window);
  // otherwise each decision is made at once inside BeforeFrame (headless).
  explicit ComputerPlayers(bool sliced = false) : sliced_(sliced) {}
  ComputerPlayers(const ComputerPlayers&) = delete;
  ComputerPlayers& operator=(const ComputerPlayers&) = delete;

  // A new game with the setup's players; `seed` is the game's random seed.
  void Start(uint64_t seed);
  // Ends any thinking and plays no more until the next Start (the window closes).
  void Stop();

  // Called exactly once before each frame: the events the computers deliver
  // before it, in order.
  std::vector<InputEvent> BeforeFrame();
  // Sliced: thinks for up to `ms` milliseconds. False when nothing is to think.
  bool Think(double ms);
  bool Thinking() const { return phase_ == Phase::Thinking && !ready_; }

  // The current player is a computer and the game is not over.
  bool OwnsTurn() const;
  // Whether a person's event may reach the game: during a computer's turn no
  // mouse event that would pick its ball or touch its putt, and none at all
  // while its pointer moves and putts; pages, keys and the panel still answer.
  bool LetsThrough(const InputEvent& ev) const;

  // Decisions made and the frames each simulated.
  int decisions() const { return static_cast<int>(simframes_.size()); }
  const std::vector<int64_t>& simframes() const { return simframes_; }

 private:
  enum class Phase { Idle, Thinking, Acting };

  bool sliced_;
  std::vector<ComputerRandom> random_;  // per player, 1-based (slot 0 unused)
  Phase phase_ = Phase::Idle;
  int64_t frame_ = 0;    // BeforeFrame calls this game
  int64_t started_ = 0;  // the frame whose game the decision starts from
  int lineup_ = 0;       // frames of its line-up
  int player_ = 0;       // whose stroke is being decided or made
  int cardframes_ = 0;   // frames a hole card has shown in a game of computers only
  bool ready_ = false;   // the decision is made
  Decision decision_;
  Drag struck_;  // the decision as the hand strikes it
  std::vector<TimedEvent> putt_;
  size_t next_ = 0;                 // next event of `putt_`
  int offset_ = 0;                  // frame of the putt about to run
  bool pressed_ = false;            // the putt's press has gone out
  std::vector<int64_t> simframes_;  // per decision
  SlicedJob job_;
  GameSnapshot jobgame_;  // the sliced search's game between slices

  void Idle(std::vector<InputEvent>& out);
  void Begin();
  void Finish(const Decision& d);
  void Act(std::vector<InputEvent>& out);
  void Abandon();
  bool OnlyComputers() const;
  bool ComputerPlays(int player) const;
};

}  // namespace gp::ai
