// Object streams from memory: image lists (prepared, so the pattern geometry
// and run tables are exercised too) and wave lists.
#include <cstddef>
#include <cstdint>

#include "base/asset_error.h"
#include "media/image_list.h"
#include "media/wave_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    gp::ImageList list;
    gp::ReadImageList(list, data, size, true);
  } catch (const gp::AssetError&) {
  }
  try {
    gp::WaveList list;
    gp::ReadWaveList(list, data, size);
  } catch (const gp::AssetError&) {
  }
  return 0;
}
