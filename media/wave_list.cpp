#include "media/wave_list.h"

#include <algorithm>
#include <cstring>

#include "base/asset_error.h"
#include "media/bitmap_codec.h"
#include "media/mixer.h"
#include "media/object_stream.h"

namespace gp {

namespace {

constexpr int kDeviceRate = 22050;

void ReadFormat(ByteReader& r, uint32_t len, WaveFormat& f) {
  if (len < 16) throw AssetError(kWaveInvalid);
  f.formattag = r.U16();
  f.channels = r.U16();
  f.rate = static_cast<int>(std::min<uint32_t>(r.U32(), 0x7FFFFFFF));
  r.U32();  // average bytes per second
  f.blockalign = r.U16();
  f.bits = r.U16();
  r.Skip(len - 16);
}

bool Playable(const WaveFormat& f) {
  return f.formattag == 1 && f.channels >= 1 && f.channels <= 8 &&
         (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32) && f.rate >= 1000 &&
         f.rate <= 384000;
}

// One stored sample as a 16-bit value.
int Sample16(const uint8_t* p, int bytes) {
  switch (bytes) {
    case 1:
      return (p[0] - 128) * 256;
    case 2:
      return static_cast<int16_t>(p[0] | p[1] << 8);
    default:  // 24 and 32 bits: the top two bytes
      return static_cast<int16_t>(p[bytes - 2] | p[bytes - 1] << 8);
  }
}

// One property of a wave item. `samples` counts the device samples of the
// list's sounds so far; a sound that would take it past the limit is refused
// before it is converted.
void ReadWaveProperty(ObjectStreamReader& s, const std::string& name, WaveItem& item,
                      size_t& samples) {
  if (SameName(name, "Name")) {
    item.name = s.ReadString();
  } else if (SameName(name, "Looped")) {
    item.looped = s.ReadBoolean();
  } else if (SameName(name, "MaxPlayingCount")) {
    item.maxplayingcount = s.ReadInteger();
  } else if (SameName(name, "Wave.WAVE")) {
    const BinaryView b = s.ReadBinary();
    DecodeWave(b.data, b.size, item, kMaxDeviceSamples - samples);
    samples += item.samples.size();
  } else {
    throw AssetError(kPropertyDoesNotExist);
  }
}

}  // namespace

WaveItem* WaveList::Item(int index) {
  return index >= 0 && index < Count() ? &items[static_cast<size_t>(index)] : nullptr;
}

uint64_t DeviceSamples(const WaveFormat& f, size_t size) {
  const size_t frame_bytes = static_cast<size_t>(f.bits / 8) * f.channels;
  if (frame_bytes == 0 || f.rate <= 0) return 0;
  return uint64_t{size / frame_bytes} * kDeviceRate / static_cast<uint64_t>(f.rate);
}

std::vector<int16_t> ConvertToDevice(const WaveFormat& f, const uint8_t* data, size_t size) {
  const int bytes = f.bits / 8;
  const size_t frame_bytes = static_cast<size_t>(bytes) * f.channels;
  const size_t frames = size / frame_bytes;
  const uint64_t out_len = DeviceSamples(f, size);
  if (out_len > kMaxDeviceSamples) throw AssetError(kWaveInvalid);
  auto mono = [&](size_t i) {
    const uint8_t* p = data + i * frame_bytes;
    int sum = 0;
    for (int c = 0; c < f.channels; ++c) sum += Sample16(p + c * bytes, bytes);
    return sum / f.channels;
  };
  std::vector<int16_t> out(static_cast<size_t>(out_len));
  // Linear interpolation between the two nearest stored frames: output sample i
  // lies at stored frame k + frac / 22050 with k * 22050 + frac = i * rate.
  const int64_t rate = f.rate;
  size_t k = 0, loaded = frames;  // the frame a and b were read at; none yet
  int64_t frac = 0;
  int a = 0, b = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (k != loaded) {
      a = mono(k);
      b = k + 1 < frames ? mono(k + 1) : a;
      loaded = k;
    }
    out[i] = static_cast<int16_t>(a + (b - a) * frac / kDeviceRate);
    frac += rate;
    if (frac >= kDeviceRate) {
      k += static_cast<size_t>(frac / kDeviceRate);
      frac %= kDeviceRate;
    }
  }
  return out;
}

void DecodeWave(const uint8_t* bytes, size_t size, WaveItem& item, size_t max_samples) {
  if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
    throw AssetError(kWaveInvalid);
  ByteReader r(bytes, size);
  r.Seek(12);
  bool have_format = false, have_data = false;
  WaveFormat format;
  const uint8_t* data = nullptr;
  uint32_t data_len = 0;
  while (r.left() >= 8 && !(have_format && have_data)) {
    const std::string id = r.Str(4);
    const uint32_t len = r.U32();
    if (len > r.left()) throw AssetError(kWaveInvalid);
    if (id == "fmt ") {
      ReadFormat(r, len, format);
      have_format = true;
    } else if (id == "data") {
      data = r.Bytes(len);
      data_len = len;
      have_data = true;
    } else {
      r.Skip(len);  // another chunk: not used
    }
    if ((len & 1) && r.left() > 0) r.Skip(1);  // chunks are padded to an even length
  }
  if (!have_format || !have_data || !Playable(format)) throw AssetError(kWaveInvalid);
  const uint64_t samples = DeviceSamples(format, data_len);
  if (samples > kMaxDeviceSamples) throw AssetError(kWaveInvalid);
  if (samples > max_samples) throw AssetError(kWaveListTooLong);
  item.format = format;
  item.data.assign(data, data + data_len);
  item.frames =
      static_cast<uint32_t>(data_len / (static_cast<size_t>(format.bits / 8) * format.channels));
  item.samples = ConvertToDevice(format, data, data_len);
  item.buffer = std::make_shared<const std::vector<int16_t>>(item.samples);
}

void ReadWaveList(WaveList& list, const uint8_t* data, size_t size) {
  Mixer::ForgetItems(list.items);
  list.items.clear();
  size_t samples = 0;  // of the list's sounds so far
  ObjectStreamReader s(data, size);
  s.ReadHeader();
  s.ReadObjectStart();
  for (std::string name = s.NextProperty(); !name.empty(); name = s.NextProperty()) {
    if (!SameName(name, "List")) throw AssetError(kPropertyDoesNotExist);
    s.BeginCollection();
    while (s.NextItem()) {
      WaveItem item;
      for (std::string p = s.NextProperty(); !p.empty(); p = s.NextProperty()) {
        ReadWaveProperty(s, p, item, samples);
      }
      list.items.push_back(std::move(item));
    }
  }
  s.ReadObjectEnd();
}

void LoadWaveList(WaveList& list, const std::string& path) {
  Mixer::ForgetItems(list.items);
  list.items.clear();
  const Bytes bytes = ReadWholeFile(path);
  ReadWaveList(list, bytes.data(), bytes.size());
}

}  // namespace gp
