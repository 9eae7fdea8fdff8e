#include "media/container_writer.h"

#include <cstdio>

#include "base/asset_error.h"
#include "media/bitmap_codec.h"
#include "media/object_stream.h"

namespace gp {

namespace {

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw AssetError("Cannot create file " + path);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !ok) throw AssetError("Cannot write file " + path);
}

// A RIFF WAVE image of a format and its stored data.
Bytes EncodeRiff(const WaveFormat& f, const uint8_t* data, size_t size) {
  Bytes out;
  out.reserve(44 + size + 1);
  const size_t padded = size + (size & 1);
  PutBytes(out, "RIFF", 4);
  PutU32(out, static_cast<uint32_t>(4 + 8 + 16 + 8 + padded));
  PutBytes(out, "WAVE", 4);
  PutBytes(out, "fmt ", 4);
  PutU32(out, 16);
  PutU16(out, static_cast<uint16_t>(f.formattag));
  PutU16(out, static_cast<uint16_t>(f.channels));
  PutU32(out, static_cast<uint32_t>(f.rate));
  PutU32(out, static_cast<uint32_t>(f.rate) * static_cast<uint32_t>(f.blockalign));
  PutU16(out, static_cast<uint16_t>(f.blockalign));
  PutU16(out, static_cast<uint16_t>(f.bits));
  PutBytes(out, "data", 4);
  PutU32(out, static_cast<uint32_t>(size));
  PutBytes(out, data, size);
  if (size & 1) PutU8(out, 0);
  return out;
}

Bytes SampleBytes(const std::vector<int16_t>& samples) {
  Bytes out;
  out.reserve(samples.size() * 2);
  for (int16_t s : samples) PutU16(out, static_cast<uint16_t>(s));
  return out;
}

}  // namespace

Bytes EncodeImageList(const std::vector<ImageItem>& items) {
  ObjectStreamWriter w("IMAGELIST", "TImageListFile", "ImageList");
  w.Property("List");
  w.BeginCollection();
  for (const ImageItem& item : items) {
    w.BeginItem();
    w.Property("Name");
    w.String(item.name);
    w.Property("PatternWidth");
    w.Integer(item.patternwidth);
    w.Property("PatternHeight");
    w.Integer(item.patternheight);
    w.Property("SkipWidth");
    w.Integer(item.skipwidth);
    w.Property("SkipHeight");
    w.Integer(item.skipheight);
    w.Property("SystemMemory");
    w.Boolean(item.systemmemory);
    w.Property("Transparent");
    w.Boolean(item.transparent);
    w.Property("TransparentColor");
    w.Integer(static_cast<int32_t>(item.transparentcolor));
    if (!item.picture.empty()) {
      const Bytes data = EncodePictureData(item.picture);
      w.Property("Picture.Data");
      w.Binary(data.data(), data.size());
    }
    w.EndList();
  }
  w.EndList();
  return w.Finish();
}

Bytes EncodeBitmap(const Picture& picture) {
  return EncodeBitmapFile(picture);
}

void WriteImageList(const std::string& path, const std::vector<ImageItem>& items) {
  WriteFile(path, EncodeImageList(items));
}

Bytes EncodeWaveList(const std::vector<WaveItem>& items) {
  ObjectStreamWriter w("WAVELIST", "TWaveListFile", "WaveList");
  w.Property("List");
  w.BeginCollection();
  for (const WaveItem& item : items) {
    w.BeginItem();
    w.Property("Name");
    w.String(item.name);
    w.Property("Looped");
    w.Boolean(item.looped);
    w.Property("MaxPlayingCount");
    w.Integer(item.maxplayingcount);
    // An item made from samples only is stored in the device format.
    const Bytes wave = item.data.empty() && !item.samples.empty()
                           ? EncodeWave(item.samples)
                           : EncodeRiff(item.format, item.data.data(), item.data.size());
    w.Property("Wave.WAVE");
    w.Binary(wave.data(), wave.size());
    w.EndList();
  }
  w.EndList();
  return w.Finish();
}

void WriteWaveList(const std::string& path, const std::vector<WaveItem>& items) {
  WriteFile(path, EncodeWaveList(items));
}

Bytes EncodeWave(const std::vector<int16_t>& samples, int rate) {
  WaveFormat f;
  f.rate = rate;
  const Bytes data = SampleBytes(samples);
  return EncodeRiff(f, data.data(), data.size());
}

void SetWaveSamples(WaveItem& item, const std::vector<int16_t>& samples) {
  item.format = WaveFormat{};
  item.data = SampleBytes(samples);
  item.frames = static_cast<uint32_t>(samples.size());
  item.samples = samples;
  item.buffer = std::make_shared<const std::vector<int16_t>>(samples);
}

}  // namespace gp
