// Hole files from untrusted bytes: the reader must never crash, hang or read
// out of bounds, whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "game/hole_file.h"
#include "base/profile.h"
#include "base/random.h"
#include "game/state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  gp::ResetGameState();
  gp::Randomize(size);
  gp::gs().numplayers = 4;
  gp::gs().holenumber = static_cast<int>(size % 11);  // 0..10, also outside 1..9
  gp::LoadHoleText(text);
  // Free-form lookups as other readers of the same format would make them.
  const gp::Profile p = gp::Profile::FromText(text);
  (void)p.ReadString("Area1", "Comment", "");
  (void)p.ReadBool("ball", "enabled", true);
  int32_t n = 0;
  (void)gp::ParseProfileNumber(text.substr(0, 40), n);
  return 0;
}
