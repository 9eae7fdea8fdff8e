#pragma once
// Builders of hand-made asset bytes for the tests: bitmap files, DIBs, waves
// and raw object streams.

#include <cstdint>
#include <string>
#include <vector>

#include "media/byte_reader.h"

namespace gp::test {

struct BmpSpec {
  int width = 2, height = 2;  // negative height: top-down
  int bpp = 24;
  uint32_t compression = 0;
  uint32_t header = 40;           // 12, 40, ...
  std::vector<uint32_t> palette;  // 0x00RRGGBB as stored (B, G, R order in the file)
  std::vector<uint32_t> masks;    // written after a 40-byte header when given
  uint32_t colorsused = 0;
  int planes = 1;
  Bytes pixels;  // pixel data exactly as stored
};

// The header, masks, colour table and pixels without a file header.
inline Bytes Dib(const BmpSpec& s) {
  Bytes out;
  PutU32(out, s.header);
  if (s.header == 12) {
    PutU16(out, static_cast<uint16_t>(s.width));
    PutU16(out, static_cast<uint16_t>(s.height));
    PutU16(out, static_cast<uint16_t>(s.planes));
    PutU16(out, static_cast<uint16_t>(s.bpp));
  } else {
    PutU32(out, static_cast<uint32_t>(s.width));
    PutU32(out, static_cast<uint32_t>(s.height));
    PutU16(out, static_cast<uint16_t>(s.planes));
    PutU16(out, static_cast<uint16_t>(s.bpp));
    PutU32(out, s.compression);
    PutU32(out, static_cast<uint32_t>(s.pixels.size()));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, s.colorsused);
    PutU32(out, 0);
    for (uint32_t i = 40; i < s.header; ++i) PutU8(out, 0);
  }
  for (uint32_t m : s.masks) PutU32(out, m);
  for (uint32_t c : s.palette) {
    PutU8(out, static_cast<uint8_t>(c));
    PutU8(out, static_cast<uint8_t>(c >> 8));
    PutU8(out, static_cast<uint8_t>(c >> 16));
    if (s.header != 12) PutU8(out, 0);
  }
  PutBytes(out, s.pixels.data(), s.pixels.size());
  return out;
}

inline Bytes BmpFile(const BmpSpec& s) {
  const Bytes dib = Dib(s);
  Bytes out;
  PutBytes(out, "BM", 2);
  PutU32(out, static_cast<uint32_t>(14 + dib.size()));
  PutU32(out, 0);
  PutU32(out, static_cast<uint32_t>(14 + dib.size() - s.pixels.size()));
  PutBytes(out, dib.data(), dib.size());
  return out;
}

struct Chunk {
  std::string id;
  Bytes body;
};

inline Bytes Riff(const std::vector<Chunk>& chunks, const char* riff = "RIFF",
                  const char* form = "WAVE") {
  Bytes out;
  PutBytes(out, riff, 4);
  PutU32(out, 0);
  PutBytes(out, form, 4);
  for (const Chunk& c : chunks) {
    PutBytes(out, c.id.data(), 4);
    PutU32(out, static_cast<uint32_t>(c.body.size()));
    PutBytes(out, c.body.data(), c.body.size());
    if (c.body.size() & 1) PutU8(out, 0);
  }
  const uint32_t len = static_cast<uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(len >> (8 * i));
  return out;
}

inline Chunk Fmt(int tag, int channels, int rate, int bits) {
  Bytes b;
  PutU16(b, static_cast<uint16_t>(tag));
  PutU16(b, static_cast<uint16_t>(channels));
  PutU32(b, static_cast<uint32_t>(rate));
  PutU32(b, static_cast<uint32_t>(rate * channels * bits / 8));
  PutU16(b, static_cast<uint16_t>(channels * bits / 8));
  PutU16(b, static_cast<uint16_t>(bits));
  return {"fmt ", b};
}

// A raw object stream, written byte by byte.
class RawStream {
 public:
  RawStream() {
    PutU8(b, 0xFF);
    PutU16(b, 10);
    PutBytes(b, "X\0", 2);
    PutU16(b, 0x1030);
    PutU32(b, 0);
    PutBytes(b, "TPF0", 4);
  }
  RawStream& Byte(uint8_t v) {
    PutU8(b, v);
    return *this;
  }
  RawStream& Short(const std::string& s) {
    PutU8(b, static_cast<uint8_t>(s.size()));
    PutBytes(b, s.data(), s.size());
    return *this;
  }
  RawStream& I32(int32_t v) {
    PutU32(b, static_cast<uint32_t>(v));
    return *this;
  }
  RawStream& Raw(const Bytes& x) {
    PutBytes(b, x.data(), x.size());
    return *this;
  }
  // The root's class and name, the "List" property and the collection's type byte.
  RawStream& ListStart() { return Short("TRoot").Short("Root").Short("List").Byte(14); }
  // Ends the collection, the root's properties and its children.
  RawStream& ListEnd() { return Byte(0).Byte(0).Byte(0); }
  Bytes b;
};

}  // namespace gp::test
