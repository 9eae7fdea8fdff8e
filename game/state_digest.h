#pragma once
// A 64-bit fingerprint of the whole game state and of screen pixels, so that a
// replayed game can be compared with its recording at a glance.

#include <cstddef>
#include <cstdint>
#include <string>

namespace gp {

struct GameState;

// FNV-1a over bytes, continuing from `h`.
class Digest {
 public:
  void Bytes(const void* data, size_t n);
  void U64(uint64_t v);
  void I32(int32_t v) { U64(static_cast<uint64_t>(static_cast<int64_t>(v))); }
  void F64(double v);
  void Str(const std::string& s);
  uint64_t value() const { return h_; }
  // 16 lower-case hex digits.
  std::string Hex() const;

 private:
  uint64_t h_ = 0xcbf29ce484222325ull;
};

// Every field of every table and every single variable of the state.
void AddState(Digest& d, const GameState& g);
uint64_t StateDigest(const GameState& g);

}  // namespace gp
