#pragma once
// The sound device and our own mixer: wave items with a main buffer and copies
// for overlapping playback, looping, volume in hundredths of a decibel.
// The platform's audio callback pulls mixed samples (22 050 Hz, 16-bit, mono).

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "media/wave_list.h"

namespace gp {

class Mixer : public AudioSource {
 public:
  Mixer();
  ~Mixer() override;

  // Starts the device on the platform (nullptr: a device that mixes only on request).
  bool StartSound(Platform* platform);
  void StopSound();
  bool Running() const { return running_; }

  // Nothing happens while the device is not running.
  void Play(WaveItem& item);
  void Stop(WaveItem& item);
  void SetLooped(WaveItem& item, bool looped);
  // Hundredths of a decibel, <= 0: for the main buffer and every copy started
  // from now on (copies already playing keep theirs).
  void SetVolume(WaveItem& item, int attenuation);

  // Stops every voice of every item (the list is being replaced).
  void StopAll();
  // Stops, in every mixer, the voices of these items (their list is being replaced).
  static void ForgetItems(const std::vector<WaveItem>& items);

  void Mix(int16_t* out, int frames) override;

  // For tests and tools: called for every Play on the running device.
  void SetPlayObserver(std::function<void(const WaveItem&)> observer) {
    observer_ = std::move(observer);
  }
  // For tests and tools: voices of an item now playing, and its copies.
  int PlayingCount(const WaveItem& item) const;
  int CopyCount(const WaveItem& item) const;

 private:
  void Lock() const;
  void Unlock() const;

  bool running_ = false;
  Platform* platform_ = nullptr;
  std::function<void(const WaveItem&)> observer_;
  // Implementation detail of the voices; defined in mixer.cpp.
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace gp
