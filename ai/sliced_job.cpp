#include "ai/sliced_job.h"

#include <chrono>

namespace gp::ai {

namespace {

// The job running on this thread, if any.
thread_local SlicedJob* t_job = nullptr;

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

SlicedJob::~SlicedJob() {
  Cancel();
}

void SlicedJob::Start(std::function<void()> job) {
  Cancel();
  done_ = false;
  cancel_ = false;
  turn_ = Turn::Caller;
  thread_ = std::thread([this, job = std::move(job)] { Body(job); });
}

void SlicedJob::Body(const std::function<void()>& job) {
  t_job = this;
  {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return turn_ == Turn::Job; });
  }
  if (!cancel_) {
    try {
      job();
    } catch (const Cancelled&) {
    } catch (...) {
      // The job's own failure ends it like its end: it reports through its results.
    }
  }
  std::lock_guard lock(mutex_);
  done_ = true;
  turn_ = Turn::Caller;
  cv_.notify_all();
}

bool SlicedJob::Run(double ms) {
  if (!thread_.joinable()) return true;
  {
    std::unique_lock lock(mutex_);
    if (!done_) {
      deadline_ = Now() + ms / 1000;
      turn_ = Turn::Job;
      cv_.notify_all();
      cv_.wait(lock, [this] { return turn_ == Turn::Caller; });
    }
    if (!done_) return false;
  }
  Join();
  return true;
}

void SlicedJob::Pause() {
  SlicedJob* self = t_job;
  if (!self || Now() < self->deadline_) return;
  std::unique_lock lock(self->mutex_);
  self->turn_ = Turn::Caller;
  self->cv_.notify_all();
  self->cv_.wait(lock, [self] { return self->turn_ == Turn::Job; });
  if (self->cancel_) throw Cancelled{};
}

void SlicedJob::Cancel() {
  if (!thread_.joinable()) return;
  {
    std::unique_lock lock(mutex_);
    if (!done_) {
      cancel_ = true;
      turn_ = Turn::Job;
      cv_.notify_all();
      cv_.wait(lock, [this] { return done_; });
    }
  }
  Join();
}

void SlicedJob::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace gp::ai
