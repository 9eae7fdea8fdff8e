#pragma once
// Small files crafted to cost far more than their size to read or show: a FLIC
// frame of thousands of BLACK chunks, a FLIC with junk after its one frame, a
// hot spot of thousands of corners, an AVI declaring a huge picture. The unit
// tests, the benchmarks and the fuzz regression inputs are made from these.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "media/container_writer.h"
#include "media/object_stream.h"
#include "support/flic_files.h"

namespace gp::test {

// A FLC of `width` x `height` whose one frame holds `chunks` BLACK chunks (and
// an empty ring frame after it).
inline Bytes BlackChunksFlic(int width, int height, int chunks) {
  Bytes frame;
  Put32(frame, static_cast<uint32_t>(16 + 6 * chunks));
  Put16(frame, 0xF1FA);
  Put16(frame, static_cast<uint32_t>(chunks));
  frame.resize(16, 0);
  for (int i = 0; i < chunks; ++i) {
    Put32(frame, 6);
    Put16(frame, 13);
  }
  return File(Header(0xAF12, 1, width, height, 70), {frame, Frame({})});
}

// A FLC of `width` x `height` declaring `frames` frames that holds one good
// frame (a palette and a literal image) followed by `junk` bytes in which no
// frame chunk can be found.
inline Bytes JunkTailFlic(int width, int height, int frames, size_t junk) {
  Bytes pixels(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7);
  Bytes tail(junk);
  uint32_t s = 2024;
  for (uint8_t& b : tail) {
    b = static_cast<uint8_t>((s = s * 1664525u + 1013904223u) >> 24);
    if (b == 0xF1) b = 0x11;  // no frame or prefix type anywhere
  }
  return File(Header(0xAF12, frames, width, height, 70),
              {Frame({RampPalette(), Literal(pixels)}), tail});
}

// "Spots" bytes (with shape bytes) holding one enabled polygon of `corners`
// corners, a comb whose teeth run between the top and the bottom of a
// `width` x `height` picture, so that every row of it crosses every edge.
inline Bytes ManyCornerSpots(int corners, int width = 421, int height = 165) {
  Bytes b;
  Put32(b, 0);
  Put32(b, 1);
  b.push_back(0);  // polygon
  Put32(b, 1);     // tag
  b.push_back(1);  // enabled
  Put32(b, 0);     // no hint
  Put32(b, static_cast<uint32_t>(corners));
  for (int i = 0; i < corners; ++i) {
    const int64_t x = int64_t{i / 2} * width / (corners / 2 + 1);
    const int y = (i + 1) / 2 % 2 == 0 ? 0 : height - 1;
    Put32(b, static_cast<uint32_t>(x));
    Put32(b, static_cast<uint32_t>(y));
  }
  return b;
}

// A one-frame AVI of 8-bit run-length pictures (BI_RLE8, a grey ramp palette)
// declaring `width` x `height`: its one frame is an empty run-length picture
// (end of bitmap at once), which a decoder makes a whole black picture of the
// declared size. About 1.3 KB whatever the size.
inline Bytes RleAvi(int width, int height) {
  auto tag = [](Bytes& b, const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(t[i]));
  };
  auto chunk = [&tag](const char* t, const Bytes& payload) {
    Bytes c;
    tag(c, t);
    Put32(c, static_cast<uint32_t>(payload.size()));
    c.insert(c.end(), payload.begin(), payload.end());
    if (payload.size() % 2 != 0) c.push_back(0);
    return c;
  };
  auto list = [&tag](const char* t, const std::vector<Bytes>& parts) {
    Bytes l;
    tag(l, "LIST");
    size_t size = 4;
    for (const Bytes& p : parts) size += p.size();
    Put32(l, static_cast<uint32_t>(size));
    tag(l, t);
    for (const Bytes& p : parts) l.insert(l.end(), p.begin(), p.end());
    return l;
  };
  const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
  Bytes avih;
  for (uint32_t v : {100000u, 0u, 0u, 0u, 1u, 0u, 1u, 0u, w, h, 0u, 0u, 0u, 0u}) Put32(avih, v);
  Bytes strh;
  tag(strh, "vids");
  Put32(strh, 0);  // handler
  for (uint32_t v : {0u, 0u, 0u, 1u, 10u, 0u, 1u, 0u, ~0u, 0u}) Put32(strh, v);
  for (uint32_t v : {0u, 0u, w, h}) Put16(strh, v);
  Bytes strf;
  for (uint32_t v : {40u, w, h}) Put32(strf, v);
  Put16(strf, 1);
  Put16(strf, 8);
  for (uint32_t v : {1u, 2u, 0u, 0u, 256u, 0u}) Put32(strf, v);  // BI_RLE8, 2 bytes of data
  for (int i = 0; i < 256; ++i) Put32(strf, static_cast<uint32_t>(i * 0x010101));
  const Bytes hdrl =
      list("hdrl", {chunk("avih", avih), list("strl", {chunk("strh", strh), chunk("strf", strf)})});
  const Bytes movi = list("movi", {chunk("00dc", {0, 1})});
  Bytes riff;
  tag(riff, "RIFF");
  Put32(riff, static_cast<uint32_t>(4 + hdrl.size() + movi.size()));
  tag(riff, "AVI ");
  riff.insert(riff.end(), hdrl.begin(), hdrl.end());
  riff.insert(riff.end(), movi.begin(), movi.end());
  return riff;
}

