#pragma once
// Windows bitmaps: whole files ("BM") and device-independent bitmaps without a
// file header, 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, RLE8,
// RLE4 and bit fields, bottom-up and top-down. Every size is checked against
// the bytes at hand; bad headers raise the kind's own message.

#include <cstddef>
#include <cstdint>
#include <string>

#include "media/byte_reader.h"
#include "media/picture.h"

namespace gp {

inline constexpr const char* kBitmapInvalid = "Bitmap image is not valid";
inline constexpr const char* kDibInvalid = "DIB is invalid";

// Largest picture accepted: pixels per side and in all (32 MB of colours; the
// game's largest pictures, its courses, are 1296 x 1008).
inline constexpr int kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 23;

// A complete bitmap file starting with "BM".
Picture DecodeBitmapFile(const uint8_t* data, size_t size);
// A device-independent bitmap: header (12 or 40 bytes), masks, colours, pixels.
Picture DecodeDib(const uint8_t* data, size_t size);
// An image item's picture data: a kind name ("TBitmap", "TDIB"), then that
// kind's data. An unknown kind gives an empty picture.
Picture DecodePictureData(const uint8_t* data, size_t size);
// The pixels the picture data's header declares, read without decoding them;
// 0 for no picture or a header DecodePictureData would refuse.
int64_t PictureDataPixels(const uint8_t* data, size_t size);

// A 24-bit bottom-up bitmap file of the picture (the top byte of each pixel is dropped).
Bytes EncodeBitmapFile(const Picture& picture);
// Picture data of kind "TBitmap" holding EncodeBitmapFile.
Bytes EncodePictureData(const Picture& picture);

// Largest file ReadWholeFile takes unless told otherwise, bytes: far above the
// game's own data files (the largest course list is under 10 MB).
inline constexpr size_t kMaxWholeFileBytes = size_t{256} << 20;

// Reads a bitmap file from disk (skin pictures, ball textures); raises
// "Cannot open file %s" and the decoder's messages.
Picture LoadBitmapFile(const std::string& path, size_t max_bytes = kMaxWholeFileBytes);
// Reads a whole regular file of at most max_bytes; raises "Cannot open file %s"
// when it cannot be opened or read or is no regular file (a folder, a pipe, a
// device), and "File %s is larger than N MB" (or "N KB") beyond the limit.
Bytes ReadWholeFile(const std::string& path, size_t max_bytes = kMaxWholeFileBytes);

}  // namespace gp
