#include "media/wave_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "base/asset_error.h"
#include "media/container_writer.h"
#include "support/asset_bytes.h"
#include "support/hostile_files.h"

namespace gp {
namespace {

using test::Chunk;
using test::Fmt;
using test::Riff;

Bytes Pcm16(const std::vector<int16_t>& s) {
  Bytes b;
  for (int16_t v : s) PutU16(b, static_cast<uint16_t>(v));
  return b;
}

std::string WaveError(const Bytes& b) {
  WaveItem item;
  try {
    DecodeWave(b.data(), b.size(), item);
  } catch (const AssetError& e) {
    return e.what();
  }
  return "";
}

TEST(WaveDecode, DeviceFormatIsKeptAsItIs) {
  const std::vector<int16_t> s = {0, 1000, -1000, 32767, -32768};
  const Bytes b = Riff({Fmt(1, 1, 22050, 16), {"data", Pcm16(s)}});
  WaveItem item;
  DecodeWave(b.data(), b.size(), item);
  EXPECT_EQ(item.samples, s);
  EXPECT_EQ(item.frames, 5u);
  EXPECT_EQ(item.format.rate, 22050);
  EXPECT_EQ(item.data, Pcm16(s));
  ASSERT_TRUE(item.buffer);
  EXPECT_EQ(*item.buffer, s);
}

TEST(WaveDecode, OtherChunksAreSkipped) {
  const Bytes b = Riff({Fmt(1, 1, 22050, 16),
                        {"LIST", Bytes(7, 'x')},
                        {"data", Pcm16({5, 6})},
                        {"cue ", Bytes(4, 0)}});
  WaveItem item;
  DecodeWave(b.data(), b.size(), item);
  EXPECT_EQ(item.samples, (std::vector<int16_t>{5, 6}));
  // The format may also follow the samples.
  const Bytes late = Riff({{"data", Pcm16({9})}, {"junk", {}}, Fmt(1, 1, 22050, 16)});
  DecodeWave(late.data(), late.size(), item);
  EXPECT_EQ(item.samples, (std::vector<int16_t>{9}));
}

TEST(WaveDecode, ConvertsAnyPcmFormatToTheDevice) {
  // 8-bit stereo at 11 025 Hz: channels averaged, twice as many samples, interpolated.
  const Bytes stereo8 = Riff({Fmt(1, 2, 11025, 8), {"data", {128, 128, 192, 192, 64, 192}}});
  WaveItem item;
  DecodeWave(stereo8.data(), stereo8.size(), item);
  EXPECT_EQ(item.frames, 3u);
  EXPECT_EQ(item.format.channels, 2);
  EXPECT_EQ(item.samples, (std::vector<int16_t>{0, 8192, 16384, 8192, 0, 0}));

  // 16-bit mono at 44 100 Hz: every other sample.
  const Bytes fast = Riff({Fmt(1, 1, 44100, 16), {"data", Pcm16({10, 20, 30, 40, 50, 60})}});
  DecodeWave(fast.data(), fast.size(), item);
  EXPECT_EQ(item.samples, (std::vector<int16_t>{10, 30, 50}));

  // 24-bit: the top two bytes.
  const Bytes deep = Riff({Fmt(1, 1, 22050, 24), {"data", {0x99, 0x34, 0x12}}});
  DecodeWave(deep.data(), deep.size(), item);
  EXPECT_EQ(item.samples, (std::vector<int16_t>{0x1234}));
}

TEST(WaveDecode, BadWavesAreInvalid) {
  const Chunk fmt = Fmt(1, 1, 22050, 16);
  const Chunk data{"data", Pcm16({1, 2})};
  EXPECT_EQ(WaveError(Riff({fmt, data}, "RIFX")), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff({fmt, data}, "RIFF", "AVI ")), "Wave is invalid");
  EXPECT_EQ(WaveError({'R', 'I', 'F', 'F'}), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff({data})), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff({fmt})), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff({Fmt(3, 1, 22050, 32), data})), "Wave is invalid");  // float
  EXPECT_EQ(WaveError(Riff({Fmt(1, 0, 22050, 16), data})), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff({Fmt(1, 1, 22050, 12), data})), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff({Fmt(1, 1, 0, 16), data})), "Wave is invalid");
  EXPECT_EQ(WaveError(Riff({{"fmt ", Bytes(8, 1)}, data})), "Wave is invalid");
  // A slow rate that would make an absurdly long sound.
  EXPECT_EQ(WaveError(Riff({Fmt(1, 1, 1000, 8), {"data", Bytes(700000, 128)}})), "Wave is invalid");
  // A chunk longer than the wave.
  Bytes b = Riff({fmt, data});
  b[b.size() - 8] = 0xFF;
  EXPECT_EQ(WaveError(b), "Wave is invalid");
  b = Riff({fmt, data});
  for (size_t n = 0; n < b.size(); ++n)
    EXPECT_FALSE(WaveError(Bytes(b.begin(), b.begin() + long(n))).empty());
}

