#pragma once
// Wave lists (".dxw"): sounds addressed by position.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gp {

struct WaveFormat {
  int formattag = 1;  // 1 = PCM
  int channels = 1;
  int rate = 22050;  // samples per second
  int bits = 16;
  int blockalign = 2;
};

struct WaveItem {
  std::string name;
  bool looped = false;
  int maxplayingcount = 0;    // 0 = no limit
  WaveFormat format;          // as stored in the file
  std::vector<uint8_t> data;  // the "data" chunk as stored
  uint32_t frames = 0;        // sample frames in the stored data
  // The sound converted to the device format: 22 050 Hz, 16-bit, mono.
  std::vector<int16_t> samples;
  // The playback buffer: `samples` shared with the mixer's voices, so a voice
  // never outlives the sound it plays. Made when the item is loaded or first played.
  std::shared_ptr<const std::vector<int16_t>> buffer;
};

struct WaveList {
  std::vector<WaveItem> items;
  int Count() const { return static_cast<int>(items.size()); }
  WaveItem* Item(int index);
};

// Replaces the list's items with the file's; throws AssetError.
// Voices still playing the replaced items are stopped first.
void LoadWaveList(WaveList& list, const std::string& path);
// The same from the bytes of a file in memory.
void ReadWaveList(WaveList& list, const uint8_t* data, size_t size);

// Longest sound accepted, and longest all the sounds of one list together, in
// device samples (ten minutes).
inline constexpr size_t kMaxDeviceSamples = size_t{22050} * 600;
inline constexpr const char* kWaveInvalid = "Wave is invalid";
inline constexpr const char* kWaveListTooLong = "Sounds are too long";

// Parses a RIFF WAVE image into an item's format, data and converted samples;
// throws AssetError("Wave is invalid") and the like, and kWaveListTooLong when
// the sound would take more than max_samples device samples (checked before it
// is converted).
void DecodeWave(const uint8_t* bytes, size_t size, WaveItem& item,
                size_t max_samples = kMaxDeviceSamples);

// Converts stored PCM data (8, 16, 24 or 32 bits, any channel count and rate)
// to 22 050 Hz, 16-bit, mono.
std::vector<int16_t> ConvertToDevice(const WaveFormat& format, const uint8_t* data, size_t size);
// The device samples ConvertToDevice makes of `size` bytes of that format.
uint64_t DeviceSamples(const WaveFormat& format, size_t size);

}  // namespace gp
