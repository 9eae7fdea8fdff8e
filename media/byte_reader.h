#pragma once
// A bounded little-endian reader over bytes in memory. Reading past the end
// raises AssetError("Stream read error"); nothing is ever read out of bounds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/asset_error.h"

namespace gp {

inline constexpr const char* kStreamReadError = "Stream read error";

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t pos() const { return pos_; }
  size_t size() const { return size_; }
  size_t left() const { return size_ - pos_; }
  bool AtEnd() const { return pos_ >= size_; }
  const uint8_t* here() const { return data_ + pos_; }

  // Ensures n more bytes exist.
  void Need(size_t n) const {
    if (n > left()) throw AssetError(kStreamReadError);
  }
  void Skip(size_t n) {
    Need(n);
    pos_ += n;
  }
  void Seek(size_t p) {
    if (p > size_) throw AssetError(kStreamReadError);
    pos_ = p;
  }
  uint8_t Peek() const {
    Need(1);
    return data_[pos_];
  }
  uint8_t U8() {
    Need(1);
    return data_[pos_++];
  }
  uint16_t U16() {
    Need(2);
    const uint16_t v = static_cast<uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    Need(4);
    const uint32_t v =
        static_cast<uint32_t>(data_[pos_]) | static_cast<uint32_t>(data_[pos_ + 1]) << 8 |
        static_cast<uint32_t>(data_[pos_ + 2]) << 16 | static_cast<uint32_t>(data_[pos_ + 3]) << 24;
    pos_ += 4;
    return v;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  // Returns a pointer to the next n bytes and moves past them.
  const uint8_t* Bytes(size_t n) {
    Need(n);
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }
  std::string Str(size_t n) {
    const uint8_t* p = Bytes(n);
    return std::string(reinterpret_cast<const char*>(p), n);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Little-endian appends for the writers.
using Bytes = std::vector<uint8_t>;
inline void PutU8(Bytes& out, uint8_t v) {
  out.push_back(v);
}
inline void PutU16(Bytes& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
}
inline void PutBytes(Bytes& out, const void* p, size_t n) {
  const auto* b = static_cast<const uint8_t*>(p);
  out.insert(out.end(), b, b + n);
}

}  // namespace gp
