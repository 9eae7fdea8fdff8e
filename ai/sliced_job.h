#pragma once
// A long computation run a few milliseconds at a time between frames. The job
// runs on a thread of its own, but only while Run() waits for it, so it may use
// the game's globals as if it ran on the caller's thread; at its pause points
// (between frames of a search) it hands control back once its slice is used
// up. The caller swaps the game it works on in and out around each slice.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace gp::ai {

class SlicedJob {
 public:
  SlicedJob() = default;
  SlicedJob(const SlicedJob&) = delete;
  SlicedJob& operator=(const SlicedJob&) = delete;
  ~SlicedJob();

  // Sets up `job` without running it; a job still under way is cancelled first.
  void Start(std::function<void()> job);
  // Runs the job until it pauses with `ms` milliseconds used, or ends. True
  // once it has ended (also when none was started).
  bool Run(double ms);
  // Ends a job under way: it leaves its current pause point as if by an
  // exception, unwinding, and never runs again.
  void Cancel();
  bool Busy() const { return thread_.joinable() && !done_; }

  // Called by the job where it may stop; does nothing outside a sliced job.
  static void Pause();

 private:
  struct Cancelled {};
  enum class Turn { Caller, Job };

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable cv_;
  Turn turn_ = Turn::Caller;
  bool done_ = false;
  bool cancel_ = false;
  double deadline_ = 0;  // steady clock, seconds

  void Body(const std::function<void()>& job);
  void Join();
};

}  // namespace gp::ai
