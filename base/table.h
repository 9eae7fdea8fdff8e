#pragma once
// A fixed table indexed from 1 to N, as every table of the game state is.
// Slot 0 exists but is never used; debug builds check every index.

#include <cassert>
#include <cstddef>

namespace gp {

template <typename T, int N>
struct Table {
  T slot[N + 1]{};

  T& operator[](int i) {
    assert(i >= 1 && i <= N);
    return slot[i];
  }
  const T& operator[](int i) const {
    assert(i >= 1 && i <= N);
    return slot[i];
  }
  static constexpr int size() { return N; }
  T* begin() { return slot + 1; }
  T* end() { return slot + N + 1; }
  const T* begin() const { return slot + 1; }
  const T* end() const { return slot + N + 1; }
};

}  // namespace gp