// A wave list (".dxw") of `count` sounds, each ten minutes of 8-bit mono at
// 1000 samples a second (600 KB stored, 13 M samples once brought to the
// device's 22 050 Hz).
inline Bytes LowRateWaveList(int count) {
  std::vector<WaveItem> items(static_cast<size_t>(count));
  for (WaveItem& item : items) {
    item.name = "drone";
    item.format.rate = 1000;
    item.format.bits = 8;
    item.format.blockalign = 1;
    item.data.resize(600000);
    for (size_t i = 0; i < item.data.size(); ++i) item.data[i] = static_cast<uint8_t>(128 + i % 7);
  }
  return EncodeWaveList(items);
}

// An 8-bit run-length bitmap file of `width` x `height` whose pixels are all
// colour 0 (white): a few bytes per row, the whole picture on decoding.
inline Bytes RleBitmap(int width, int height) {
  Bytes rle;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; x += 255)
      rle.insert(rle.end(), {static_cast<uint8_t>(std::min(255, width - x)), 0});
    rle.insert(rle.end(), {0, 0});  // end of line
  }
  rle.insert(rle.end(), {0, 1});  // end of bitmap
  Bytes b = {'B', 'M'};
  Put32(b, static_cast<uint32_t>(14 + 40 + 1024 + rle.size()));
  Put32(b, 0);
  Put32(b, 14 + 40 + 1024);
  for (uint32_t v : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)}) Put32(b, v);
  Put16(b, 1);
  Put16(b, 8);
  for (uint32_t v : {1u, static_cast<uint32_t>(rle.size()), 0u, 0u, 256u, 0u}) Put32(b, v);
  Put32(b, 0xFFFFFF);  // colour 0 white, the rest black
  b.resize(b.size() + 255 * 4, 0);
  b.insert(b.end(), rle.begin(), rle.end());
  return b;
}

// An image list (".dxg") of `count` items, each an opaque run-length picture of
// `side` x `side` cut into patterns of 1 x 1 pixel: small on disk, and every
// pixel a pattern of its own once prepared for drawing.
inline Bytes TinyPatternImageList(int count, int side) {
  const Bytes bmp = RleBitmap(side, side);
  Bytes data = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
  Put32(data, static_cast<uint32_t>(bmp.size()));
  data.insert(data.end(), bmp.begin(), bmp.end());
  ObjectStreamWriter w("IMAGELIST", "TImageListFile", "ImageList");
  w.Property("List");
  w.BeginCollection();
  for (int i = 0; i < count; ++i) {
    w.BeginItem();
    w.Property("Name");
    w.String("dust" + std::to_string(i));
    w.Property("PatternWidth");
    w.Integer(1);
    w.Property("PatternHeight");
    w.Integer(1);
    w.Property("Transparent");
    w.Boolean(true);
    w.Property("TransparentColor");
    w.Integer(0);  // black: the white pixels are all opaque
    w.Property("Picture.Data");
    w.Binary(data.data(), data.size());
    w.EndList();
  }
  w.EndList();
  return w.Finish();
}

// A hole file of `bytes` bytes or so: its ball and cup, then section after
// section of one key each, every name different.
inline std::string ManySectionsHole(size_t bytes) {
  std::string text = "[ball]\nx=100\ny=100\n[area1]\nkind=5\nx1=300\ny1=100\nr=9\nenabled=1\n";
  for (size_t n = 0; text.size() < bytes; ++n) text += "[s" + std::to_string(n) + "]\nk=1\n";
  return text;
}

// Rewrites every picture size an AVI declares (the main header's, each video
// stream header's frame rectangle and each video format's bitmap header) to
// `width` x `height`; the coded frames stay as they are. False when the bytes
// hold no main header.
inline bool DeclareAviSize(Bytes& avi, int width, int height) {
  auto find = [&avi](const char* tag, size_t from) {
    for (size_t i = from; i + 8 <= avi.size(); ++i) {
      if (avi[i] == tag[0] && avi[i + 1] == tag[1] && avi[i + 2] == tag[2] &&
          avi[i + 3] == tag[3]) {
        return i;
      }
    }
    return avi.size();
  };
  auto put32 = [&avi](size_t at, uint32_t v) {
    for (int k = 0; k < 4 && at + k < avi.size(); ++k)
      avi[at + k] = static_cast<uint8_t>(v >> (8 * k));
  };
  auto put16 = [&avi](size_t at, uint32_t v) {
    for (int k = 0; k < 2 && at + k < avi.size(); ++k)
      avi[at + k] = static_cast<uint8_t>(v >> (8 * k));
  };
  const size_t avih = find("avih", 0);
  if (avih == avi.size()) return false;
  put32(avih + 8 + 32, static_cast<uint32_t>(width));
  put32(avih + 8 + 36, static_cast<uint32_t>(height));
  for (size_t strh = find("strh", 0); strh < avi.size(); strh = find("strh", strh + 4)) {
    if (find("vids", strh) != strh + 8) continue;
    put16(strh + 8 + 52, static_cast<uint32_t>(width));  // frame rectangle right, bottom
    put16(strh + 8 + 54, static_cast<uint32_t>(height));
    const size_t strf = find("strf", strh);
    if (strf == avi.size()) break;
    put32(strf + 8 + 4, static_cast<uint32_t>(width));
    put32(strf + 8 + 8, static_cast<uint32_t>(height));
  }
  return true;
}

}  // namespace gp::test
