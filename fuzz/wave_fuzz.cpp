// RIFF WAVE data from memory, converted to the device format.
#include <cstddef>
#include <cstdint>

#include "base/asset_error.h"
#include "media/wave_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    gp::WaveItem item;
    gp::DecodeWave(data, size, item);
  } catch (const gp::AssetError&) {
  }
  return 0;
}
