#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/headless/png_writer.h"

namespace gp {
namespace {

std::vector<uint8_t> ReadPngRgb(const std::string& path, int& w, int& h) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  std::vector<uint8_t> rgb;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return rgb;
  image.format = PNG_FORMAT_RGB;
  w = static_cast<int>(image.width);
  h = static_cast<int>(image.height);
  rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) rgb.clear();
  return rgb;
}

TEST(PngWriter, WritesTheBackBufferAsRgb) {
  // 3 x 2 pixels inside a pitch of 4: red, green, blue / white, black, grey.
  const uint16_t px[8] = {0xF800, 0x07E0, 0x001F, 0x1234, 0xFFFF, 0x0000, 0x8410, 0x4321};
  const std::string path = (std::filesystem::temp_directory_path() / "galaputt_png.png").string();
  ASSERT_TRUE(WritePng(path, px, 3, 2, 4));
  int w = 0, h = 0;
  const std::vector<uint8_t> rgb = ReadPngRgb(path, w, h);
  std::remove(path.c_str());
  ASSERT_EQ(w, 3);
  ASSERT_EQ(h, 2);
  const std::vector<uint8_t> expected = {255, 0,   0,   0, 255, 0, 0,   0,   255,
                                         255, 255, 255, 0, 0,   0, 132, 130, 132};
  EXPECT_EQ(rgb, expected);

  const uint32_t colours[2] = {0x0000FF, 0x563412};
  ASSERT_TRUE(WritePngColours(path, colours, 2, 1));
  const std::vector<uint8_t> c = ReadPngRgb(path, w, h);
  std::remove(path.c_str());
  EXPECT_EQ(c, (std::vector<uint8_t>{255, 0, 0, 0x12, 0x34, 0x56}));

  EXPECT_FALSE(WritePng("/nonexistent/dir/x.png", px, 3, 2, 4));
  EXPECT_FALSE(WritePng(path, px, 0, 2, 4));
}

struct Counter : AudioSource {
  void Mix(int16_t* out, int frames) override {
    for (int i = 0; i < frames; ++i) out[i] = static_cast<int16_t>(next++);
  }
  int next = 1;
};

TEST(HeadlessPlatform, RecordsWhatTheDevicePlays) {
  HeadlessPlatform p;
  p.RunAudio(2);  // no device: silence
  Counter c;
  ASSERT_TRUE(p.OpenAudio(&c));
  p.RunAudio(3);
  EXPECT_EQ(p.recorded(), (std::vector<int16_t>{0, 0, 1, 2, 3}));
  p.CloseAudio();
  p.ClearRecorded();
  p.SetAudioFails(true);
  EXPECT_FALSE(p.OpenAudio(&c));
  EXPECT_EQ(p.audio(), nullptr);
}

TEST(HeadlessPlatform, LendsItsFrameBufferUnlessCopyingIsAsked) {
  HeadlessPlatform p;
  EXPECT_EQ(p.FrameBuffer(), nullptr);  // no display yet
  ASSERT_TRUE(p.OpenDisplay(4, 2, false));
  uint16_t* fb = p.FrameBuffer();
  ASSERT_NE(fb, nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(fb[i], 0);
  fb[5] = 55;
  p.Present(fb, 4, 2);  // already in place
  EXPECT_EQ(p.presented(), 1);
  EXPECT_EQ(p.frame()[5], 55);
  EXPECT_EQ(p.FrameBuffer(), fb);  // the same buffer for the next frame

  const uint16_t other[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  p.Present(other, 8, 1);  // another size: ignored, and the lent buffer stays put
  EXPECT_EQ(p.presented(), 1);
  EXPECT_EQ(p.FrameBuffer(), fb);
  p.Present(other, 4, 2);  // pixels from elsewhere are copied in
  EXPECT_EQ(p.presented(), 2);
  EXPECT_EQ(fb[5], 9);
  p.CloseDisplay();
  EXPECT_EQ(p.FrameBuffer(), nullptr);

  HeadlessPlatform copying;
  copying.SetDirectDrawing(false);
  ASSERT_TRUE(copying.OpenDisplay(4, 2, false));
  EXPECT_EQ(copying.FrameBuffer(), nullptr);
  copying.Present(other, 4, 2);
  EXPECT_EQ(copying.frame()[7], 9);
}

TEST(HeadlessPlatform, DisplayAndInput) {
  HeadlessPlatform p;
  EXPECT_FALSE(p.DisplayReady());
  ASSERT_TRUE(p.OpenDisplay(4, 2, true));
  const uint16_t px[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  p.Present(px, 4, 2);
  EXPECT_EQ(p.presented(), 1);
  EXPECT_EQ(p.frame()[7], 8);
  p.SetDisplayLost(true);
  p.Present(px, 4, 2);
  EXPECT_EQ(p.presented(), 1);

  InputEvent ev;
  EXPECT_FALSE(p.PollEvent(ev));
  InputEvent key;
  key.type = InputEvent::Type::KeyDown;
  key.key = kKeyF1;
  p.Push(key);
  ASSERT_TRUE(p.PollEvent(ev));
  EXPECT_EQ(ev.key, kKeyF1);
  p.WarpPointer(3, 1);
  EXPECT_EQ(p.pointerx(), 3);
}

}  // namespace
}  // namespace gp
