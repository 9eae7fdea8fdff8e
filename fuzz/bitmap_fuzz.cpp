// Bitmap files, device-independent bitmaps and picture data from memory.
#include <cstddef>
#include <cstdint>

#include "base/asset_error.h"
#include "media/bitmap_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    gp::DecodeBitmapFile(data, size);
  } catch (const gp::AssetError&) {
  }
  try {
    gp::DecodeDib(data, size);
  } catch (const gp::AssetError&) {
  }
  try {
    gp::DecodePictureData(data, size);
  } catch (const gp::AssetError&) {
  }
  return 0;
}
