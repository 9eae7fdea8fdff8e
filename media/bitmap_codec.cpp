#include "media/bitmap_codec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace gp {

namespace {

enum Compression : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3 };

// One colour channel of a bit-field pixel.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;  // mask >> shift; 0 = channel absent

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (m != 0) {
      shift = std::countr_zero(m);
      max = m >> shift;
    }
  }
  uint32_t Get(uint32_t v) const {
    if (max == 0) return 0;
    return static_cast<uint32_t>(uint64_t{(v & mask) >> shift} * 255 / max);
  }
};

struct DibInfo {
  int width = 0, height = 0;  // height always positive
  bool topdown = false;
  int bpp = 0;
  uint32_t compression = kBiRgb;
  uint32_t sizeimage = 0;
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  std::vector<uint32_t> palette;  // 0x00BBGGRR
};

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | g << 8 | b << 16;
}

bool KnownDepth(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

// Checks the fields of a header; raises `invalid` when they make no sense.
void CheckInfo(const DibInfo& d, int planes, const char* invalid) {
  if (planes != 1 || !KnownDepth(d.bpp)) throw AssetError(invalid);
  if (d.width <= 0 || d.height <= 0 || d.width > kMaxPictureSide || d.height > kMaxPictureSide ||
      int64_t{d.width} * d.height > kMaxPicturePixels)
    throw AssetError(invalid);
  switch (d.compression) {
    case kBiRgb:
      break;
    case kBiRle8:
      if (d.bpp != 8 || d.topdown) throw AssetError(invalid);
      break;
    case kBiRle4:
      if (d.bpp != 4 || d.topdown) throw AssetError(invalid);
      break;
    case kBiBitfields:
      if (d.bpp != 16 && d.bpp != 32) throw AssetError(invalid);
      break;
    default:
      throw AssetError(invalid);
  }
}

void ReadPalette(ByteReader& r, DibInfo& d, uint32_t count, size_t entry_size) {
  d.palette.resize(count);
  const uint8_t* p = r.Bytes(count * entry_size);
  for (uint32_t i = 0; i < count; ++i, p += entry_size) d.palette[i] = Rgb(p[2], p[1], p[0]);
}

// The header at the reader's position, its masks and colour table.
// `any_header`: also the longer headers of newer bitmap files.
DibInfo ReadInfo(ByteReader& r, bool any_header, const char* invalid) {
  const size_t start = r.pos();
  const uint32_t hsize = r.U32();
  DibInfo d;
  if (hsize == 12) {
    d.width = r.U16();
    d.height = r.U16();
    const int planes = r.U16();
    d.bpp = r.U16();
    CheckInfo(d, planes, invalid);
    if (d.bpp == 16 || d.bpp == 32) throw AssetError(invalid);
    if (d.bpp <= 8) ReadPalette(r, d, 1u << d.bpp, 3);
    return d;
  }
  const bool longer = any_header && (hsize == 52 || hsize == 56 || hsize == 108 || hsize == 124);
  if (hsize != 40 && !longer) throw AssetError(invalid);
  d.width = r.I32();
  const int32_t h = r.I32();
  if (h == INT32_MIN) throw AssetError(invalid);
  d.topdown = h < 0;
  d.height = h < 0 ? -h : h;
  const int planes = r.U16();
  d.bpp = r.U16();
  d.compression = r.U32();
  d.sizeimage = r.U32();
  r.Skip(8);  // resolution
  const uint32_t used = r.U32();
  r.U32();  // important colours
  CheckInfo(d, planes, invalid);
  if (hsize > 40) {
    for (uint32_t& m : d.masks) m = r.U32();
    r.Seek(start + hsize);
  } else if (d.compression == kBiBitfields) {
    for (uint32_t& m : d.masks) m = r.U32();
  }
  if (d.compression == kBiRgb && d.bpp == 16) {
    d.masks[0] = 0x7C00, d.masks[1] = 0x03E0, d.masks[2] = 0x001F;
  } else if (d.compression == kBiRgb && d.bpp == 32) {
    d.masks[0] = 0xFF0000, d.masks[1] = 0xFF00, d.masks[2] = 0xFF;
  }
  if (used > 256) throw AssetError(invalid);
  if (d.bpp <= 8) {
    ReadPalette(r, d, used != 0 ? used : 1u << d.bpp, 4);
  } else {
    r.Skip(size_t{used} * 4);  // an optional table for paletted displays: not used
  }
  return d;
}

size_t Stride(const DibInfo& d) {
  return (static_cast<size_t>(d.width) * d.bpp + 31) / 32 * 4;
}

uint32_t PaletteColour(const DibInfo& d, uint32_t index) {
  return index < d.palette.size() ? d.palette[index] : 0;
}

void DecodeRow(const DibInfo& d, const uint8_t* src, uint32_t* out, const Channel* ch) {
  const int w = d.width;
  switch (d.bpp) {
    case 1:
      for (int x = 0; x < w; ++x) out[x] = PaletteColour(d, (src[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    case 4:
      for (int x = 0; x < w; ++x) {
        out[x] = PaletteColour(d, (x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4);
      }
      break;
    case 8:
      for (int x = 0; x < w; ++x) out[x] = PaletteColour(d, src[x]);
      break;
    case 24:
      for (int x = 0; x < w; ++x, src += 3) out[x] = Rgb(src[2], src[1], src[0]);
      break;
    case 16:
      for (int x = 0; x < w; ++x, src += 2) {
        const uint32_t v = src[0] | src[1] << 8;
        out[x] = Rgb(ch[0].Get(v), ch[1].Get(v), ch[2].Get(v));
      }
      break;
    case 32:
      for (int x = 0; x < w; ++x, src += 4) {
        const uint32_t v =
            src[0] | src[1] << 8 | src[2] << 16 | static_cast<uint32_t>(src[3]) << 24;
        out[x] = Rgb(ch[0].Get(v), ch[1].Get(v), ch[2].Get(v));
      }
      break;
  }
}

Picture DecodeUncompressed(const DibInfo& d, ByteReader& r) {
  const size_t stride = Stride(d);
  const uint8_t* src = r.Bytes(stride * static_cast<size_t>(d.height));
  const Channel ch[3] = {Channel(d.masks[0]), Channel(d.masks[1]), Channel(d.masks[2])};
  Picture p;
  p.width = d.width;
  p.height = d.height;
  p.pixels.assign(static_cast<size_t>(d.width) * d.height, 0);
  for (int row = 0; row < d.height; ++row) {
    const int y = d.topdown ? row : d.height - 1 - row;
    DecodeRow(d, src + stride * static_cast<size_t>(row),
              &p.pixels[static_cast<size_t>(y) * d.width], ch);
  }
  return p;
}

// Run-length encoded pixels (8 or 4 bits), bottom-up. Pixels outside the
// picture are dropped; data ending without its end marker ends the picture.
Picture DecodeRle(const DibInfo& d, ByteReader& r) {
  Picture p;
  p.width = d.width;
  p.height = d.height;
  p.pixels.assign(static_cast<size_t>(d.width) * d.height, 0);
  const bool four = d.compression == kBiRle4;
  int64_t x = 0, y = 0;  // y counted from the bottom row
  auto put = [&](uint32_t index) {
    if (x < d.width && y < d.height) {
      p.pixels[static_cast<size_t>(d.height - 1 - y) * d.width + x] = PaletteColour(d, index);
    }
    ++x;
  };
  while (r.left() >= 2 && y < d.height) {
    const uint8_t n = r.U8();
    const uint8_t c = r.U8();
    if (n > 0) {
      for (int i = 0; i < n && x < d.width; ++i) put(four ? ((i & 1) ? c & 0x0F : c >> 4) : c);
      continue;
    }
    if (c == 0) {
      x = 0, ++y;
    } else if (c == 1) {
      break;
    } else if (c == 2) {
      x += r.U8();
      y += r.U8();
    } else {
      const size_t bytes = four ? (c + 1u) / 2 : c;
      const uint8_t* src = r.Bytes(bytes);
      for (int i = 0; i < c; ++i)
        put(four ? ((i & 1) ? src[i >> 1] & 0x0F : src[i >> 1] >> 4) : src[i]);
      if (bytes & 1) r.Skip(std::min<size_t>(1, r.left()));
    }
  }
  return p;
}

Picture DecodePixels(const DibInfo& d, ByteReader& r) {
  if (d.compression == kBiRle8 || d.compression == kBiRle4) return DecodeRle(d, r);
  return DecodeUncompressed(d, r);
}

}  // namespace

Picture DecodeBitmapFile(const uint8_t* data, size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M') throw AssetError(kBitmapInvalid);
  ByteReader r(data, size);
  r.Skip(2 + 4 + 4);  // signature, file size, reserved
  const uint32_t offset = r.U32();
  const DibInfo d = ReadInfo(r, true, kBitmapInvalid);
  if (offset != 0) {
    if (offset < r.pos() || offset > size) throw AssetError(kBitmapInvalid);
    r.Seek(offset);
  }
  return DecodePixels(d, r);
}

Picture DecodeDib(const uint8_t* data, size_t size) {
  ByteReader r(data, size);
  const DibInfo d = ReadInfo(r, false, kDibInvalid);
  if (d.compression == kBiRle8 || d.compression == kBiRle4) {
    // The compressed data is as long as the header says, if it says.
    const size_t n = d.sizeimage != 0 ? std::min<size_t>(d.sizeimage, r.left()) : r.left();
    ByteReader rle(r.here(), n);
    return DecodeRle(d, rle);
  }
  return DecodeUncompressed(d, r);
}

Picture DecodePictureData(const uint8_t* data, size_t size) {
  ByteReader r(data, size);
  const std::string kind = r.Str(r.U8());
  if (kind == "TBitmap") {
    const uint32_t n = r.U32();
    if (n == 0) return {};
    return DecodeBitmapFile(r.Bytes(n), n);
  }
  if (kind == "TDIB") return DecodeDib(r.here(), r.left());
  return {};
}

int64_t PictureDataPixels(const uint8_t* data, size_t size) {
  try {
    ByteReader r(data, size);
    const std::string kind = r.Str(r.U8());
    if (kind == "TBitmap") {
      if (r.U32() == 0) return 0;
      r.Skip(2 + 4 + 4 + 4);  // signature, file size, reserved, pixel offset
      const DibInfo d = ReadInfo(r, true, kBitmapInvalid);
      return int64_t{d.width} * d.height;
    }
    if (kind == "TDIB") {
      const DibInfo d = ReadInfo(r, false, kDibInvalid);
      return int64_t{d.width} * d.height;
    }
  } catch (const AssetError&) {
  }
  return 0;
}

Bytes EncodeBitmapFile(const Picture& p) {
  const int w = p.empty() ? 0 : p.width, h = p.empty() ? 0 : p.height;
  const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
  const size_t image = stride * static_cast<size_t>(h);
  Bytes out;
  out.reserve(54 + image);
  PutBytes(out, "BM", 2);
  PutU32(out, static_cast<uint32_t>(54 + image));
  PutU32(out, 0);
  PutU32(out, 54);
  PutU32(out, 40);
  PutU32(out, static_cast<uint32_t>(w));
  PutU32(out, static_cast<uint32_t>(h));
  PutU16(out, 1);
  PutU16(out, 24);
  PutU32(out, kBiRgb);
  PutU32(out, static_cast<uint32_t>(image));
  PutU32(out, 2835);  // 72 dots per inch
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t c = p.at(x, y);
      PutU8(out, static_cast<uint8_t>(c >> 16));
      PutU8(out, static_cast<uint8_t>(c >> 8));
      PutU8(out, static_cast<uint8_t>(c));
    }
    for (size_t pad = static_cast<size_t>(w) * 3; pad < stride; ++pad) PutU8(out, 0);
  }
  return out;
}

Bytes EncodePictureData(const Picture& picture) {
  const Bytes file = EncodeBitmapFile(picture);
  Bytes out;
  out.reserve(file.size() + 12);
  PutU8(out, 7);
  PutBytes(out, "TBitmap", 7);
  PutU32(out, static_cast<uint32_t>(file.size()));
  PutBytes(out, file.data(), file.size());
  return out;
}

Bytes ReadWholeFile(const std::string& path, size_t max_bytes) {
  // Opened without waiting, so that a pipe nobody writes to cannot hold the reader.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw AssetError("Cannot open file " + path);
  const auto Fail = [fd](const std::string& message) {
    ::close(fd);
    return AssetError(message);
  };
  struct stat st {};
  // A folder, a pipe or a device is no data file (a pipe would be read without end).
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) throw Fail("Cannot open file " + path);
  const std::string too_large =
      "File " + path + " is larger than " +
      (max_bytes >= (size_t{1} << 20) ? std::to_string(max_bytes >> 20) + " MB"
                                      : std::to_string(max_bytes >> 10) + " KB");
  if (static_cast<uintmax_t>(st.st_size) > max_bytes) throw Fail(too_large);
  Bytes out;
  out.reserve(static_cast<size_t>(st.st_size));
  uint8_t buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw Fail("Cannot open file " + path);
    if (n == 0) break;
    const size_t got = static_cast<size_t>(n);
    if (got > max_bytes - out.size()) throw Fail(too_large);  // it grew while being read
    out.insert(out.end(), buf, buf + got);
  }
  ::close(fd);
  return out;
}

Picture LoadBitmapFile(const std::string& path, size_t max_bytes) {
  const Bytes b = ReadWholeFile(path, max_bytes);
  return DecodeBitmapFile(b.data(), b.size());
}

}  // namespace gp
