#include "media/mixer.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace gp {

namespace {

constexpr int kUnityGain = 1 << 16;  // 16.16 fixed point
constexpr int kSilence = -10000;     // hundredths of a decibel

// One playback buffer: a position in a shared sound.
struct Voice {
  std::shared_ptr<const std::vector<int16_t>> buffer;
  size_t pos = 0;
  bool playing = false;
  bool looped = false;
  int gain = kUnityGain;

  void Start(const std::shared_ptr<const std::vector<int16_t>>& b, bool loop, int g) {
    buffer = b;
    pos = 0;
    looped = loop;
    gain = g;
    playing = buffer && !buffer->empty();
  }
};

// The playback state of one wave item. The item itself is only a key: the
// audio thread reads nothing but the voices' shared buffers.
struct ItemVoices {
  const WaveItem* item = nullptr;
  Voice main;                 // looped playback
  std::vector<Voice> copies;  // one-shot playback, oldest first
  int gain = kUnityGain;      // for copies made from now on
};

// Every live mixer, for ForgetItems. Function statics: they outlive any mixer.
std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::vector<Mixer*>& Registry() {
  static std::vector<Mixer*> r;
  return r;
}

int GainOf(int attenuation) {
  const int att = std::clamp(attenuation, kSilence, 0);
  if (att == kSilence) return 0;
  return static_cast<int>(std::lround(std::pow(10.0, att / 2000.0) * kUnityGain));
}

}  // namespace

struct Mixer::Impl {
  std::vector<ItemVoices> items;
  std::vector<int32_t> accum;  // mixing sums, reused between calls

  ItemVoices* Find(const WaveItem& item) {
    for (ItemVoices& v : items) {
      if (v.item == &item) return &v;
    }
    return nullptr;
  }
  ItemVoices& Get(const WaveItem& item) {
    if (ItemVoices* v = Find(item)) return *v;
    items.push_back(ItemVoices{&item, {}, {}, kUnityGain});
    items.back().copies.reserve(4);
    return items.back();
  }
};

Mixer::Mixer() : impl_(std::make_unique<Impl>()) {
  std::lock_guard<std::mutex> g(RegistryMutex());
  Registry().push_back(this);
}

Mixer::~Mixer() {
  StopSound();
  std::lock_guard<std::mutex> g(RegistryMutex());
  std::vector<Mixer*>& r = Registry();
  r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

void Mixer::Lock() const {
  if (running_ && platform_) platform_->LockAudio();
}

void Mixer::Unlock() const {
  if (running_ && platform_) platform_->UnlockAudio();
}

bool Mixer::StartSound(Platform* platform) {
  if (running_) return true;
  platform_ = platform;
  if (platform_ && !platform_->OpenAudio(this)) {
    platform_ = nullptr;
    return false;
  }
  running_ = true;
  return true;
}

void Mixer::StopSound() {
  if (!running_) return;
  if (platform_) platform_->CloseAudio();  // no more callbacks after this
  running_ = false;
  platform_ = nullptr;
  impl_->items.clear();
}

void Mixer::Play(WaveItem& item) {
  if (!running_) return;
  if (observer_) observer_(item);
  if (!item.buffer || item.buffer->size() != item.samples.size()) {
    item.buffer = std::make_shared<const std::vector<int16_t>>(item.samples);
  }
  Lock();
  ItemVoices& v = impl_->Get(item);
  if (item.looped) {
    v.main.Start(item.buffer, true, v.gain);
  } else {
    auto idle =
        std::find_if(v.copies.begin(), v.copies.end(), [](const Voice& c) { return !c.playing; });
    // A copy started again takes the item's volume as it is now.
    if (idle != v.copies.end()) {
      idle->Start(item.buffer, false, v.gain);
    } else if (item.maxplayingcount <= 0 ||
               static_cast<int>(v.copies.size()) < item.maxplayingcount) {
      v.copies.emplace_back();
      v.copies.back().Start(item.buffer, false, v.gain);
    } else if (!v.copies.empty()) {
      // Every copy plays: the oldest starts again and becomes the newest.
      std::rotate(v.copies.begin(), v.copies.begin() + 1, v.copies.end());
      v.copies.back().Start(item.buffer, false, v.gain);
    }
  }
  Unlock();
}

void Mixer::Stop(WaveItem& item) {
  if (!running_) return;
  Lock();
  if (ItemVoices* v = impl_->Find(item)) {
    v->main.playing = false;
    for (Voice& c : v->copies) c.playing = false;
  }
  Unlock();
}

void Mixer::SetLooped(WaveItem& item, bool looped) {
  if (item.looped == looped) return;
  Stop(item);
  item.looped = looped;
}

void Mixer::SetVolume(WaveItem& item, int attenuation) {
  if (!running_) return;
  Lock();
  ItemVoices& v = impl_->Get(item);
  v.gain = GainOf(attenuation);
  v.main.gain = v.gain;
  Unlock();
}

void Mixer::StopAll() {
  if (!running_) return;
  Lock();
  impl_->items.clear();
  Unlock();
}

void Mixer::ForgetItems(const std::vector<WaveItem>& items) {
  if (items.empty()) return;
  const WaveItem* first = items.data();
  const WaveItem* last = first + items.size();
  std::lock_guard<std::mutex> g(RegistryMutex());
  for (Mixer* m : Registry()) {
    m->Lock();
    auto& list = m->impl_->items;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const ItemVoices& v) {
                                return std::less_equal<>()(first, v.item) &&
                                       std::less<>()(v.item, last);
                              }),
               list.end());
    m->Unlock();
  }
}

void Mixer::Mix(int16_t* out, int frames) {
  if (frames <= 0) return;
  std::vector<int32_t>& acc = impl_->accum;
  if (acc.size() < static_cast<size_t>(frames)) acc.resize(static_cast<size_t>(frames));
  std::fill(acc.begin(), acc.begin() + frames, 0);
  auto mix_voice = [&](Voice& voice) {
    if (!voice.playing) return;
    const std::vector<int16_t>& s = *voice.buffer;
    int i = 0;
    while (i < frames) {
      const size_t n = std::min<size_t>(static_cast<size_t>(frames - i), s.size() - voice.pos);
      const int16_t* src = s.data() + voice.pos;
      for (size_t k = 0; k < n; ++k) acc[i + k] += (src[k] * voice.gain) >> 16;
      i += static_cast<int>(n);
      voice.pos += n;
      if (voice.pos >= s.size()) {
        voice.pos = 0;
        if (!voice.looped) {
          voice.playing = false;
          return;
        }
      }
    }
  };
  for (ItemVoices& v : impl_->items) {
    mix_voice(v.main);
    for (Voice& c : v.copies) mix_voice(c);
  }
  for (int i = 0; i < frames; ++i) {
    out[i] = static_cast<int16_t>(std::clamp<int32_t>(acc[i], -32768, 32767));
  }
}

int Mixer::PlayingCount(const WaveItem& item) const {
  const ItemVoices* v = impl_->Find(item);
  if (!v) return 0;
  return static_cast<int>(v->main.playing) +
         static_cast<int>(std::count_if(v->copies.begin(), v->copies.end(),
                                        [](const Voice& c) { return c.playing; }));
}

int Mixer::CopyCount(const WaveItem& item) const {
  const ItemVoices* v = impl_->Find(item);
  return v ? static_cast<int>(v->copies.size()) : 0;
}

}  // namespace gp