TEST(WaveListFile, RoundTripKeepsEveryItem) {
  std::vector<WaveItem> items(3);
  items[0].name = "putt";
  SetWaveSamples(items[0], {1, -2, 3, -4});
  items[1].name = "loop";
  items[1].looped = true;
  items[1].maxplayingcount = 2;
  const Bytes stereo = Riff({Fmt(1, 2, 44100, 16), {"data", Pcm16({100, 300, 500, 700})}});
  DecodeWave(stereo.data(), stereo.size(), items[1]);
  items[2].maxplayingcount = 300;
  items[2].samples = {7, 8, 9};  // samples only: stored in the device format

  const Bytes bytes = EncodeWaveList(items);
  WaveList list;
  ReadWaveList(list, bytes.data(), bytes.size());
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.items[0].name, "putt");
  EXPECT_EQ(list.items[0].samples, (std::vector<int16_t>{1, -2, 3, -4}));
  EXPECT_EQ(list.items[0].frames, 4u);
  EXPECT_TRUE(list.items[1].looped);
  EXPECT_EQ(list.items[1].maxplayingcount, 2);
  EXPECT_EQ(list.items[1].format.channels, 2);
  EXPECT_EQ(list.items[1].format.rate, 44100);
  EXPECT_EQ(list.items[1].frames, 2u);
  EXPECT_EQ(list.items[1].data, items[1].data);
  EXPECT_EQ(list.items[1].samples, (std::vector<int16_t>{200}));
  EXPECT_EQ(list.items[2].maxplayingcount, 300);
  EXPECT_EQ(list.items[2].samples, (std::vector<int16_t>{7, 8, 9}));
  EXPECT_EQ(list.Item(3), nullptr);

  const std::string path =
      (std::filesystem::temp_directory_path() / "galaputt_roundtrip.dxw").string();
  WriteWaveList(path, items);
  WaveList loaded;
  loaded.items.resize(5);
  LoadWaveList(loaded, path);
  std::remove(path.c_str());
  EXPECT_EQ(loaded.Count(), 3);

  const Bytes wave = EncodeWave({1, 2, 3}, 11025);
  WaveItem w;
  DecodeWave(wave.data(), wave.size(), w);
  EXPECT_EQ(w.format.rate, 11025);
  EXPECT_EQ(w.frames, 3u);
}

// A list's sounds together may last ten minutes, as one sound may: a second
// ten-minute sound (600 KB at 1000 samples a second, 13 M samples brought to the
// device) is refused before it is converted.
TEST(WaveListFile, SoundsBeyondTenMinutesInAllAreRefused) {
  WaveList list;
  const Bytes one = test::LowRateWaveList(1);
  ReadWaveList(list, one.data(), one.size());
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.items[0].samples.size(), kMaxDeviceSamples);
  const Bytes two = test::LowRateWaveList(2);
  try {
    ReadWaveList(list, two.data(), two.size());
    FAIL() << "twenty minutes of sound read";
  } catch (const AssetError& e) {
    EXPECT_STREQ(e.what(), kWaveListTooLong);
  }
  EXPECT_EQ(list.Count(), 1);  // the first sound, as with any error on the way
}

TEST(WaveListFile, BadFilesGiveTheirMessages) {
  WaveList list;
  try {
    LoadWaveList(list, "/nonexistent/sound.dxw");
    FAIL();
  } catch (const AssetError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/sound.dxw");
  }
  const auto error = [](const std::function<void(test::RawStream&)>& props) {
    test::RawStream s;
    s.ListStart().Byte(1);
    props(s);
    s.Byte(0).ListEnd();
    WaveList l;
    try {
      ReadWaveList(l, s.b.data(), s.b.size());
    } catch (const AssetError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  EXPECT_EQ(error([](test::RawStream& s) { s.Short("Volume").Byte(2).Byte(0); }),
            "Property does not exist");
  EXPECT_EQ(error([](test::RawStream& s) { s.Short("Looped").Byte(2).Byte(1); }),
            "Invalid property value");
  EXPECT_EQ(error([](test::RawStream& s) { s.Short("MaxPlayingCount").Byte(9); }),
            "Invalid property value");
  EXPECT_EQ(error([](test::RawStream& s) {
              s.Short("Wave.WAVE").Byte(10).I32(4).Raw({'R', 'I', 'F', 'F'});
            }),
            "Wave is invalid");
  EXPECT_EQ(error([](test::RawStream& s) { s.Short("Wave.WAVE").Byte(10).I32(1 << 30); }),
            "Stream read error");
  EXPECT_EQ(error([](test::RawStream& s) { s.Short("Looped").Byte(9); }), "");

  const Bytes good = EncodeWaveList(std::vector<WaveItem>(2));
  for (size_t n = 0; n < good.size(); ++n) {
    WaveList l;
    EXPECT_THROW(ReadWaveList(l, good.data(), n), AssetError) << n;
  }
}

}  // namespace
}  // namespace gp
